#pragma once
#include "device/screens/common/list_screen_state.hpp"
#include "device/settings/settings_state.hpp"
#include <cstdint>

namespace ql {

// The working values of the calibration menu, the distance and fuel wizards and the calibration
// value entry.
struct CalibrationScreenState {
    // The three-item calibration list; its selection is kept across visits.
    ListScreenState menu;

    // Distance wizard: the running pulse total when the driver confirmed the start and the end
    // of the measured stretch, and which of the three progress dots is solid.
    std::uint32_t cal_start_count = 0;
    std::uint32_t cal_end_count = 0;
    std::uint8_t drive_anim_step = 0;

    // Fuel wizard: the table under construction. While the wizard runs its count is the index
    // of the set point being recorded; at the end it becomes the number of points, negated
    // for a sender whose reading falls as the tank fills.
    FuelTable fuel_cal_table;
    bool fuel_cal_inverted = false;
};

} // namespace ql
