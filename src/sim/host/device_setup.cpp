#include "sim/host/device_setup.hpp"
#include "device/settings/languages.hpp"
#include <charconv>

namespace ql {

namespace {

constexpr std::uint8_t LANGUAGE_BITS[] = {LANG_ENGLISH, LANG_FRENCH, LANG_ITALIAN, LANG_SPANISH,
                                          LANG_GERMAN};

} // namespace

std::string offered_languages(Variant variant) {
    const std::uint8_t mask = variant_language_mask(variant);
    std::string names;
    int left = 0;
    for (std::uint8_t bit : LANGUAGE_BITS)
        if ((mask & bit) != 0) ++left;
    for (std::size_t i = 0; i < LANGUAGE_COUNT; ++i) {
        if ((mask & LANGUAGE_BITS[i]) == 0) continue;
        --left;
        names += LANGUAGE_NAMES[i];
        if (left > 1) names += ", ";
        if (left == 1) names += " and ";
    }
    return names;
}

bool resolve_power_on(const std::string& variant, const std::string& language,
                      PowerOnOptions& options, std::string& error) {
    options = PowerOnOptions{};
    if (!variant.empty()) {
        unsigned value = 0;
        const char* last = variant.data() + variant.size();
        const auto [ptr, ec] = std::from_chars(variant.data(), last, value);
        if (ec != std::errc() || ptr != last || value > 255) {
            error = "--variant " + variant + ": the variant is a whole number from 0 to 255";
            return false;
        }
        options.variant = static_cast<Variant>(value);
    }
    if (language.empty()) return true;
    for (std::size_t i = 0; i < LANGUAGE_COUNT; ++i) {
        if (language != LANGUAGE_NAMES[i]) continue;
        if ((variant_language_mask(options.variant) & LANGUAGE_BITS[i]) == 0) {
            error = "--language " + language + ": variant " + std::to_string(options.variant) +
                    " offers only " + offered_languages(options.variant);
            return false;
        }
        options.language = LANGUAGE_BITS[i];
        return true;
    }
    error = "--language " + language +
            ": the languages are english, french, italian, spanish and german";
    return false;
}

} // namespace ql
