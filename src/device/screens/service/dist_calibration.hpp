#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The distance calibration wizard: the driver confirms the start and the end of a measured
// stretch, types its length, and the device stores the pulses per kilometre it counted.
extern const Screen DistCalStartScreen;
extern const Screen DistCalDriveScreen;
extern const Screen DistCalEntryScreen;
extern const Screen DistCalDoneScreen;
extern const Screen DistCalNoPulsesScreen;
extern const Screen DistCalZeroScreen;
extern const Screen DistCalHighScreen;
extern const Screen DistCalLowScreen;

} // namespace ql
