#pragma once
#include "device/screens/common/list_screen_state.hpp"
#include <cstdint>

namespace ql {

// The working values of the settings list and its sub-screens. Every list keeps its selection
// and scroll position until power-off.
struct SettingsScreenState {
    ListScreenState settings;
    ListScreenState advanced;
    ListScreenState language;
    ListScreenState telemetry;
    ListScreenState units;
    // The nine functions, one item array shared by both inputs, with input A's list; input B
    // has a list of its own over the same items.
    ListScreenState aux_functions;
    ListMenu aux_b_menu;
    // The contrast being edited, stored when its screen is left, and the bar width shown.
    std::uint8_t contrast_value = 0;
    std::uint8_t contrast_bar_width = 0;
};

} // namespace ql
