#pragma once
#include "device/settings/settings_state.hpp"
#include <cstdint>

namespace ql {

// The working values of the distance and fuel wizards.
struct CalibrationScreenState {
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
