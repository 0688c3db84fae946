#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// Switches each of the trip screen's six value pages on or off.
extern const Screen TelemetryScreen;

} // namespace ql
