#pragma once
#include "shell/shell.hpp"
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace ql {

// One line of the window's inspector panel: a label and its value.
struct InspectorLine {
    std::string label;
    std::string value;
    friend bool operator==(const InspectorLine&, const InspectorLine&) = default;
};

// How the window's clock runs, for the inspector and the title.
struct ClockView {
    double speed = 1;
    bool paused = false;
    bool seconds = true; // the simulated time and the device's clock to the second, or only
                         // to the minute
};

// The inspector's lines for a device state as print-state writes it (state_json): screen,
// simulated time and rate, vehicle, distances, pulses, fuel, clocks, performance timer, system
// flags, then the settings that change what the device shows.
std::vector<InspectorLine> inspector_lines(const nlohmann::ordered_json& state,
                                           const ClockView& clock);

// The same for the shell's device as it is now.
std::vector<InspectorLine> inspector_lines(Shell& shell, const ClockView& clock);

} // namespace ql
