#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// Sets the time of day in 24-hour form; an hour of 24 or more leads to the error screen,
// whose back button reopens the adjustment on the rejected time.
extern const Screen ClockAdjustScreen;
extern const Screen ClockErrorScreen;

} // namespace ql
