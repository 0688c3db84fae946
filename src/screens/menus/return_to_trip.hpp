#pragma once
#include <cstdint>

namespace ql {

struct Device;

// Screens whose full behaviour is not built yet: they show the side bars with a back legend
// and go back to the trip screen on any key.
void return_to_trip_screen(Device& dev, std::uint8_t event);

} // namespace ql
