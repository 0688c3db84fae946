#pragma once
#include <cstdint>

namespace ql {

// Event codes: the high nibble is the kind, the low nibble the button where there is one.
inline constexpr std::uint8_t EV_ENTER = 0x10;
inline constexpr std::uint8_t EV_EXIT = 0x20;
inline constexpr std::uint8_t EV_TICK_250MS = 0x40;
inline constexpr std::uint8_t EV_TICK_500MS = 0x50;
inline constexpr std::uint8_t EV_TICK_1S = 0x60;
inline constexpr std::uint8_t EV_KEY_PRESS = 0x70;   // + button; also every auto-repeat
inline constexpr std::uint8_t EV_KEY_HOLD = 0x80;    // + button; held for one second
inline constexpr std::uint8_t EV_KEY_RELEASE = 0x90; // + button

inline constexpr std::uint8_t BTN_TOP_LEFT = 0;
inline constexpr std::uint8_t BTN_BOTTOM_LEFT = 1;
inline constexpr std::uint8_t BTN_BOTTOM_RIGHT = 2;
inline constexpr std::uint8_t BTN_TOP_RIGHT = 3;

// Sticky diagnostic bits of SystemFlags.
inline constexpr std::uint16_t SF_QUEUE_OVERFLOW = 0x0001;
inline constexpr std::uint16_t SF_SETTING_RANGE = 0x0008;

} // namespace ql
