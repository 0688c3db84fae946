#include "shell/state_dump.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"

namespace ql {

namespace {

using Json = nlohmann::ordered_json;

Json settings_json(const Settings& s) {
    Json fuel_table = {
        {"count", s.fuel_count},
        {"volumes", s.fuel_volumes},
        {"readings", s.fuel_readings},
    };
    return {
        {"variant", s.variant},
        {"language", s.language},
        {"language_mask", s.language_mask},
        {"pulses_per_km", s.pulses_per_km},
        {"pulses_per_mile", s.pulses_per_mile},
        {"backlight", s.backlight},
        {"contrast", s.contrast},
        {"distance_unit", s.distance_unit},
        {"fuel_unit", s.fuel_unit},
        {"resolution", s.resolution},
        {"count_direction", s.count_direction},
        {"sleep", s.sleep},
        {"aux_a_function", s.aux_a_function},
        {"aux_b_function", s.aux_b_function},
        {"telemetry_mask", s.telemetry_mask},
        {"alarm_speed", s.alarm_speed},
        {"alarm_enabled", s.alarm_enabled},
        {"stored_max_speed", s.stored_max_speed},
        {"settings_valid_marker", s.settings_valid_marker},
        {"fuel_table", fuel_table},
    };
}

// Whole km/h as a whole number, a speed with tenths (from a recorded drive) as 50.5.
Json kmh(std::uint16_t tenths) {
    if (tenths % 10 == 0) return tenths / 10;
    return tenths / 10.0;
}

Json vehicle_json(Device& dev) {
    std::int32_t interval = 0;
    std::int32_t total = 0;
    std::uint32_t pulses = 0;
    get_distance_counter(dev, COUNTER_INTERVAL, interval);
    get_distance_counter(dev, COUNTER_TOTAL, total);
    get_pulse_count(dev, pulses);
    const VehicleModel& v = dev.vehicle;
    return {
        {"speed", kmh(v.speed_tenths)},
        {"max_speed", kmh(v.max_speed_tenths)},
        {"interval_m", interval},
        {"total_m", total},
        {"pulse_count", pulses},
        {"counting_down", v.counting_down != 0},
        {"pulses_per_km", v.pulses_per_km},
    };
}

Json clock_json(const Clock& c) {
    return {
        {"hours", c.hours},
        {"minutes", c.minutes},
        {"seconds", c.seconds},
        {"fraction", c.fraction},
    };
}

} // namespace

nlohmann::ordered_json settings_state_json(const Settings& settings) {
    return settings_json(settings);
}

nlohmann::ordered_json state_json(Shell& shell) {
    Device& dev = shell.dev;
    const Screen* screen = dev.kernel.current_screen;
    Clock clock;
    Clock stopwatch;
    read_clock(dev, clock);
    read_stopwatch(dev, stopwatch);
    Json stopwatch_state = clock_json(stopwatch);
    stopwatch_state["running"] = dev.clocks.stopwatch_run != 0;
    return {
        {"time_ms", shell.now_ms},
        {"screen", screen != nullptr ? Json(screen->name) : Json(nullptr)},
        {"system_flags", dev.kernel.system_flags},
        {"trip_page", dev.screens.trip.trip_page},
        {"settings", settings_json(dev.settings)},
        {"vehicle", vehicle_json(dev)},
        {"clock", clock_json(clock)},
        {"stopwatch", stopwatch_state},
        {"fuel_sender", {{"reading", dev.fuel.reading}, {"volume", get_fuel_volume(dev)}}},
        {"perf",
         {{"state", dev.perf.state},
          {"speed", dev.perf.speed},
          {"distance", dev.perf.distance},
          {"time", dev.perf.time}}},
        {"status", {{"speed", shell.speed_text}, {"fuel", shell.fuel_text}}},
    };
}

} // namespace ql
