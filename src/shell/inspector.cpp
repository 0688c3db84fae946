#include "shell/inspector.hpp"
#include "device/settings/settings.hpp"
#include "shell/state_dump.hpp"
#include "shell/time_control.hpp"
#include <algorithm>
#include <cstdio>

namespace ql {

namespace {

using Json = nlohmann::ordered_json;

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::string clock_text(const Json& c, bool seconds) {
    if (!seconds)
        return format("%02u:%02u", c["hours"].get<unsigned>(), c["minutes"].get<unsigned>());
    return format("%02u:%02u:%02u", c["hours"].get<unsigned>(), c["minutes"].get<unsigned>(),
                  c["seconds"].get<unsigned>());
}

// Hundredths of a litre as litres with two decimals.
std::string litres_text(unsigned hundredths) {
    return format("%u.%02u l", hundredths / 100, hundredths % 100);
}

std::string language_name(unsigned language) {
    switch (language) {
    case LANG_ENGLISH: return "English";
    case LANG_FRENCH: return "French";
    case LANG_ITALIAN: return "Italian";
    case LANG_SPANISH: return "Spanish";
    case LANG_GERMAN: return "German";
    default: return format("0x%02x", language);
    }
}

// "EN IT": the languages a mask offers.
std::string language_codes(unsigned mask) {
    static constexpr const char* CODES[] = {"EN", "FR", "IT", "ES", "DE"};
    std::string text;
    for (unsigned i = 0; i < LANGUAGE_COUNT; ++i)
        if ((mask >> i & 1) != 0) text += (text.empty() ? "" : " ") + std::string(CODES[i]);
    return text.empty() ? "none" : text;
}

std::string perf_text(const Json& perf) {
    static constexpr const char* STATES[] = {"idle", "armed", "running", "finished"};
    const unsigned state = perf["state"].get<unsigned>();
    if (state >= 4) return format("state %u", state);
    if (state <= 1) return STATES[state];
    // Time in 1/256 s, speed in 0.1 km/h.
    const unsigned time = perf["time"].get<unsigned>(), speed = perf["speed"].get<unsigned>();
    return format("%s %u.%02us %um %u.%ukm/h", STATES[state], time / 256, time % 256 * 100 / 256,
                  perf["distance"].get<unsigned>(), speed / 10, speed % 10);
}

// The fuel table: whether the sender rises or falls as the tank fills, then its points as the
// sender reads them, three to a line.
void add_fuel_table(std::vector<InspectorLine>& lines, const Json& table) {
    const int count = table["count"].get<int>();
    if (count == 0) {
        lines.push_back({"Fuel table", "none"});
        return;
    }
    const bool falling = count < 0;
    const unsigned points =
        std::min<unsigned>(static_cast<unsigned>(falling ? -count : count), FUEL_TABLE_POINTS);
    lines.push_back(
        {"Fuel table", format("%u points, %s", points, falling ? "falling" : "rising")});
    std::string row;
    for (unsigned i = 0; i < points; ++i) {
        unsigned reading = table["readings"][i].get<unsigned>();
        if (falling) reading = 255 - reading; // held inverted
        const unsigned volume = table["volumes"][i].get<unsigned>();
        row += format(row.empty() ? "%u=%u.%01u" : "  %u=%u.%01u", reading, volume / 100,
                      volume % 100 / 10);
        if (i % 3 == 2 || i + 1 == points) {
            lines.push_back({"", row});
            row.clear();
        }
    }
}

} // namespace

std::vector<InspectorLine> inspector_lines(const Json& state, const ClockView& clock) {
    const Json& vehicle = state["vehicle"];
    const Json& settings = state["settings"];
    const Json& stopwatch = state["stopwatch"];
    std::vector<InspectorLine> lines;
    lines.push_back(
        {"Screen", state["screen"].is_null() ? "off" : state["screen"].get<std::string>()});
    lines.push_back(
        {"Time", simulated_time_text(state["time_ms"].get<std::uint64_t>(), clock.seconds)});
    lines.push_back({"Rate", clock.paused ? "paused" : speed_text(clock.speed)});
    // Whole km/h, or with tenths while a recorded drive gives them ("50.5 km/h").
    lines.push_back(
        {"Speed", vehicle["speed"].dump() + " km/h, max " + vehicle["max_speed"].dump()});
    lines.push_back({"Interval", format("%d m", vehicle["interval_m"].get<int>())});
    lines.push_back({"Total", format("%d m", vehicle["total_m"].get<int>())});
    lines.push_back({"Pulses", std::to_string(vehicle["pulse_count"].get<unsigned>())});
    lines.push_back({"Pulses/km", std::to_string(vehicle["pulses_per_km"].get<unsigned>())});
    const Json& fuel = state["fuel_sender"];
    lines.push_back({"Fuel", format("reading %u, ", fuel["reading"].get<unsigned>()) +
                                 litres_text(fuel["volume"].get<unsigned>())});
    // The device's clock to the minute, like the simulated time, when the window is in the
    // background; a running stopwatch to the second, as the LCD may show it.
    lines.push_back({"Clock", clock_text(state["clock"], clock.seconds)});
    lines.push_back(
        {"Stopwatch", clock_text(stopwatch, true) +
                          (stopwatch["running"].get<bool>() ? " running" : " stopped")});
    lines.push_back({"Performance", perf_text(state["perf"])});
    lines.push_back({"Flags", format("0x%04x", state["system_flags"].get<unsigned>())});
    const auto variant = settings["variant"].get<unsigned>();
    lines.push_back(
        {"Variant", format("%u (%s)", variant, variant_about_code(static_cast<Variant>(variant)))});
    lines.push_back({"Language", language_name(settings["language"].get<unsigned>()) + " (" +
                                     language_codes(settings["language_mask"].get<unsigned>()) +
                                     ")"});
    lines.push_back(
        {"Units", std::string(settings["distance_unit"].get<unsigned>() == 0 ? "km" : "miles") +
                      (settings["fuel_unit"].get<unsigned>() == 0 ? ", litres" : ", gallons")});
    lines.push_back({"Resolution",
                     settings["resolution"].get<unsigned>() == 0 ? "rally (10 m)" : "high (1 m)"});
    lines.push_back({"Counting", settings["count_direction"].get<unsigned>() == 0 ? "up" : "down"});
    lines.push_back({"Telemetry", format("0x%02x", settings["telemetry_mask"].get<unsigned>())});
    add_fuel_table(lines, settings["fuel_table"]);
    return lines;
}

std::vector<InspectorLine> inspector_lines(Shell& shell, const ClockView& clock) {
    return inspector_lines(state_json(shell), clock);
}

} // namespace ql
