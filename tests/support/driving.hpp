#pragma once
// Driving the simulated vehicle in tests.

#include "device/device.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/vehicle.hpp"

namespace ql::test {

// Sets the simulated speed the way the Up and Down keys do, ten km/h a press.
inline void drive_at(Device& dev, int kmh) {
    while (get_speed(dev, SpeedSource::Current) < kmh * 10)
        vehicle_key(dev, KEY_UP);
    while (get_speed(dev, SpeedSource::Current) > kmh * 10)
        vehicle_key(dev, KEY_DOWN);
}

// `n` of the vehicle's 250 ms ticks, as the tick timer gives them.
inline void ticks(Device& dev, int n) {
    for (int i = 0; i < n; ++i)
        vehicle_tick(dev, TIMER_TICK);
}

} // namespace ql::test
