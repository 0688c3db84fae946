#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen ClockAdjustScreen;

} // namespace ql
