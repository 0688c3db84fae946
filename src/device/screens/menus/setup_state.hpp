#pragma once
#include "device/hardware/vehicle_state.hpp"
#include <cstdint>

namespace ql {

// The working values of set distance, the speed alarm, the clock adjustment, About and the
// factory reset.
struct SetupScreenState {
    // Set distance: the counter its editor loads.
    Counter distance_target = COUNTER_INTERVAL;

    // Speed alarm: the three digits the alarm speed screen shows and its editor changes.
    char alarm_speed_text[4] = "000";

    // Clock adjustment: HH:MM:SS as the user left it; kept for a retry after the error screen.
    char clock_edit_text[9] = "00:00:00";
    bool clock_edit_retry = false;
};

} // namespace ql
