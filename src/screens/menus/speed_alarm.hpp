#pragma once
#include "kernel/screen.hpp"

namespace ql {

extern const Screen SpeedAlarmScreen;

} // namespace ql
