#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The speed-alarm threshold, shown and typed in the user's speed unit, and its switch.
extern const Screen SpeedAlarmScreen;
extern const Screen AlarmSpeedScreen;
extern const Screen AlarmSpeedEntryScreen;

} // namespace ql
