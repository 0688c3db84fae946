#pragma once
#include <cstdint>

namespace ql {

// Virtual key codes of the keyboard keys the simulator passes to the hardware models.
inline constexpr std::uint8_t KEY_LEFT = 0x25;
inline constexpr std::uint8_t KEY_UP = 0x26;
inline constexpr std::uint8_t KEY_RIGHT = 0x27;
inline constexpr std::uint8_t KEY_DOWN = 0x28;

} // namespace ql
