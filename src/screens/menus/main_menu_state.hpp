#pragma once
#include <cstdint>

namespace ql {

// The working values of the main menu.
struct MainMenuState {};

} // namespace ql
