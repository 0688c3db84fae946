#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/screens/trip/trip_pages.hpp"
#include "device/settings/settings.hpp"
#include "resources/icons.hpp"

namespace ql {

namespace {

// Moves trip_page to the next page enabled in telemetry_mask; total distance is always there.
void advance_trip_page(Device& dev) {
    TripScreenState& trip = dev.screens.trip;
    const std::uint8_t shown =
        static_cast<std::uint8_t>(get_telemetry_mask(dev) | page_bit(PAGE_TOTAL_DISTANCE));
    std::uint8_t bit = page_bit(trip.trip_page);
    do {
        bit = static_cast<std::uint8_t>(bit << 1);
        if (bit > page_bit(PAGE_TOTAL_DISTANCE) || bit == 0) bit = page_bit(PAGE_CURRENT_SPEED);
    } while ((bit & shown) == 0);
    trip.trip_page = static_cast<TripPage>(bit);
}

constexpr std::uint8_t INTERVAL_X = 20;
constexpr std::uint8_t INTERVAL_Y = 7;

void refresh_interval(Device& dev) {
    TripScreenState& trip = dev.screens.trip;
    std::int32_t v = 0;
    get_distance_counter(dev, COUNTER_INTERVAL, v);
    const std::uint8_t d = distance_for_display(dev, v);
    if (d != trip.interval_decimals) {
        // The point moves: clear the whole number so no old cell survives.
        move_to(dev, INTERVAL_X, INTERVAL_Y);
        draw_rect(dev, 73, 17, RECT_CLEAR);
        trip.interval_decimals = d;
        fill_blanks(trip.interval_shown, 6);
    }
    const char* text = format_decimal(dev, v, static_cast<std::uint8_t>(5 - d), d, FMT_MINUS);
    move_to(dev, INTERVAL_X, INTERVAL_Y);
    digits_update_large(dev, trip.interval_shown, text);
}

void draw_header(Device& dev) {
    legend_top_right(dev, legend_word(dev, Legend::Clear));
    move_to(dev, 101, 9);
    draw_rect(dev, 7, 4, RECT_CLEAR);
    move_to(dev, 101, 9);
    const auto& mark =
        get_count_direction(dev) == CountDirection::Down ? DirectionDownIcon : DirectionUpIcon;
    blit_picture(dev, mark);
    if (get_distance_unit(dev) == DistanceUnit::Miles)
        text_draw_at(dev, 99, 16, ALIGN_LEFT, "mi");
    else
        text_draw_at(dev, 98, 16, ALIGN_LEFT, "km");
    fill_blanks(dev.screens.trip.interval_shown, 6);
    refresh_interval(dev);
}

void enter(Device& dev) {
    TripScreenState& trip = dev.screens.trip;
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Menu));
    draw_header(dev);
    trip.menu_key_state = MENU_KEY_IDLE;
    const std::uint8_t mask = get_telemetry_mask(dev);
    // A page switched off in the telemetry menu since the last visit is moved on.
    if (trip.trip_page != PAGE_TOTAL_DISTANCE && (page_bit(trip.trip_page) & mask) == 0)
        advance_trip_page(dev);
    if (mask != 0) legend_bottom_left(dev, legend_word(dev, Legend::Mode));
}

void toggle_backlight(Device& dev) {
    const std::uint8_t level = get_backlight(dev) == BACKLIGHT_DIM ? BACKLIGHT_ON : BACKLIGHT_DIM;
    apply_hardware_setting(dev, level);
    set_backlight(dev, level);
}

void handle(Device& dev, std::uint8_t event) {
    TripScreenState& trip = dev.screens.trip;
    switch (event) {
    case EV_ENTER: enter(dev); break;
    case EV_TICK_500MS: refresh_interval(dev); break;
    case key_press(BTN_TOP_LEFT):
        if (trip.menu_key_state == MENU_KEY_IDLE) trip.menu_key_state = MENU_KEY_PRESSED;
        break;
    case key_hold(BTN_TOP_LEFT):
        toggle_backlight(dev);
        trip.menu_key_state = MENU_KEY_HELD;
        break;
    case key_release(BTN_TOP_LEFT):
        if (trip.menu_key_state == MENU_KEY_PRESSED) change_screen(dev, MainMenuScreen);
        trip.menu_key_state = MENU_KEY_IDLE;
        break;
    case key_press(BTN_BOTTOM_LEFT):
        // The new page takes this same press as its signal to draw itself.
        move_to(dev, 11, 33);
        draw_rect(dev, 106, 31, RECT_CLEAR);
        legend_erase_bottom_right(dev);
        advance_trip_page(dev);
        break;
    case key_press(BTN_TOP_RIGHT):
        set_distance_counter(dev, COUNTER_INTERVAL, 0);
        refresh_interval(dev);
        break;
    default: break;
    }
    trip_page_handle(dev, trip.trip_page, event);
}

} // namespace

QL_DEFINE_SCREEN(MainTripScreen, handle);

} // namespace ql
