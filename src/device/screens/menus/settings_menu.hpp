#pragma once
#include <cstdint>

namespace ql {

struct Device;

// "[on]" or "[off]" in the current language, as the settings lists show a switch.
const char* on_off_value(Device& dev, bool on);

} // namespace ql
