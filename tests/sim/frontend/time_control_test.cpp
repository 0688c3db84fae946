#include "sim/frontend/time_control.hpp"
#include "sim/script/state_dump.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(SimClock, RunsAtItsSpeedStopsWhenPausedAndGoesFastWhileHeld) {
    SimClock clock(2);
    EXPECT_EQ(clock.sim_at(1000), 2000u);
    EXPECT_EQ(clock.wall_at(3000), 1500u);
    clock.set_paused(1000, 2000, true);
    EXPECT_EQ(clock.sim_at(60'000), 2000u);
    EXPECT_FALSE(clock.wall_at(2250));
    clock.rebase(5000, 2250); // a step while paused
    EXPECT_EQ(clock.sim_at(9000), 2250u);
    clock.set_paused(10'000, 2250, false);
    EXPECT_EQ(clock.sim_at(10'500), 3250u);
    clock.set_fast(10'500, 3250, true);
    EXPECT_EQ(clock.speed(), FAST_SPEED);
    EXPECT_EQ(clock.sim_at(11'500), 3250u + 16'000u);
    EXPECT_EQ(clock.wall_at(3250 + 250), 10'516u); // 15.6 ms, rounded up: never early
    clock.set_fast(11'500, 19'250, false);
    EXPECT_EQ(clock.speed(), 2.0);
    EXPECT_EQ(clock.sim_at(12'000), 20'250u);
}

// The title says what print-state says: the screen and the time, and the clock's state.
TEST(WindowTitle, NamesTheScreenTheTimeAndTheState) {
    Shell shell;
    shell_paint(shell);
    shell_advance_to(shell, 3'725'250);
    const auto state = state_json(shell);
    const std::string screen = state["screen"];
    EXPECT_EQ(simulated_time_text(state["time_ms"]), "1:02:05");
    EXPECT_EQ(window_title(shell, 1, false), "Ostrel QL-730 Simulator - " + screen + " 1:02:05");
    EXPECT_EQ(window_title(shell, 1, true),
              "Ostrel QL-730 Simulator - " + screen + " 1:02:05 paused");
    EXPECT_EQ(window_title(shell, 16, false),
              "Ostrel QL-730 Simulator - " + screen + " 1:02:05 x16");
    // In the background the time is shown to the minute.
    EXPECT_EQ(window_title(shell, 16, false, false),
              "Ostrel QL-730 Simulator - " + screen + " 1:02 x16");
    EXPECT_EQ(speed_text(0.25), "x0.25");
    EXPECT_EQ(simulated_time_text(36'000'000 * 3 + 999), "30:00:00");
}

} // namespace
} // namespace ql
