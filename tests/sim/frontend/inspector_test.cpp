#include "device/wiring.hpp"
#include "device/hardware/keys.hpp"
#include "device/screens/screen_list.hpp"
#include "sim/frontend/inspector.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/script/state_dump.hpp"
#include "device/kernel/kernel.hpp"
#include <gtest/gtest.h>
#include <map>

namespace ql {
namespace {

using Lines = std::map<std::string, std::string>;

// The labelled lines by label; the fuel table's continuation rows under "+1", "+2", ...
Lines by_label(const std::vector<InspectorLine>& lines) {
    Lines out;
    int row = 0;
    for (const InspectorLine& line : lines)
        out[line.label.empty() ? "+" + std::to_string(++row) : line.label] = line.value;
    return out;
}

// The values the inspector shows against those print-state gives for the same device.
void expect_agrees_with_state(Shell& shell, const Lines& lines) {
    const auto state = state_json(shell);
    const auto& vehicle = state["vehicle"];
    EXPECT_EQ(lines.at("Screen"), state["screen"].get<std::string>());
    EXPECT_EQ(lines.at("Interval").substr(0, lines.at("Interval").find(',')),
              std::to_string(vehicle["interval_m"].get<int>()) + " m");
    EXPECT_EQ(lines.at("Total"), std::to_string(vehicle["total_m"].get<int>()) + " m");
    EXPECT_EQ(lines.at("Pulses"), std::to_string(vehicle["pulse_count"].get<unsigned>()) + " (" +
                                      std::to_string(vehicle["pulses_per_km"].get<unsigned>()) +
                                      " a km)");
}

TEST(Inspector, AfterDrivingShowsTheDistancesPulsesAndSpeedPrintStateGives) {
    Shell shell;
    shell_paint(shell);
    for (int i = 0; i < 10; ++i)
        shell_key_down(shell, KEY_UP);
    for (int i = 0; i < 7; ++i)
        shell_key_down(shell, KEY_RIGHT);
    shell_advance_to(shell, 36'000);
    const Lines lines = by_label(inspector_lines(shell, {}));
    expect_agrees_with_state(shell, lines);
    // 36 s at 100 km/h is one kilometre.
    EXPECT_EQ(lines.at("Interval"), "1000 m, counting up");
    EXPECT_EQ(lines.at("Total"), "1000 m");
    EXPECT_EQ(lines.at("Pulses"), "1000 (1000 a km)");
    EXPECT_EQ(lines.at("Speed"), "100 km/h, max 100");
    EXPECT_EQ(lines.at("Screen"), "MainTripScreen");
    EXPECT_EQ(lines.at("Time"), "0:00:36");
    EXPECT_EQ(lines.at("Fuel").substr(0, 11), "reading 7, ");
    EXPECT_EQ(lines.at("Flags"), "none");
    // The factory settings of the Italian variant.
    EXPECT_EQ(lines.at("Variant"), "2 (IT)");
    EXPECT_EQ(lines.at("Language"), "Italian (EN IT)");
    EXPECT_EQ(lines.at("Units"), "km, litres, rally (10 m)");
    EXPECT_EQ(lines.at("Backlight"), "on");
    EXPECT_EQ(lines.at("Contrast"), "50% (32 of 63)");
    EXPECT_EQ(lines.at("Telemetry"), "speed, maximum, clock");
    EXPECT_EQ(lines.count("Drive"), 0u);
    EXPECT_EQ(lines.at("Performance"), "idle");
    EXPECT_EQ(lines.at("Fuel table"), "none");

    // A recorded drive's tenths of km/h are shown as print-state gives them.
    device_drive(shell.dev, 505, std::nullopt);
    shell_advance_to(shell, 37'000);
    EXPECT_EQ(by_label(inspector_lines(shell, {})).at("Speed"), "50.5 km/h, max 100");
}

TEST(Inspector, InAMenuPausedOrFastTheScreenAndRateFollow) {
    Shell shell;
    shell_paint(shell);
    shell_advance_to(shell, 65'400);
    shell_button_key_down(shell, Button::TopLeft);
    shell_button_key_up(shell, Button::TopLeft);
    Lines lines = by_label(inspector_lines(shell, {1, true, true}));
    expect_agrees_with_state(shell, lines);
    EXPECT_EQ(lines.at("Screen"), "MainMenuScreen");
    EXPECT_EQ(lines.at("Time"), "0:01:05 paused");
    lines = by_label(inspector_lines(shell, {16, false, false}));
    EXPECT_EQ(lines.at("Time"), "0:01 x16"); // to the minute: the window has no focus
    EXPECT_EQ(lines.at("Clock").size(), 5u); // "hh:mm"
    EXPECT_EQ(by_label(inspector_lines(shell, {0.25, false, true})).at("Time"), "0:01:05 x0.25");
}

TEST(Inspector, SettingsOfAnotherVariantAndAFallingFuelTable) {
    Shell shell;
    shell.power_on_options.variant = VARIANT_UK;
    shell_paint(shell);
    Settings& s = shell.dev.settings;
    s.count_direction = 1;
    s.resolution = 1;
    s.telemetry_mask = 0x2b;
    s.fuel_count = -4; // falls as the tank fills: readings held as 255 - reading
    s.fuel_readings = {5, 55, 155, 250};
    s.fuel_volumes = {0, 1000, 2550, 4000};
    const auto lines = inspector_lines(shell, {});
    const Lines by = by_label(lines);
    const auto settings = state_json(shell)["settings"];
    EXPECT_EQ(by.at("Variant"), std::to_string(settings["variant"].get<int>()) + " (UK)");
    EXPECT_EQ(by.at("Units").substr(0, 6), "miles,");
    EXPECT_EQ(settings["distance_unit"], 1);
    EXPECT_EQ(by.at("Interval"), "0 m, counting down");
    EXPECT_EQ(by.at("Units"), "miles, litres, high (1 m)");
    EXPECT_EQ(by.at("Telemetry"), "speed, average, fuel, clock");
    EXPECT_EQ(by.at("Fuel table"), "4 points, falling");
    EXPECT_EQ(by.at("+1"), "250=0.0  200=10.0  100=25.5");
    EXPECT_EQ(by.at("+2"), "5=40.0");
    // The table ends the panel; nothing is cut off: at most 24 lines fit beside the faceplate.
    EXPECT_EQ(lines.back().value, "5=40.0");
}

// Holding MENU dims the backlight and the contrast screen changes the contrast: the panel's
// colours stay, the inspector names the levels (the contrast as it is being set), and the
// hint line's message says what changed.
TEST(Inspector, BacklightAndContrastFollowTheDevice) {
    Shell shell;
    shell_paint(shell);
    PanelLevels before = panel_levels(shell.dev);
    shell_button_key_down(shell, BTN_TOP_LEFT);
    shell_advance_to(shell, 1200);
    shell_button_key_up(shell, BTN_TOP_LEFT);
    EXPECT_EQ(state_json(shell)["settings"]["backlight"], BACKLIGHT_DIM);
    EXPECT_EQ(by_label(inspector_lines(shell, {})).at("Backlight"), "dim");
    EXPECT_EQ(panel_change_text(before, panel_levels(shell.dev)), "Backlight: dim");
    EXPECT_EQ(panel_change_text(panel_levels(shell.dev), panel_levels(shell.dev)), "");

    before = panel_levels(shell.dev);
    change_screen(shell.dev, ContrastScreen);
    run_pending_events(shell.dev);
    shell_button_key_down(shell, BTN_TOP_RIGHT);
    shell_button_key_up(shell, BTN_TOP_RIGHT);
    shell_button_key_down(shell, BTN_TOP_RIGHT);
    shell_button_key_up(shell, BTN_TOP_RIGHT);
    EXPECT_EQ(state_json(shell)["settings"]["contrast"], 32); // stored when the screen is left
    EXPECT_EQ(by_label(inspector_lines(shell, {})).at("Contrast"), "53% (34 of 63)");
    EXPECT_EQ(panel_change_text(before, panel_levels(shell.dev)), "Contrast: 53% (34 of 63)");

    // A stored level the device reads as another says so.
    shell.dev.settings.backlight = 100;
    shell.dev.settings.contrast = 70;
    EXPECT_EQ(backlight_text(panel_levels(shell.dev).backlight), "dim (stored 100)");
    EXPECT_EQ(contrast_text(70), "100% (stored 70)");
}

// The system flags and the telemetry pages by name; a recorded drive's progress, then its end.
// With all of them and a full fuel table, every line still fits beside the faceplate.
TEST(Inspector, FlagsPagesAndARecordedDriveByName) {
    Shell shell;
    shell_paint(shell);
    shell.dev.kernel.system_flags = SF_QUEUE_OVERFLOW | SF_SETTING_RANGE;
    shell.dev.settings.telemetry_mask = 0x3f;
    shell_start_drive(shell, {{0, 360, 10}, {2000, 725, 99}, {5000, 0, std::nullopt}});
    shell_advance_to(shell, 1000);
    Lines lines = by_label(inspector_lines(shell, {}));
    EXPECT_EQ(lines.at("Flags"), "queue overflow, setting replaced");
    EXPECT_EQ(lines.at("Telemetry"), "speed, average, maximum, fuel,");
    EXPECT_EQ(lines.at("+1"), "stopwatch, clock");
    EXPECT_EQ(lines.at("Drive"), "row 1 of 3, 0:00:04 left");
    shell_advance_to(shell, 2000);
    EXPECT_EQ(by_label(inspector_lines(shell, {})).at("Drive"), "row 2 of 3, 0:00:03 left");
    shell_advance_to(shell, 7000);
    EXPECT_EQ(by_label(inspector_lines(shell, {})).at("Drive"), "ended: 3 rows, 0:00:05");

    shell.dev.settings.fuel_count = 10;
    const auto all = inspector_lines(shell, {16, false, true});
    EXPECT_LE(all.size(), 24u);
    for (const InspectorLine& line : all)
        EXPECT_LE(line.value.size(), 33u) << line.label << " " << line.value;
}

} // namespace
} // namespace ql
