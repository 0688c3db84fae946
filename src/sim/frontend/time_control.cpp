#include "sim/frontend/time_control.hpp"
#include "device/kernel/kernel.hpp"
#include <cmath>
#include <cstdio>

namespace ql {

std::uint64_t SimClock::sim_at(std::uint64_t wall) const {
    if (paused_ || wall <= base_wall_) return base_sim_;
    return base_sim_ + static_cast<std::uint64_t>(static_cast<double>(wall - base_wall_) * speed());
}

std::optional<std::uint64_t> SimClock::wall_at(std::uint64_t sim) const {
    if (paused_) return std::nullopt;
    if (sim <= base_sim_) return base_wall_;
    return base_wall_ +
           static_cast<std::uint64_t>(std::ceil(static_cast<double>(sim - base_sim_) / speed()));
}

void SimClock::set_paused(std::uint64_t wall, std::uint64_t sim, bool paused) {
    rebase(wall, sim);
    paused_ = paused;
}

void SimClock::set_fast(std::uint64_t wall, std::uint64_t sim, bool fast) {
    rebase(wall, sim);
    fast_ = fast;
}

void SimClock::rebase(std::uint64_t wall, std::uint64_t sim) {
    base_wall_ = wall;
    base_sim_ = sim;
}

std::string simulated_time_text(std::uint64_t ms, bool seconds) {
    const std::uint64_t s = ms / 1000;
    char text[32];
    if (seconds)
        std::snprintf(text, sizeof text, "%llu:%02u:%02u",
                      static_cast<unsigned long long>(s / 3600), static_cast<unsigned>(s / 60 % 60),
                      static_cast<unsigned>(s % 60));
    else
        std::snprintf(text, sizeof text, "%llu:%02u", static_cast<unsigned long long>(s / 3600),
                      static_cast<unsigned>(s / 60 % 60));
    return text;
}

std::string speed_text(double speed) {
    char text[32];
    std::snprintf(text, sizeof text, "x%g", speed);
    return text;
}

std::string window_title(const Shell& shell, double speed, bool paused, bool seconds) {
    std::string title = "Ostrel QL-730 Simulator - ";
    title += screen_name(shell.dev, "off");
    title += ' ';
    title += simulated_time_text(shell.now_ms, seconds);
    if (paused)
        title += " paused";
    else if (speed != 1)
        title += ' ' + speed_text(speed);
    return title;
}

} // namespace ql
