#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The calibration list: the distance wizard, the fuel wizard and the calibration value.
extern const Screen CalibrationMenuScreen;

} // namespace ql
