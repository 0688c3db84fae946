#pragma once
#include <cstdint>

namespace ql {

// Pages of the lower half of the trip screen; the first six are the telemetry_mask bits.
inline constexpr std::uint8_t PAGE_CURRENT_SPEED = 0x01;
inline constexpr std::uint8_t PAGE_AVERAGE_SPEED = 0x02;
inline constexpr std::uint8_t PAGE_MAXIMUM_SPEED = 0x04;
inline constexpr std::uint8_t PAGE_FUEL = 0x08;
inline constexpr std::uint8_t PAGE_STOPWATCH = 0x10;
inline constexpr std::uint8_t PAGE_CLOCK = 0x20;
inline constexpr std::uint8_t PAGE_TOTAL_DISTANCE = 0x40;

// menu_key_state
inline constexpr std::uint8_t MENU_KEY_IDLE = 0;
inline constexpr std::uint8_t MENU_KEY_HELD = 1;    // became a hold: the release does nothing
inline constexpr std::uint8_t MENU_KEY_PRESSED = 2; // the menu opens at the release

// stopwatch_flags
inline constexpr std::uint8_t STOPWATCH_PRESS_USED = 0x01;
inline constexpr std::uint8_t STOPWATCH_MINUTES_LABEL = 0x02;
inline constexpr std::uint8_t STOPWATCH_HOURS_LABEL = 0x04;

// The trip screen and its pages. trip_page outlives the screen, so the trip screen reopens
// on the page last shown.
struct TripScreenState {
    std::uint8_t trip_page = PAGE_TOTAL_DISTANCE;
    std::uint8_t menu_key_state = MENU_KEY_IDLE;
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
