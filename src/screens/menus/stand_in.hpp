#pragma once
#include <cstdint>

namespace ql {

struct Device;

// An entry of the main menu whose screen is not built yet: it shows the side bars with the
// back legend and returns to the main menu on the back button.
void return_to_menu_screen(Device& dev, std::uint8_t event);

} // namespace ql
