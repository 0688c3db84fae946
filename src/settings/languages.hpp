#pragma once
#include <cstdint>

namespace ql {

// Languages are one-hot bits; screens test them in this order.
inline constexpr std::uint8_t LANG_ENGLISH = 0x01;
inline constexpr std::uint8_t LANG_FRENCH = 0x02;
inline constexpr std::uint8_t LANG_ITALIAN = 0x04;
inline constexpr std::uint8_t LANG_SPANISH = 0x08;
inline constexpr std::uint8_t LANG_GERMAN = 0x10;

} // namespace ql
