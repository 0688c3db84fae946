#include "device/screens/trip/trip_pages.hpp"
#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/unit_words.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/languages.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "resources/icons.hpp"

namespace ql {

namespace {

constexpr Texts AVERAGE_KPH = {"avg. kph", "moy km/h", "kph med.", "prom. k/h", "km/h i.D."};
constexpr Texts AVERAGE_MPH = {"avg. mph", "moy mi/h", "mph med.", "prom. m/h", "mi/h i.D."};
constexpr Texts MAXIMUM_KPH = {"max. kph", "max km/h", "kph max.", "m\xE1x. k/h", "km/h max"};
constexpr Texts MAXIMUM_MPH = {"max. mph", "max mi/h", "mph max.", "m\xE1x. m/h", "mi/h max"};
constexpr Texts MINUTES = {"mins", "min", "min", "min", "min"};
constexpr Texts HOURS = {"hours", "heures", "ore", "horas", "std"};
constexpr Texts CLOCK_LABEL = {"clock", "horloge", "ora", "reloj", "uhr"};
constexpr Texts KILOMETRES = {"km", "km", "km", "km", "km"};
constexpr Texts MILES = {"mile", "mile", "miglia", "milla", "meilen"};

constexpr std::uint8_t VALUE_Y = 35;
constexpr std::uint8_t LABEL_RIGHT = 92;
constexpr std::uint8_t LABEL_Y = 51;

void draw_label(Device& dev, const Texts& labels) {
    text_draw_at(dev, LABEL_RIGHT, LABEL_Y, ALIGN_RIGHT, tr(dev, labels));
}

template <std::size_t W, std::size_t H>
void draw_icon(Device& dev, std::uint8_t x, std::uint8_t y, const Picture<W, H>& icon) {
    move_to(dev, x, y);
    blit_picture(dev, icon);
}

void draw_legend(Device& dev, Legend meaning) {
    legend_bottom_right(dev, legend_word(dev, meaning));
}

void show_small(Device& dev, std::uint8_t x, char* shown, const char* text) {
    move_to(dev, x, VALUE_Y);
    digits_update_small(dev, shown, text);
}

// Builds HH:MM:SS, or MM:SS.hh when `last` is '.', from three two-digit fields.
const char* clock_text(Device& dev, unsigned high, unsigned middle, unsigned low, char last) {
    const std::int32_t packed = static_cast<std::int32_t>(high * 10000 + middle * 100 + low);
    char* t = format_decimal(dev, packed, 2, 4, FMT_ZERO_PAD); // "HH.MMSS"
    t[8] = '\0';
    t[7] = t[6];
    t[6] = t[5];
    t[5] = last;
    t[2] = ':';
    return t;
}

// ---- speeds

void refresh_speed(Device& dev, SpeedSource source, std::uint8_t x, char* shown) {
    std::int32_t v = get_speed(dev, source);
    if (in_miles(dev)) km_to_miles(v);
    std::int32_t whole = (v + 5) / 10;
    if (whole > 999) whole = 999;
    show_small(dev, x, shown, format_decimal(dev, whole, 4, 0, FMT_PLUS));
}

void refresh_average(Device& dev) {
    std::int32_t v = get_speed(dev, SpeedSource::Average);
    if (in_miles(dev)) km_to_miles(v);
    if (v > 9999) v = 9999;
    show_small(dev, 41, dev.screens.trip.average_speed_shown,
               format_decimal(dev, v, 4, 1, FMT_PLUS));
}

void current_speed_page(Device& dev, std::uint8_t event, bool draw) {
    char* shown = dev.screens.trip.current_speed_shown;
    if (draw) {
        draw_icon(dev, 97, 40, DialLeftIcon);
        draw_label(dev, in_miles(dev) ? MPH : KPH);
        fill_blanks(shown, 4);
    }
    if (draw || event == EV_TICK_250MS) refresh_speed(dev, SpeedSource::Current, 55, shown);
}

void average_speed_page(Device& dev, std::uint8_t event, bool draw) {
    if (draw) {
        draw_icon(dev, 97, 40, DialUpIcon);
        draw_legend(dev, Legend::Clear);
        draw_label(dev, in_miles(dev) ? AVERAGE_MPH : AVERAGE_KPH);
        fill_blanks(dev.screens.trip.average_speed_shown, 6);
    }
    if (event == key_hold(BTN_BOTTOM_RIGHT)) set_max_speed(dev, SpeedSource::Average, 0);
    if (draw || event == EV_TICK_250MS || event == key_hold(BTN_BOTTOM_RIGHT)) refresh_average(dev);
}

void maximum_speed_page(Device& dev, std::uint8_t event, bool draw) {
    char* shown = dev.screens.trip.maximum_speed_shown;
    if (draw) {
        draw_icon(dev, 97, 40, DialRightIcon);
        draw_legend(dev, Legend::Clear);
        draw_label(dev, in_miles(dev) ? MAXIMUM_MPH : MAXIMUM_KPH);
        fill_blanks(shown, 4);
    }
    if (event == key_hold(BTN_BOTTOM_RIGHT)) {
        set_max_speed(dev, SpeedSource::Maximum, 0);
        set_stored_max_speed(dev, 0);
    }
    if (draw || event == EV_TICK_250MS || event == key_hold(BTN_BOTTOM_RIGHT))
        refresh_speed(dev, SpeedSource::Maximum, 55, shown);
}

// ---- fuel

void refresh_fuel(Device& dev) {
    std::uint16_t v = get_fuel_volume(dev);
    char* shown = dev.screens.trip.fuel_shown;
    if (get_fuel_unit(dev) == FuelUnit::Gallons) {
        litres_to_gallons(v);
        std::int32_t tenths = (v + 5) / 10;
        if (tenths > 999) tenths = 999;
        show_small(dev, 61, shown, format_decimal(dev, tenths, 2, 1, FMT_NONE));
    } else {
        std::int32_t litres = (v + 50) / 100;
        if (litres > 999) litres = 999;
        show_small(dev, 65, shown, format_decimal(dev, litres, 3, 0, FMT_NONE));
    }
}

void fuel_page(Device& dev, std::uint8_t event, bool draw) {
    if (draw) {
        draw_icon(dev, 99, 40, PageFuelPumpIcon);
        draw_label(dev, in_gallons(dev) ? GALLONS : LITRES);
        fill_blanks(dev.screens.trip.fuel_shown, 5);
    }
    if (draw || event == EV_TICK_250MS) refresh_fuel(dev);
}

// ---- stopwatch

void stopwatch_label(Device& dev, const Texts& labels, std::uint8_t set, std::uint8_t clear) {
    TripScreenState& trip = dev.screens.trip;
    if ((trip.stopwatch_flags & set) != 0) return;
    move_to(dev, 57, LABEL_Y);
    draw_rect(dev, 36, 8, RECT_CLEAR);
    draw_label(dev, labels);
    trip.stopwatch_flags = static_cast<std::uint8_t>((trip.stopwatch_flags | set) & ~clear);
}

void refresh_stopwatch(Device& dev) {
    Clock c{};
    read_stopwatch(dev, c);
    const char* text = nullptr;
    if (c.hours != 0) {
        stopwatch_label(dev, HOURS, STOPWATCH_HOURS_LABEL, STOPWATCH_MINUTES_LABEL);
        text = clock_text(dev, c.hours, c.minutes, c.seconds, ':');
    } else {
        stopwatch_label(dev, MINUTES, STOPWATCH_MINUTES_LABEL, STOPWATCH_HOURS_LABEL);
        const unsigned hundredths = (static_cast<unsigned>(c.fraction) * 100u) / 256u;
        text = clock_text(dev, c.minutes, c.seconds, hundredths, '.');
    }
    show_small(dev, 27, dev.screens.trip.stopwatch_shown, text);
}

void stopwatch_legend(Device& dev) {
    legend_erase_bottom_right(dev);
    draw_legend(dev, stopwatch_running(dev) ? Legend::Stop : Legend::Start);
}

void stopwatch_page(Device& dev, std::uint8_t event, bool draw) {
    TripScreenState& trip = dev.screens.trip;
    if (draw) {
        draw_icon(dev, 99, 39, PageStopwatchIcon);
        draw_legend(dev, stopwatch_running(dev) ? Legend::Stop : Legend::Start);
        trip.stopwatch_flags = static_cast<std::uint8_t>(
            trip.stopwatch_flags & ~(STOPWATCH_MINUTES_LABEL | STOPWATCH_HOURS_LABEL));
        fill_blanks(trip.stopwatch_shown, 8);
        refresh_stopwatch(dev);
        return;
    }
    switch (event) {
    case EV_TICK_250MS: refresh_stopwatch(dev); break;
    case key_press(BTN_BOTTOM_RIGHT):
        // A stopped stopwatch starts at the release; a running one stops at the press.
        if (!stopwatch_running(dev)) break;
        trip.stopwatch_flags |= STOPWATCH_PRESS_USED;
        stopwatch_control(dev, STOPWATCH_STOP);
        refresh_stopwatch(dev);
        stopwatch_legend(dev);
        break;
    case key_hold(BTN_BOTTOM_RIGHT):
        trip.stopwatch_flags |= STOPWATCH_PRESS_USED;
        stopwatch_control(dev, STOPWATCH_RESET);
        stopwatch_control(dev, STOPWATCH_STOP);
        stopwatch_legend(dev);
        break;
    case key_release(BTN_BOTTOM_RIGHT):
        if ((trip.stopwatch_flags & STOPWATCH_PRESS_USED) != 0) {
            trip.stopwatch_flags =
                static_cast<std::uint8_t>(trip.stopwatch_flags & ~STOPWATCH_PRESS_USED);
            break;
        }
        stopwatch_control(dev, STOPWATCH_RUN);
        stopwatch_legend(dev);
        break;
    default: break;
    }
}

// ---- clock

void refresh_clock(Device& dev) {
    Clock c{};
    read_clock(dev, c);
    show_small(dev, 27, dev.screens.trip.clock_shown,
               clock_text(dev, c.hours, c.minutes, c.seconds, ':'));
}

void clock_page(Device& dev, std::uint8_t event, bool draw) {
    if (draw) {
        draw_icon(dev, 98, 40, ClockIcon);
        draw_legend(dev, Legend::Set);
        draw_label(dev, CLOCK_LABEL);
        fill_blanks(dev.screens.trip.clock_shown, 8);
    }
    if (draw || event == EV_TICK_250MS) refresh_clock(dev);
    if (event == key_press(BTN_BOTTOM_RIGHT)) change_screen(dev, ClockAdjustScreen);
}

// ---- total distance

void refresh_total(Device& dev) {
    TripScreenState& trip = dev.screens.trip;
    std::int32_t v = 0;
    get_distance_counter(dev, COUNTER_TOTAL, v);
    const std::uint8_t d = distance_for_display(dev, v);
    if (d != trip.total_decimals) {
        move_to(dev, 41, VALUE_Y);
        draw_rect(dev, 52, 12, RECT_CLEAR);
        trip.total_decimals = d;
        fill_blanks(trip.total_shown, 6);
    }
    show_small(dev, 41, trip.total_shown,
               format_decimal(dev, v, static_cast<std::uint8_t>(5 - d), d, FMT_MINUS));
}

void total_distance_page(Device& dev, std::uint8_t event, bool draw) {
    TripScreenState& trip = dev.screens.trip;
    if (draw) {
        draw_icon(dev, 98, 40, DistanceIcon);
        draw_legend(dev, Legend::Clear);
        draw_label(dev, in_miles(dev) ? MILES : KILOMETRES);
        fill_blanks(trip.total_shown, 6);
        trip.total_hold = 0;
        refresh_total(dev);
        return;
    }
    switch (event) {
    case EV_TICK_500MS:
        if (trip.total_hold == 0) refresh_total(dev);
        break;
    case key_hold(BTN_BOTTOM_RIGHT):
        // Shows zero for as long as the button is held.
        trip.total_hold = 1;
        set_distance_counter(dev, COUNTER_TOTAL, 0);
        refresh_total(dev);
        break;
    case key_release(BTN_BOTTOM_RIGHT):
        // The distance covered while the button was held is discarded too.
        if (trip.total_hold == 1) {
            trip.total_hold = 0;
            set_distance_counter(dev, COUNTER_TOTAL, 0);
        }
        break;
    default: break;
    }
}

} // namespace

void trip_page_handle(Device& dev, TripPage page, std::uint8_t event) {
    const bool draw = event == EV_ENTER || event == key_press(BTN_BOTTOM_LEFT);
    switch (page) {
    case PAGE_CURRENT_SPEED: current_speed_page(dev, event, draw); break;
    case PAGE_AVERAGE_SPEED: average_speed_page(dev, event, draw); break;
    case PAGE_MAXIMUM_SPEED: maximum_speed_page(dev, event, draw); break;
    case PAGE_FUEL: fuel_page(dev, event, draw); break;
    case PAGE_STOPWATCH: stopwatch_page(dev, event, draw); break;
    case PAGE_CLOCK: clock_page(dev, event, draw); break;
    default: total_distance_page(dev, event, draw); break;
    }
}

std::uint8_t distance_for_display(Device& dev, std::int32_t& value) {
    if (get_distance_unit(dev) == DistanceUnit::Miles) km_to_miles(value); // thousandths of a mile
    return scale_distance(value, get_resolution(dev) == Resolution::High ? 3 : 2);
}

} // namespace ql
