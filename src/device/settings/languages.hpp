#pragma once
#include <cstdint>

namespace ql {

struct Device;

// Languages are one-hot bits; screens test them in this order.
inline constexpr std::uint8_t LANG_ENGLISH = 0x01;
inline constexpr std::uint8_t LANG_FRENCH = 0x02;
inline constexpr std::uint8_t LANG_ITALIAN = 0x04;
inline constexpr std::uint8_t LANG_SPANISH = 0x08;
inline constexpr std::uint8_t LANG_GERMAN = 0x10;
inline constexpr std::uint8_t LANGUAGE_COUNT = 5;

// The column of a five-language table (English, French, Italian, Spanish, German) for a
// language: the first of its bits in that order, English when it has none.
constexpr std::uint8_t language_index(std::uint8_t language) {
    constexpr std::uint8_t order[] = {LANG_ENGLISH, LANG_FRENCH, LANG_ITALIAN, LANG_SPANISH,
                                      LANG_GERMAN};
    for (std::uint8_t i = 0; i < LANGUAGE_COUNT; ++i)
        if ((language & order[i]) != 0) return i;
    return 0;
}

// One thing in each of the five languages, always all five, in the order English, French,
// Italian, Spanish, German: the words of a screen (Texts) or the bitmaps of a legend.
template <typename T> struct PerLanguage {
    T english, french, italian, spanish, german;

    constexpr const T& in(std::uint8_t language) const {
        switch (language_index(language)) {
        case 1: return french;
        case 2: return italian;
        case 3: return spanish;
        case 4: return german;
        default: return english;
        }
    }
};

// Texts are NUL-terminated Latin-1 byte strings ("\xE9" is e acute).
using Texts = PerLanguage<const char*>;

// The language the device shows now.
std::uint8_t current_language(Device& dev);

// The text in the current language.
template <typename T> const T& tr(Device& dev, const PerLanguage<T>& texts) {
    return texts.in(current_language(dev));
}

} // namespace ql
