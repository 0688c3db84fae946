#pragma once
#include <cstdint>

namespace ql {

// The two timed runs from a standstill.
enum class PerfRun : std::uint8_t { Speed = 0, Distance = 1 };
inline constexpr PerfRun PERF_RUN_SPEED = PerfRun::Speed;
inline constexpr PerfRun PERF_RUN_DISTANCE = PerfRun::Distance;

// perf_last_state before the run screen has shown any state.
inline constexpr std::uint8_t PERF_NOTHING_SHOWN = 255;

// The working values of the fuel gauge and the performance timer screens.
struct ServiceScreenState {
    // Fuel gauge: set up again on every entry.
    std::uint16_t gauge_full_volume = 0; // hundredths of a litre at the last set point; 0: none
    std::uint8_t gauge_bar_length = 0;   // dark dots of the bar now shown, 0-87
    bool gauge_empty_shown = false;      // the empty word is inside the bar
    char gauge_shown_text[6] = "     ";

    // Performance: the run chosen; the timing unit holds the run itself.
    PerfRun perf_run_kind = PERF_RUN_SPEED;
    std::uint8_t perf_last_state = PERF_NOTHING_SHOWN; // the unit state in the status band
    char perf_shown_time[6] = "     ";
};

} // namespace ql
