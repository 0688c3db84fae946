#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The performance timer: the choice of run, the arming page and the run itself.
extern const Screen PerfMenuScreen;
extern const Screen PerfArmScreen;
extern const Screen PerfRunScreen;

} // namespace ql
