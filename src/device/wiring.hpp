#pragma once
#include "device/power_on.hpp"
#include <cstdint>
#include <optional>

namespace ql {

struct Device;

// How the simulated hardware meets the device, message by message. The simulator and the
// tests both drive the device through these, so the order below exists once.

// Window creation: the panel, the button areas, the vehicle, the performance unit and the
// fuel sender are reset. The device is not powered yet.
void device_create(Device& dev);
// Window destruction.
void device_destroy(Device& dev);
// The first paint: power-on, then the main trip screen is entered.
void device_start(Device& dev, const PowerOnOptions& options = {});
// Switching the device off and on again, powering on from `options` (whose store is what the
// device kept). Off, it loses what it holds only while powered: the screens and their
// working values, the event queue and flags, the panel, the distance counters, the
// performance unit. The vehicle outside keeps its speed and its tank its sender reading, and
// the two clocks run on.
void device_power_cycle(Device& dev, const PowerOnOptions& options);

// One timer message: the button hold and repeat timers, the ticks, the vehicle's distance,
// the performance unit and the clocks, in that order, so that screens handling a tick see the
// distances and clocks of that same tick; then every queued event is handled.
void device_timer(Device& dev, std::uint8_t timer_id);
// An arrow key: the speed or the fuel reading.
void device_key(Device& dev, std::uint8_t key);
// One row of a recorded drive: the speed in 0.1 km/h and, when given, the fuel-sender reading.
void device_drive(Device& dev, std::uint16_t speed_tenths, std::optional<std::uint8_t> reading);
// The mouse on the faceplate.
void device_mouse_down(Device& dev, std::int16_t x, std::int16_t y);
void device_mouse_up(Device& dev);

} // namespace ql
