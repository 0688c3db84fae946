#pragma once
#include <cstdint>

namespace ql {

struct Device;

// Hands an event of the trip screen on to the page `page` (a trip_page value); any value that
// is not one of the six telemetry pages goes to the total distance page.
void trip_page_handle(Device& dev, std::uint8_t page, std::uint8_t event);

} // namespace ql
