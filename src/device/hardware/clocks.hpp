#pragma once
#include "device/hardware/clocks_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

// A clock as the device reads it: fraction in 1/256 s (0, 64, 128 or 192).
struct Clock {
    std::uint8_t fraction = 0;
    std::uint8_t seconds = 0;
    std::uint8_t minutes = 0;
    std::uint8_t hours = 0;
};
static_assert(sizeof(Clock) == 4);

enum class StopwatchCommand : std::uint8_t { Run = 0, Stop = 1, Reset = 2 };
inline constexpr StopwatchCommand STOPWATCH_RUN = StopwatchCommand::Run;
inline constexpr StopwatchCommand STOPWATCH_STOP = StopwatchCommand::Stop;
inline constexpr StopwatchCommand STOPWATCH_RESET = StopwatchCommand::Reset;

void clocks_tick(Device& dev, std::uint8_t timer_id);
void read_clock(Device& dev, Clock& out);
void read_stopwatch(Device& dev, Clock& out);
// The fraction byte becomes the phase as it is; callers pass 0, which restarts the second.
void set_clock(Device& dev, const Clock& time);
// STOPWATCH_RUN, STOPWATCH_STOP or STOPWATCH_RESET; a reset leaves it running if it ran.
void stopwatch_control(Device& dev, StopwatchCommand command);
bool stopwatch_running(Device& dev);

} // namespace ql
