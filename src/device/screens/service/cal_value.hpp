#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The calibration value in pulses per kilometre or per mile, shown and typed in directly.
extern const Screen CalValueScreen;
extern const Screen CalValueEditScreen;
extern const Screen CalValueRangeScreen;

} // namespace ql
