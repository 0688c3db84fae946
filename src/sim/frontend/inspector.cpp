#include "sim/frontend/inspector.hpp"
#include "device/kernel/events.hpp"
#include "device/screens/screen_list.hpp"
#include "device/screens/trip/trip_state.hpp"
#include "device/settings/settings.hpp"
#include "sim/frontend/time_control.hpp"
#include "sim/script/state_dump.hpp"
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

// Longer values go on lines of their own below, without a label.
constexpr std::size_t VALUE_COLUMNS = 33;

// Names joined by ", " onto as many lines as they need, the first labelled.
void add_list(std::vector<InspectorLine>& lines, const char* label,
              const std::vector<std::string>& names) {
    std::string row;
    bool first = true;
    for (const std::string& name : names) {
        if (!row.empty() && row.size() + 2 + name.size() + 1 > VALUE_COLUMNS) {
            lines.push_back({first ? label : "", row + ","});
            row.clear();
            first = false;
        }
        row += (row.empty() ? "" : ", ") + name;
    }
    lines.push_back({first ? label : "", row.empty() ? "none" : row});
}

// The names of the bits set in `value` (one name a bit, from bit 0 up), and of those without
// a name in hex.
std::vector<std::string> bit_names(unsigned value, const std::vector<const char*>& names) {
    std::vector<std::string> out;
    unsigned unnamed = 0;
    for (unsigned bit = 0; bit < 16; ++bit) {
        if ((value >> bit & 1) == 0) continue;
        if (bit < names.size() && names[bit] != nullptr)
            out.emplace_back(names[bit]);
        else
            unnamed |= 1u << bit;
    }
    if (unnamed != 0) out.push_back(format("0x%02x", unnamed));
    return out;
}

std::vector<std::string> flag_names(unsigned flags) {
    static_assert(SF_QUEUE_OVERFLOW == 0x0001 && SF_SETTING_RANGE == 0x0008);
    return bit_names(flags, {"queue overflow", nullptr, nullptr, "setting replaced"});
}

// The trip pages telemetry_mask turns on, in their bits' order.
std::vector<std::string> telemetry_names(unsigned mask) {
    static_assert(page_bit(PAGE_CURRENT_SPEED) == 0x01 && page_bit(PAGE_CLOCK) == 0x20);
    return bit_names(mask, {"speed", "average", "maximum", "fuel", "stopwatch", "clock"});
}

// A recorded drive's progress: the rows applied and the time to its last row, or its end.
std::string drive_text(const Shell& shell) {
    const DrivePlayback& drive = shell.drive;
    const std::uint64_t end = drive.start_ms + drive.rows.back().ms;
    if (!drive_next_due(drive))
        return format("ended: %zu rows, ", drive.rows.size()) +
               simulated_time_text(drive.rows.back().ms);
    return format("row %zu of %zu, ", drive.next, drive.rows.size()) +
           simulated_time_text(end > shell.now_ms ? end - shell.now_ms : 0) + " left";
}

std::vector<InspectorLine> lines_of(const Json& state, const ClockView& clock, Shell& shell,
                                    const GpsView* gps) {
    const Json& vehicle = state["vehicle"];
    const Json& settings = state["settings"];
    const Json& stopwatch = state["stopwatch"];
    std::vector<InspectorLine> lines;
    lines.push_back(
        {"Screen", state["screen"].is_null() ? "off" : state["screen"].get<std::string>()});
    // Paused, or the rate when it is not x1, as the title shows it.
    const std::string rate = clock.paused       ? " paused"
                             : clock.speed == 1 ? ""
                                                : " " + speed_text(clock.speed);
    lines.push_back(
        {"Time", simulated_time_text(state["time_ms"].get<std::uint64_t>(), clock.seconds) + rate});
    // Whole km/h, or with tenths while a recorded drive gives them ("50.5 km/h").
    lines.push_back(
        {"Speed", vehicle["speed"].dump() + " km/h, max " + vehicle["max_speed"].dump()});
    lines.push_back(
        {"Interval", format("%d m, counting ", vehicle["interval_m"].get<int>()) +
                         (settings["count_direction"].get<unsigned>() == 0 ? "up" : "down")});
    lines.push_back({"Total", format("%d m", vehicle["total_m"].get<int>())});
    lines.push_back({"Pulses", format("%u (%u a km)", vehicle["pulse_count"].get<unsigned>(),
                                      vehicle["pulses_per_km"].get<unsigned>())});
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
    add_list(lines, "Flags", flag_names(state["system_flags"].get<unsigned>()));
    if (!shell.drive.rows.empty()) lines.push_back({"Drive", drive_text(shell)});
    if (gps != nullptr)
        for (InspectorLine& line : gps_lines(*gps))
            lines.push_back(std::move(line));
    const PanelLevels panel = panel_levels(shell.dev);
    lines.push_back({"Backlight", backlight_text(panel.backlight)});
    lines.push_back({"Contrast", contrast_text(panel.contrast)});
    const auto variant = settings["variant"].get<unsigned>();
    lines.push_back(
        {"Variant", format("%u (%s)", variant, variant_about_code(static_cast<Variant>(variant)))});
    lines.push_back({"Language", language_name(settings["language"].get<unsigned>()) + " (" +
                                     language_codes(settings["language_mask"].get<unsigned>()) +
                                     ")"});
    lines.push_back(
        {"Units",
         std::string(settings["distance_unit"].get<unsigned>() == 0 ? "km" : "miles") +
             (settings["fuel_unit"].get<unsigned>() == 0 ? ", litres" : ", gallons") +
             (settings["resolution"].get<unsigned>() == 0 ? ", rally (10 m)" : ", high (1 m)")});
    add_list(lines, "Telemetry", telemetry_names(settings["telemetry_mask"].get<unsigned>()));
    add_fuel_table(lines, settings["fuel_table"]);
    return lines;
}

} // namespace

PanelLevels panel_levels(const Device& dev) {
    const bool setting = dev.kernel.current_screen == &ContrastScreen;
    return {dev.settings.backlight,
            setting ? dev.screens.settings.contrast_value : dev.settings.contrast};
}

std::string backlight_text(std::uint8_t backlight) {
    switch (backlight) {
    case BACKLIGHT_OFF: return "off";
    case BACKLIGHT_DIM: return "dim";
    case BACKLIGHT_ON: return "on";
    default: return format("dim (stored %u)", backlight); // the device reads it as dim
    }
}

std::string contrast_text(std::uint8_t contrast) {
    constexpr unsigned MAX = 63; // a stored value above reads as 63
    const unsigned shown = std::min<unsigned>(contrast, MAX);
    if (contrast > MAX) return format("%u%% (stored %u)", shown * 100 / MAX, contrast);
    return format("%u%% (%u of %u)", shown * 100 / MAX, shown, MAX);
}

std::string panel_change_text(const PanelLevels& before, const PanelLevels& now) {
    if (now.backlight != before.backlight) return "Backlight: " + backlight_text(now.backlight);
    if (now.contrast != before.contrast) return "Contrast: " + contrast_text(now.contrast);
    return {};
}

std::vector<InspectorLine> inspector_lines(Shell& shell, const ClockView& clock,
                                           const GpsView* gps) {
    return lines_of(state_json(shell), clock, shell, gps);
}

std::vector<InspectorLine> gps_lines(const GpsView& gps) {
    static constexpr const char* MODES[] = {"waiting for gpsd", "no fix", "2D fix", "3D fix"};
    std::string fix = gps.connected ? MODES[std::clamp(gps.mode, 0, 3)] : "gpsd gone";
    if (gps.satellites >= 0)
        fix += format(", %d satellite%s", gps.satellites, gps.satellites == 1 ? "" : "s");
    return {{"GPS", fix},
            {"GPS speed", format("%.1f km/h, %.0f m since start", gps.speed_kmh, gps.distance_m)}};
}

} // namespace ql
