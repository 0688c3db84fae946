#pragma once
#include <cstdint>

namespace ql {

// A clock as the timing hardware keeps it, counted in quarter seconds.
struct ClockCount {
    std::uint8_t phase = 0; // quarter seconds elapsed in the current second, 0-3
    std::uint8_t seconds = 0;
    std::uint8_t minutes = 0;
    std::uint8_t hours = 0;
};

// The time of day, which always runs, and the stopwatch, which runs while its flag is set.
struct Clocks {
    ClockCount time_of_day;
    ClockCount stopwatch;
    std::uint8_t stopwatch_run = 0;
};

} // namespace ql
