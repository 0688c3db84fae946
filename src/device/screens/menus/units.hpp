#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// Kilometres or miles, litres or gallons, toggled in place. Stored quantities are not
// converted: only the unit they are shown in changes.
extern const Screen UnitsScreen;

} // namespace ql
