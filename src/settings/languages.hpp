#pragma once
#include <cstdint>

namespace ql {

// Languages are one-hot bits; screens test them in this order.
inline constexpr std::uint8_t LANG_ENGLISH = 0x01;
inline constexpr std::uint8_t LANG_FRENCH = 0x02;
inline constexpr std::uint8_t LANG_ITALIAN = 0x04;
inline constexpr std::uint8_t LANG_SPANISH = 0x08;
inline constexpr std::uint8_t LANG_GERMAN = 0x10;

// The column of a five-language table (English, French, Italian, Spanish, German) for a
// language: the first of its bits in that order, English when it has none.
constexpr std::uint8_t language_index(std::uint8_t language) {
    constexpr std::uint8_t order[] = {LANG_ENGLISH, LANG_FRENCH, LANG_ITALIAN, LANG_SPANISH,
                                      LANG_GERMAN};
    for (std::uint8_t i = 0; i < 5; ++i)
        if ((language & order[i]) != 0) return i;
    return 0;
}

} // namespace ql
