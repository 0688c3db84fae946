#pragma once
#include <cstdint>

namespace ql {

// Pages of the lower half of the trip screen; the first six are the telemetry_mask bits.
enum class TripPage : std::uint8_t {
    CurrentSpeed = 0x01,
    AverageSpeed = 0x02,
    MaximumSpeed = 0x04,
    Fuel = 0x08,
    Stopwatch = 0x10,
    Clock = 0x20,
    TotalDistance = 0x40,
};
inline constexpr TripPage PAGE_CURRENT_SPEED = TripPage::CurrentSpeed;
inline constexpr TripPage PAGE_AVERAGE_SPEED = TripPage::AverageSpeed;
inline constexpr TripPage PAGE_MAXIMUM_SPEED = TripPage::MaximumSpeed;
inline constexpr TripPage PAGE_FUEL = TripPage::Fuel;
inline constexpr TripPage PAGE_STOPWATCH = TripPage::Stopwatch;
inline constexpr TripPage PAGE_CLOCK = TripPage::Clock;
inline constexpr TripPage PAGE_TOTAL_DISTANCE = TripPage::TotalDistance;

// A page's bit in telemetry_mask (the total distance page has the bit above the six).
constexpr std::uint8_t page_bit(TripPage page) {
    return static_cast<std::uint8_t>(page);
}

// What the top-left key's press will do when it is let go.
enum class MenuKeyState : std::uint8_t {
    Idle = 0,
    Held = 1,    // became a hold: the release does nothing
    Pressed = 2, // the menu opens at the release
};
inline constexpr MenuKeyState MENU_KEY_IDLE = MenuKeyState::Idle;
inline constexpr MenuKeyState MENU_KEY_HELD = MenuKeyState::Held;
inline constexpr MenuKeyState MENU_KEY_PRESSED = MenuKeyState::Pressed;

// stopwatch_flags
inline constexpr std::uint8_t STOPWATCH_PRESS_USED = 0x01;
inline constexpr std::uint8_t STOPWATCH_MINUTES_LABEL = 0x02;
inline constexpr std::uint8_t STOPWATCH_HOURS_LABEL = 0x04;

// The trip screen and its pages. trip_page outlives the screen, so the trip screen reopens
// on the page last shown.
struct TripScreenState {
    TripPage trip_page = PAGE_TOTAL_DISTANCE;
    MenuKeyState menu_key_state = MENU_KEY_IDLE;
    std::uint8_t interval_decimals = 0;
    char interval_shown[7] = "      ";

    // The value each page last drew, for redrawing only the cells that changed.
    char current_speed_shown[5] = "    ";
    char average_speed_shown[7] = "      ";
    char maximum_speed_shown[5] = "    ";
    char fuel_shown[6] = "     ";
    char stopwatch_shown[9] = "        ";
    char clock_shown[9] = "        ";
    char total_shown[7] = "      ";

    std::uint8_t total_decimals = 0;
    std::uint8_t total_hold = 0;
    std::uint8_t stopwatch_flags = 0;
};

} // namespace ql
