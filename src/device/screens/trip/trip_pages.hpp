#pragma once
#include "device/screens/trip/trip_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

// Hands an event of the trip screen on to the page `page`; any value that is not one of the
// six telemetry pages goes to the total distance page.
void trip_page_handle(Device& dev, TripPage page, std::uint8_t event);

// A distance counter in the display unit and resolution: the value to show and its decimals.
std::uint8_t distance_for_display(Device& dev, std::int32_t& value);

} // namespace ql
