#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// Loads the interval or the total distance with a signed value typed digit by digit.
extern const Screen SetDistanceScreen;
extern const Screen DistanceEntryScreen;

} // namespace ql
