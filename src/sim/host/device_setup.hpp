#pragma once
#include "device/power_on.hpp"
#include <string>

namespace ql {

// The language names of the command line, in the order of the five-language tables.
inline constexpr const char* LANGUAGE_NAMES[] = {"english", "french", "italian", "spanish",
                                                 "german"};

// Turns --variant (empty when not given) and --language (empty when not given) into what
// power-on sets up. A language the variant does not offer is refused with a message naming
// the ones it does.
bool resolve_power_on(const std::string& variant, const std::string& language,
                      PowerOnOptions& options, std::string& error);

// "english and italian", "english, french, italian, spanish and german".
std::string offered_languages(Variant variant);

} // namespace ql
