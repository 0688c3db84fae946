#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen CalibrationMenuScreen;

} // namespace ql
