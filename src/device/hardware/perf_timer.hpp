#pragma once
#include "device/hardware/perf_timer_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

inline constexpr std::uint16_t PERF_TIME_LIMIT = 25600; // 100 s in 1/256 s

struct PerfTimerResult {
    PerfState state = PERF_IDLE;
    std::uint8_t spare = 0;
    std::uint16_t speed = 0;    // 0.1 km/h at the last running tick
    std::uint16_t distance = 0; // metres since the start
    std::uint16_t time = 0;     // 1/256 s since the start
};
static_assert(sizeof(PerfTimerResult) == 8);

void perf_reset(Device& dev);
void perf_set_pulse_rate(Device& dev, std::uint16_t pulses_per_km);
void perf_arm(Device& dev, const PerfTimerConfig& config);
void perf_cancel(Device& dev);
void perf_read(Device& dev, PerfTimerResult& out);
void perf_tick(Device& dev, std::uint8_t timer_id);

} // namespace ql
