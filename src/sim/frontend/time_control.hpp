#pragma once
#include "sim/host/shell.hpp"
#include <cstdint>
#include <optional>
#include <string>

namespace ql {

inline constexpr double MIN_SPEED = 0.25;
inline constexpr double MAX_SPEED = 64;
inline constexpr double FAST_SPEED = 16;      // while Tab is held
inline constexpr std::uint64_t STEP_MS = 250; // one step while paused: one tick

// The window's simulated clock against the wall clock: running at a speed, or paused. The
// shell's own clock follows it; while paused no timer fires, but input is still handled at the
// paused instant.
class SimClock {
  public:
    explicit SimClock(double speed = 1) : normal_(speed) {}

    // Simulated milliseconds at wall-clock milliseconds `wall` (never before the last rebase).
    std::uint64_t sim_at(std::uint64_t wall) const;
    // The wall-clock instant at which the simulated clock reaches `sim`; none while paused.
    std::optional<std::uint64_t> wall_at(std::uint64_t sim) const;

    // Each change takes effect at wall time `wall`, where the simulated clock stands at `sim`.
    void set_paused(std::uint64_t wall, std::uint64_t sim, bool paused);
    void set_fast(std::uint64_t wall, std::uint64_t sim, bool fast);
    void rebase(std::uint64_t wall, std::uint64_t sim);

    bool paused() const { return paused_; }
    double speed() const { return fast_ ? FAST_SPEED : normal_; }

  private:
    double normal_;
    bool paused_ = false;
    bool fast_ = false;
    std::uint64_t base_wall_ = 0;
    std::uint64_t base_sim_ = 0;
};

// "0:01:05" for 65 000 ms: hours, minutes and seconds of simulated time; "0:01" without the
// seconds.
std::string simulated_time_text(std::uint64_t ms, bool seconds = true);

// "x16", "x0.25", "x2.5".
std::string speed_text(double speed);

// The window's title: the product, the current screen's name, the simulated time and the
// state, "paused" or the speed when it is not x1. Without `seconds` the time is shown to the
// minute, so that the title changes once a minute instead of every second.
std::string window_title(const Shell& shell, double speed, bool paused, bool seconds = true);

} // namespace ql
