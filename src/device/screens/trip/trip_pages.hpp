#pragma once
#include "device/screens/trip/trip_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

// Hands an event of the trip screen on to the page `page`; any value that is not one of the
// six telemetry pages goes to the total distance page.
void trip_page_handle(Device& dev, TripPage page, std::uint8_t event);

} // namespace ql
