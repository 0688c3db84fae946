#pragma once
#include "device/hardware/vehicle_state.hpp"
#include "device/settings/settings.hpp"
#include <cstdint>

namespace ql {

struct Device;

// The speeds the hardware reports. It keeps no average: that one always reads 0, and
// clearing it does nothing.
enum class SpeedSource : std::uint8_t { Current = 0, Maximum = 1, Average = 2 };

inline constexpr std::int32_t DISTANCE_READ_MAX = 9999999;
inline constexpr std::int32_t DISTANCE_READ_MIN = -999999;

void vehicle_reset(Device& dev);
// Up and Down change the speed by 10 km/h; every key repaints the speed text.
void vehicle_key(Device& dev, std::uint8_t key);
void vehicle_tick(Device& dev, std::uint8_t timer_id);
// The metres one 250 ms tick adds to the counters at `speed_tenths` (0.1 km/h), before each
// counter rounds the sum to its float: a track replayed as a drive plans its speeds with it.
double vehicle_tick_metres(std::uint16_t speed_tenths);
// A recorded drive: the speed in 0.1 km/h (at most 300 km/h); repaints the speed text.
void set_vehicle_speed(Device& dev, std::uint16_t tenths);

// In 0.1 km/h; any source but the current and the maximum speed reads 0.
std::uint16_t get_speed(Device& dev, SpeedSource source);
// Only the maximum can be set; the value is in 0.1 km/h.
void set_max_speed(Device& dev, SpeedSource source, std::uint16_t value);

// Whole metres, read back limited to -999999 ... 9999999.
void get_distance_counter(Device& dev, Counter counter, std::int32_t& out);
void set_distance_counter(Device& dev, Counter counter, std::int32_t metres);
void set_counting_down(Device& dev, CountDirection direction);
void set_pulses_per_km(Device& dev, std::uint16_t pulses);
// Sensor pulses over the whole distance driven, at the current calibration.
void get_pulse_count(Device& dev, std::uint32_t& out);
bool speed_alarm_fitted(Device& dev);

} // namespace ql
