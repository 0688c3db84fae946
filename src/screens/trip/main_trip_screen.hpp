#pragma once
#include "kernel/screen.hpp"
#include <cstdint>

namespace ql {

// The run screen: the interval distance above, one trip value page below.
extern const Screen MainTripScreen;

// Moves trip_page to the next page enabled in telemetry_mask; total distance is always there.
void advance_trip_page(Device& dev);

// Index 0-4 of the language bit in the order English, French, Italian, Spanish, German.
std::uint8_t language_index(std::uint8_t language);

// A distance counter in the display unit and resolution: the value to show and its decimals.
std::uint8_t distance_for_display(Device& dev, std::int32_t& value);

} // namespace ql
