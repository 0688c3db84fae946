#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The display and behaviour settings: backlight changed in place, the other rows open the
// contrast, units, telemetry, auxiliary input, advanced and language screens.
extern const Screen SettingsMenuScreen;

// "[on]" or "[off]" in the current language, as the settings lists show a switch.
const char* on_off_value(Device& dev, bool on);

} // namespace ql
