#pragma once
#include <cstdint>

namespace ql {

struct Device;

// Screens whose full behaviour is not built yet: they show the side bars with a back legend
// and go back to the trip screen when any key is let go, so that no half of a click
// reaches the trip screen.
void return_to_trip_screen(Device& dev, std::uint8_t event);

} // namespace ql
