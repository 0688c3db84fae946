#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The fuel calibration wizard: from an empty tank the driver adds fuel in steps and types the
// amount in the tank at each, until the tank is full or ten set points are recorded; the
// table then goes to the settings and the fuel sender, and the trip display shows fuel.
extern const Screen FuelCalEmptyScreen;
extern const Screen FuelCalAmountScreen;
extern const Screen FuelCalAddScreen;
extern const Screen FuelCalFullScreen;
extern const Screen FuelCalDoneScreen;
extern const Screen FuelCalSignalScreen;
extern const Screen FuelCalDecreaseScreen;
extern const Screen FuelCalMaxScreen;

} // namespace ql
