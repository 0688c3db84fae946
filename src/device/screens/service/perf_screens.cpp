#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/perf_timer.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/common/unit_words.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

// ---- the choice of run

constexpr Texts SPEED_RUN_KM = {"Timer 100kph", "Z\xE9ro-100km/h", "Timer 100kph", "Cero-100k/h",
                                "Null-100km/h"};
constexpr Texts DISTANCE_RUN_KM = {"Timer 400m", "Z\xE9ro-400m", "Timer 400m", "Cero-400m",
                                   "Null-400m"};
// The Italian speed run keeps the label its table has always had in miles.
constexpr Texts SPEED_RUN_MILES = {"Timer 60mph", "Z\xE9ro-60mi/h", "Timer 100mph", "Cero-60m/h",
                                   "Null-60mi/h"};
constexpr Texts DISTANCE_RUN_MILES = {"Timer 1/4mile", "Z\xE9ro-1/4mile", "Timer 1/4miglio",
                                      "Cero-1/4milla", "Null-1/4mi"};

template <PerfRun RUN> void choose_run(Device& dev) {
    dev.screens.service.perf_run_kind = RUN;
    change_screen(dev, PerfArmScreen);
}

const ListRow RUN_ROWS[] = {
    {SPEED_RUN_KM, nullptr, choose_run<PERF_RUN_SPEED>, list_submenu_marker},
    {DISTANCE_RUN_KM, nullptr, choose_run<PERF_RUN_DISTANCE>, list_submenu_marker},
};

// The labels follow the distance unit.
void label_runs(Device& dev, ListScreenState& list) {
    if (!in_miles(dev)) return;
    list.items[0].text = tr(dev, SPEED_RUN_MILES);
    list.items[1].text = tr(dev, DISTANCE_RUN_MILES);
}

constexpr ListScreenTable RUN_LIST = list_table(
    PerformanceIcon, RUN_ROWS, MainMenuScreen, list_slot<ListSlot::PerfMenuScreenSlot>, label_runs);

// ---- arming

constexpr Texts ARM_LINES[4] = {
    {"Press OK to arm.", "Appuyer sur OK.", "Premi OK.", "Pulse OK.",
     "OK dr\xFC"
     "cken."},
    {"Timer will begin", "La minuterie", "Il timer si", "Tmpzdor. activar\xE1",
     "Zeitmesser startet,"},
    {"when vehicle starts", "d\xE9marre quand le", "avvier\xE0 quando",
     "cuando el veh\xED"
     "culo",
     "wenn sich Fahrzeug"},
    {"moving.", "v\xE9hicule bouge.", "ci si muove.", "empiece a moverse.", "in Bewegung setzt."},
};
constexpr std::uint8_t ARM_LINE_Y[4] = {6, 26, 39, 52};

// Start from a standstill; the end speed in km/h (60 mph is 97 km/h), the distance in metres
// (a quarter mile is 402 m).
PerfTimerConfig run_condition(PerfRun run, bool miles) {
    PerfTimerConfig config;
    config.start_speed = 0;
    if (run == PERF_RUN_SPEED) {
        config.end_speed = miles ? 97 : 100;
        config.distance_limit = PERF_NO_DISTANCE_LIMIT;
    } else {
        config.end_speed = PERF_NO_END_SPEED;
        config.distance_limit = miles ? 402 : 400;
    }
    return config;
}

void arm_enter(Device& dev) {
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_bottom_left(dev, legend_word(dev, Legend::Ok));
    legend_top_left(dev, legend_word(dev, Legend::Back));
    for (int i = 0; i < 4; ++i)
        text_draw_at(dev, 64, ARM_LINE_Y[i], ALIGN_CENTRE, tr(dev, ARM_LINES[i]));
}

void arm_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: arm_enter(dev); break;
    case key_press(Button::TopLeft): change_screen(dev, PerfMenuScreen); break;
    case key_press(Button::BottomLeft):
        perf_set_pulse_rate(dev, get_calibration(dev, DistanceUnit::Kilometres));
        perf_arm(dev, run_condition(dev.screens.service.perf_run_kind, in_miles(dev)));
        change_screen(dev, PerfRunScreen);
        break;
    default: break;
    }
}

// ---- the run

constexpr Texts SECONDS = {"sec", "sec", "sec", "seg", "sek."};
constexpr Texts STOPPED = {"Stopped", "Arr\xEAt\xE9", "Fermato", "Detenido", "Beendet"};
constexpr Texts ARMED = {"Armed...", "Activ\xE9...", "Innescato...", "Listo...",
                         "Initialisiert..."};
constexpr Texts FINISHED = {"Finished", "Termin\xE9", "Fine", "Terminado", "Fertig"};

constexpr std::uint8_t TIME_X = 43;
constexpr std::uint8_t TIME_Y = 11;
constexpr std::uint8_t BAND_X = 18;
constexpr std::uint8_t BAND_Y = 43;
constexpr std::uint8_t BAND_TEXT_Y = 45;

PerfTimerResult read_unit(Device& dev) {
    PerfTimerResult r;
    perf_read(dev, r);
    return r;
}

void update_time(Device& dev) {
    const std::uint16_t t = read_unit(dev).time;
    // Tenths of a second, rounded, in the unit's 16 bits.
    auto d = static_cast<std::uint16_t>(((t / 16u) * 10u + 5u) / 16u);
    if (d > 999) d = 999;
    move_to(dev, TIME_X, TIME_Y);
    digits_update_large(dev, dev.screens.service.perf_shown_time,
                        format_decimal(dev, d, 2, 1, FMT_ZERO_PAD));
}

void draw_band(Device& dev) {
    move_to(dev, BAND_X, BAND_Y);
    draw_rect(dev, 92, 13, RECT_SET);
}

// A live value on the band, centred by its whole width, leading blanks included.
void draw_band_value(Device& dev, const char* number, const char* unit) {
    char text[16];
    text_copy(text, number);
    std::size_t end = 0;
    while (text[end] != '\0')
        ++end;
    text_copy(text + end, unit);
    draw_band(dev);
    const std::uint8_t w = text_width(dev, text);
    move_to(dev, static_cast<std::uint8_t>(64 - w / 2), BAND_TEXT_Y);
    text_draw(dev, text);
}

void draw_speed_line(Device& dev, std::uint16_t speed) {
    std::int32_t s = speed;
    const bool miles = in_miles(dev);
    if (miles) km_to_miles(s);
    std::int32_t v = (s + 5) / 10;
    // The target itself is never shown while the run is on.
    const std::int32_t top = miles ? 59 : 99;
    if (v > top) v = top;
    draw_band_value(dev, format_decimal(dev, v, 4, 0, FMT_PLUS), tr(dev, miles ? MPH : KPH));
}

void draw_distance_line(Device& dev, std::uint16_t metres) {
    std::int32_t m = metres;
    if (in_miles(dev)) {
        km_to_miles(m);
        draw_band_value(dev, format_decimal(dev, m, 1, 3, FMT_NONE), "mi");
    } else {
        draw_band_value(dev, format_decimal(dev, m, 3, 0, FMT_NONE), "m");
    }
}

void update_status(Device& dev) {
    ServiceScreenState& s = dev.screens.service;
    const PerfTimerResult r = read_unit(dev);
    const auto state = static_cast<std::uint8_t>(r.state);
    if (r.state == PERF_RUNNING) {
        if (s.perf_run_kind == PERF_RUN_SPEED)
            draw_speed_line(dev, r.speed);
        else
            draw_distance_line(dev, r.distance);
        s.perf_last_state = state;
        return;
    }
    if (state == s.perf_last_state) return;
    draw_band(dev);
    const char* text = nullptr;
    if (r.state == PERF_IDLE) {
        text = tr(dev, STOPPED);
        legend_erase_bottom_left(dev);
    } else if (r.state == PERF_ARMED) {
        text = tr(dev, ARMED);
    } else if (r.state == PERF_FINISHED) {
        text = tr(dev, FINISHED);
        legend_erase_bottom_left(dev);
    }
    if (text != nullptr) text_draw_at(dev, 64, BAND_TEXT_Y, ALIGN_CENTRE, text);
    s.perf_last_state = state;
}

void run_enter(Device& dev) {
    ServiceScreenState& s = dev.screens.service;
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
    legend_bottom_left(dev, legend_word(dev, Legend::Stop));
    const bool german = language_index(current_language(dev)) == language_index(LANG_GERMAN);
    text_draw_at(dev, 87, german ? 30 : 29, ALIGN_RIGHT, tr(dev, SECONDS));
    fill_blanks(s.perf_shown_time, 5);
    update_time(dev);
    move_to(dev, 95, 12);
    blit_picture(dev, StopwatchIcon);
    s.perf_last_state = PERF_NOTHING_SHOWN;
    update_status(dev);
}

void run_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: run_enter(dev); break;
    case EV_TICK_250MS:
        update_time(dev);
        update_status(dev);
        break;
    // The run goes on unseen; arming again starts afresh.
    case key_press(Button::TopLeft): change_screen(dev, PerfArmScreen); break;
    // The band shows the stop at the next tick.
    case key_press(Button::BottomLeft): perf_cancel(dev); break;
    default: break;
    }
}

} // namespace

QL_DEFINE_SCREEN(PerfMenuScreen, list_screen<RUN_LIST>);
QL_DEFINE_SCREEN(PerfArmScreen, arm_handle);
QL_DEFINE_SCREEN(PerfRunScreen, run_handle);

} // namespace ql
