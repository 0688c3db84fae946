#pragma once
#include <cstdint>

namespace ql {

struct Device;

// A screen is a constant object: a name that the simulator reports, and the routine that
// receives every event while the screen is current. Screens are reached only through
// change_screen.
struct Screen {
    const char* name;
    void (*handle)(Device& dev, std::uint8_t event);
};

} // namespace ql
