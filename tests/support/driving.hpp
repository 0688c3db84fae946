#pragma once
// Sets the simulated speed the way the Up and Down keys do, ten km/h a press.

#include "device/device.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/vehicle.hpp"

namespace ql::test {

inline void drive_at(Device& dev, int kmh) {
    while (get_speed(dev, SpeedSource::Current) < kmh * 10)
        vehicle_key(dev, KEY_UP);
    while (get_speed(dev, SpeedSource::Current) > kmh * 10)
        vehicle_key(dev, KEY_DOWN);
}

} // namespace ql::test
