#pragma once
#include <cstdint>

namespace ql {

// The working values of the calibration menu, the distance and fuel wizards and the calibration value entry.
struct CalibrationScreenState {};

} // namespace ql
