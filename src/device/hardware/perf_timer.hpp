#pragma once
#include <cstdint>

namespace ql {

struct Device;

enum class PerfState : std::uint8_t { Idle = 0, Armed = 1, Running = 2, Finished = 3 };
inline constexpr PerfState PERF_IDLE = PerfState::Idle;
inline constexpr PerfState PERF_ARMED = PerfState::Armed;
inline constexpr PerfState PERF_RUNNING = PerfState::Running;
inline constexpr PerfState PERF_FINISHED = PerfState::Finished;

inline constexpr std::uint8_t PERF_NO_END_SPEED = 0xFF;
inline constexpr std::uint16_t PERF_NO_DISTANCE_LIMIT = 0xFFFF;
inline constexpr std::uint16_t PERF_TIME_LIMIT = 25600; // 100 s in 1/256 s

// The condition of one run: it starts when the speed exceeds start_speed and ends when the
// speed exceeds end_speed x 10 or the distance exceeds distance_limit.
struct PerfTimerConfig {
    std::uint8_t start_speed = 0;                          // 0.1 km/h
    std::uint8_t end_speed = PERF_NO_END_SPEED;            // km/h
    std::uint16_t distance_limit = PERF_NO_DISTANCE_LIMIT; // metres
};
static_assert(sizeof(PerfTimerConfig) == 4);

struct PerfTimerResult {
    PerfState state = PERF_IDLE;
    std::uint8_t spare = 0;
    std::uint16_t speed = 0;    // 0.1 km/h at the last running tick
    std::uint16_t distance = 0; // metres since the start
    std::uint16_t time = 0;     // 1/256 s since the start
};
static_assert(sizeof(PerfTimerResult) == 8);

// The timing unit that runs on its own once armed, on the 125 ms timer: it waits for the
// vehicle to move, then counts time and distance until the end condition is passed.
struct PerfTimerUnit {
    PerfState state = PERF_IDLE;
    std::uint16_t speed = 0;
    std::uint16_t distance = 0;
    std::uint16_t time = 0;
    std::uint16_t pulse_rate = 0; // pulses per km; kept, not used by the model
    PerfTimerConfig config;
};

void perf_reset(Device& dev);
void perf_set_pulse_rate(Device& dev, std::uint16_t pulses_per_km);
void perf_arm(Device& dev, const PerfTimerConfig& config);
void perf_cancel(Device& dev);
void perf_read(Device& dev, PerfTimerResult& out);
void perf_tick(Device& dev, std::uint8_t timer_id);

} // namespace ql
