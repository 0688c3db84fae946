#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// Counting direction, resolution and sleep, each toggled in place.
extern const Screen AdvancedScreen;

} // namespace ql
