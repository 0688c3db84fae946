#include "sim/script/state_dump.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"
#include "sim/host/settings_file.hpp"

namespace ql {

namespace {

using Json = nlohmann::ordered_json;

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
        {"settings", settings_state_json(dev.settings)},
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
