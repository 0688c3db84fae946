#pragma once
#include <cstdint>

namespace ql {

enum class PerfState : std::uint8_t { Idle = 0, Armed = 1, Running = 2, Finished = 3 };
inline constexpr PerfState PERF_IDLE = PerfState::Idle;
inline constexpr PerfState PERF_ARMED = PerfState::Armed;
inline constexpr PerfState PERF_RUNNING = PerfState::Running;
inline constexpr PerfState PERF_FINISHED = PerfState::Finished;

inline constexpr std::uint8_t PERF_NO_END_SPEED = 0xFF;
inline constexpr std::uint16_t PERF_NO_DISTANCE_LIMIT = 0xFFFF;

// The condition of one run: it starts when the speed exceeds start_speed and ends when the
// speed exceeds end_speed x 10 or the distance exceeds distance_limit.
struct PerfTimerConfig {
    std::uint8_t start_speed = 0;                          // 0.1 km/h
    std::uint8_t end_speed = PERF_NO_END_SPEED;            // km/h
    std::uint16_t distance_limit = PERF_NO_DISTANCE_LIMIT; // metres
};
static_assert(sizeof(PerfTimerConfig) == 4);

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

} // namespace ql
