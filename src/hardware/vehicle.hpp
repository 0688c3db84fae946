#pragma once
#include <array>
#include <cstdint>

namespace ql {

struct Device;

inline constexpr std::uint8_t DISTANCE_COUNTERS = 3;
inline constexpr std::uint8_t COUNTER_INTERVAL = 0;
inline constexpr std::uint8_t COUNTER_TOTAL = 1;
inline constexpr std::uint8_t COUNTER_SPARE = 2; // integrated, never read or set by the device

inline constexpr std::int32_t DISTANCE_READ_MAX = 9999999;
inline constexpr std::int32_t DISTANCE_READ_MIN = -999999;

// Stands where the device has its pulse sensor and counting hardware: the user sets a speed
// with the arrow keys and every 250 ms tick turns it into metres.
struct VehicleModel {
    std::uint16_t speed = 0;                         // km/h, a multiple of 10, 0-300
    std::uint16_t max_speed = 0;                     // km/h
    float total_distance = 0.0f;                     // metres; never counts down
    std::array<float, DISTANCE_COUNTERS> counters{}; // metres
    std::uint8_t counting_down = 0;
    std::uint16_t pulses_per_km = 1000;
};

void vehicle_reset(Device& dev);
// Up and Down change the speed by 10 km/h; every key repaints the speed text.
void vehicle_key(Device& dev, std::uint8_t key);
void vehicle_tick(Device& dev, std::uint8_t timer_id);

// Selector 0 the current speed, 1 the maximum, in 0.1 km/h; any other selector reads 0.
std::uint16_t get_speed(Device& dev, std::uint8_t selector);
// Only selector 1 (the maximum) can be set; the value is in 0.1 km/h.
void set_max_speed(Device& dev, std::uint8_t selector, std::uint16_t value);

// Whole metres, read back limited to -999999 ... 9999999.
void get_distance_counter(Device& dev, std::uint8_t index, std::int32_t& out);
void set_distance_counter(Device& dev, std::uint8_t index, std::int32_t metres);
void set_counting_down(Device& dev, std::uint8_t flag);
void set_pulses_per_km(Device& dev, std::uint16_t pulses);
// Sensor pulses over the whole distance driven, at the current calibration.
void get_pulse_count(Device& dev, std::uint32_t& out);
bool speed_alarm_fitted(Device& dev);

} // namespace ql
