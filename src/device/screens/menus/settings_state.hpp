#pragma once
#include "device/screens/common/list_screen_state.hpp"
#include <cstdint>

namespace ql {

// The working values of the settings screens that are not in a list slot of their own.
struct SettingsScreenState {
    // The nine auxiliary functions, one item array shared by both inputs, with input A's list;
    // input B has a list of its own over the same items. Each keeps its selection and scroll
    // position until power-off.
    ListScreenState aux_functions;
    ListMenu aux_b_menu;
    // The contrast being edited, stored when its screen is left, and the bar width shown.
    std::uint8_t contrast_value = 0;
    std::uint8_t contrast_bar_width = 0;
};

} // namespace ql
