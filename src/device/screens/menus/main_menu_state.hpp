#pragma once
#include <cstdint>

namespace ql {

// The working values of the main menu, kept across visits until power-off.
struct MainMenuState {
    std::uint8_t main_menu_selection = 2;    // the selected entry; "Calibration" after power-on
    std::uint8_t main_menu_count = 7;        // entries offered: 6 without the speed alarm
    std::uint8_t main_menu_idle_seconds = 0; // whole seconds since entry or the last step
};

} // namespace ql
