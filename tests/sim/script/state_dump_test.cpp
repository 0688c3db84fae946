#include "device/hardware/keys.hpp"
#include "sim/script/state_dump.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

std::vector<std::string> keys_of(const nlohmann::ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

TEST(StateDump, HasExactlyTheDocumentedKeysInOrder) {
    Shell shell;
    shell_paint(shell);
    const nlohmann::ordered_json state = state_json(shell);
    EXPECT_EQ(keys_of(state),
              (std::vector<std::string>{"time_ms", "screen", "system_flags", "trip_page",
                                        "settings", "vehicle", "clock", "stopwatch", "fuel_sender",
                                        "perf", "status"}));
    EXPECT_EQ(keys_of(state["settings"]), (std::vector<std::string>{"variant",
                                                                    "language",
                                                                    "language_mask",
                                                                    "pulses_per_km",
                                                                    "pulses_per_mile",
                                                                    "backlight",
                                                                    "contrast",
                                                                    "distance_unit",
                                                                    "fuel_unit",
                                                                    "resolution",
                                                                    "count_direction",
                                                                    "sleep",
                                                                    "aux_a_function",
                                                                    "aux_b_function",
                                                                    "telemetry_mask",
                                                                    "alarm_speed",
                                                                    "alarm_enabled",
                                                                    "stored_max_speed",
                                                                    "settings_valid_marker",
                                                                    "fuel_table"}));
    EXPECT_EQ(keys_of(state["settings"]["fuel_table"]),
              (std::vector<std::string>{"count", "volumes", "readings"}));
    EXPECT_EQ(keys_of(state["vehicle"]),
              (std::vector<std::string>{"speed", "max_speed", "interval_m", "total_m",
                                        "pulse_count", "counting_down", "pulses_per_km"}));
    EXPECT_EQ(keys_of(state["clock"]),
              (std::vector<std::string>{"hours", "minutes", "seconds", "fraction"}));
    EXPECT_EQ(keys_of(state["stopwatch"]),
              (std::vector<std::string>{"hours", "minutes", "seconds", "fraction", "running"}));
    EXPECT_EQ(keys_of(state["fuel_sender"]), (std::vector<std::string>{"reading", "volume"}));
    EXPECT_EQ(keys_of(state["perf"]),
              (std::vector<std::string>{"state", "speed", "distance", "time"}));
    EXPECT_EQ(keys_of(state["status"]), (std::vector<std::string>{"speed", "fuel"}));
}

TEST(StateDump, BeforePowerOnThereIsNoScreen) {
    Shell shell;
    EXPECT_TRUE(state_json(shell)["screen"].is_null());
}

TEST(StateDump, ShowsTheFactorySettingsOfTheItalianVariantAfterPowerOn) {
    Shell shell;
    shell_paint(shell);
    const nlohmann::ordered_json s = state_json(shell)["settings"];
    EXPECT_EQ(s["variant"], 2);
    EXPECT_EQ(s["language"], 0x04);
    EXPECT_EQ(s["language_mask"], 0x05);
    EXPECT_EQ(s["pulses_per_km"], 1000);
    EXPECT_EQ(s["pulses_per_mile"], 1609);
    EXPECT_EQ(s["telemetry_mask"], 37);
    EXPECT_EQ(s["settings_valid_marker"], 0);
    EXPECT_EQ(s["fuel_table"]["volumes"].size(), 10u);
}

TEST(StateDump, ShowsStoredValuesWithoutRaisingAFlag) {
    Shell shell;
    shell_paint(shell);
    shell.dev.settings.backlight = 100; // out of range: the getter would replace it and flag it
    shell.dev.settings.language = 0x08; // not offered
    const std::uint16_t flags = shell.dev.kernel.system_flags;
    const nlohmann::ordered_json state = state_json(shell);
    EXPECT_EQ(state["settings"]["backlight"], 100);
    EXPECT_EQ(state["settings"]["language"], 0x08);
    EXPECT_EQ(shell.dev.kernel.system_flags, flags);
    EXPECT_EQ(state["system_flags"], flags);
}

TEST(StateDump, DistancesAreWholeMetresAsTheDeviceReadsThem) {
    Shell shell;
    shell_paint(shell);
    for (int i = 0; i < 10; ++i)
        shell_key_down(shell, KEY_UP);
    shell_advance_to(shell, 36'000); // 144 ticks at 100 km/h
    const nlohmann::ordered_json v = state_json(shell)["vehicle"];
    EXPECT_EQ(v["speed"], 100);
    EXPECT_EQ(v["max_speed"], 100);
    EXPECT_EQ(v["interval_m"], 1000);
    EXPECT_EQ(v["total_m"], 1000);
    EXPECT_EQ(v["pulse_count"], 1000);
    EXPECT_EQ(v["counting_down"], false);
}

TEST(StateDump, TheDumpIsOneLineOfJson) {
    Shell shell;
    shell_paint(shell);
    const std::string text = state_json(shell).dump();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(text)["status"]["speed"], "Speed : 0 kph");
}

} // namespace
} // namespace ql
