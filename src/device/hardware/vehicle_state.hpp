#pragma once
#include <array>
#include <cstdint>

namespace ql {

inline constexpr std::uint8_t DISTANCE_COUNTERS = 3;
enum class Counter : std::uint8_t {
    Interval = 0,
    Total = 1,
    Spare = 2, // integrated, never read or set by the device
};
inline constexpr Counter COUNTER_INTERVAL = Counter::Interval;
inline constexpr Counter COUNTER_TOTAL = Counter::Total;
inline constexpr Counter COUNTER_SPARE = Counter::Spare;

// Stands where the device has its pulse sensor and counting hardware: the user sets a speed
// with the arrow keys (or a recorded drive sets it) and every 250 ms tick turns it into metres.
struct VehicleModel {
    std::uint16_t speed_tenths = 0;                  // 0.1 km/h, 0-3000
    std::uint16_t max_speed_tenths = 0;              // 0.1 km/h
    float total_distance = 0.0f;                     // metres; never counts down
    std::array<float, DISTANCE_COUNTERS> counters{}; // metres
    bool counting_down = false;
    std::uint16_t pulses_per_km = 1000;
    // This instrument has the speed alarm; only tests clear it, to see a unit without one.
    bool alarm_fitted = true;
};

} // namespace ql
