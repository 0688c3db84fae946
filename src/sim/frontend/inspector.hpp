#pragma once
#include "sim/gps/gps_view.hpp"
#include "sim/host/shell.hpp"
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

// The levels the device drives the LCD at: the backlight as stored (BACKLIGHT_OFF, _DIM or
// _ON) and the contrast (0-63), the one being set while the contrast screen is shown. The
// simulated panel's colours never change with them.
struct PanelLevels {
    std::uint8_t backlight = 0;
    std::uint8_t contrast = 0;
    friend bool operator==(const PanelLevels&, const PanelLevels&) = default;
};
PanelLevels panel_levels(const Device& dev);

// "off", "dim", "on"; a value the device reads as dim says so: "dim (stored 100)".
std::string backlight_text(std::uint8_t backlight);
// "50% (32 of 63)", the percentage as the contrast screen shows it.
std::string contrast_text(std::uint8_t contrast);
// What the hint line says when a level changed, "Backlight: dim"; empty when none did.
std::string panel_change_text(const PanelLevels& before, const PanelLevels& now);

// The inspector's lines for the shell's device as it is now, with the values print-state
// gives: screen, simulated time and rate, vehicle, distances, pulses, fuel, clocks,
// performance timer, system flags by name, a recorded drive's progress, the backlight and
// contrast, then the settings that change what the device shows (telemetry pages by name).
// With a live receiver (`gps`), its fix, satellites, speed and distance where a recorded
// drive's progress would be. At most 24 lines: as many as fit beside the faceplate.
std::vector<InspectorLine> inspector_lines(Shell& shell, const ClockView& clock,
                                           const GpsView* gps = nullptr);

// The receiver's two lines: "3D fix, 7 satellites" and "54.3 km/h, 1234 m since start".
std::vector<InspectorLine> gps_lines(const GpsView& gps);

} // namespace ql
