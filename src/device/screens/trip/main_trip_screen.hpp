#pragma once
#include <cstdint>

namespace ql {

struct Device;

// Moves trip_page to the next page enabled in telemetry_mask; total distance is always there.
void advance_trip_page(Device& dev);

// A distance counter in the display unit and resolution: the value to show and its decimals.
std::uint8_t distance_for_display(Device& dev, std::int32_t& value);

} // namespace ql
