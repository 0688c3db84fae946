#include "device/hardware/host.hpp"
#include "sim/host/timer_queue.hpp"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ql {
namespace {

// Every expiry up to `until`, as "time:id".
std::vector<std::string> expiries(TimerQueue& q, std::uint64_t until) {
    std::vector<std::string> out;
    std::uint8_t id = 0;
    std::uint64_t due = 0;
    while (timer_take_due(q, until, id, due))
        out.push_back(std::to_string(due) + ":" + std::to_string(id));
    return out;
}

TEST(TimerQueue, PeriodicTimersFireEveryPeriodFromTheirStart) {
    TimerQueue q;
    timer_start(q, TIMER_TICK, 250, 0);
    EXPECT_EQ(expiries(q, 1000),
              (std::vector<std::string>{"250:16", "500:16", "750:16", "1000:16"}));
    EXPECT_EQ(timer_next_due(q), 1250u);
}

TEST(TimerQueue, TimersDueAtTheSameInstantFireInAscendingIdOrder) {
    TimerQueue q;
    // Started in the opposite order, so that the order cannot come from the insertion.
    timer_start(q, TIMER_PERF, 125, 0);
    timer_start(q, TIMER_REPEAT, 250, 0);
    timer_start(q, TIMER_TICK, 250, 0);
    EXPECT_EQ(expiries(q, 250), (std::vector<std::string>{"125:48", "250:16", "250:33", "250:48"}));
}

TEST(TimerQueue, AnExpiryExactlyAtTheLimitIsDelivered) {
    TimerQueue q;
    timer_start(q, TIMER_HOLD, 1000, 0);
    EXPECT_TRUE(expiries(q, 999).empty());
    EXPECT_EQ(expiries(q, 1000), (std::vector<std::string>{"1000:32"}));
}

TEST(TimerQueue, StartingARunningTimerRestartsItFromNowWithTheNewPeriod) {
    TimerQueue q;
    timer_start(q, TIMER_REPEAT, 700, 0);
    timer_start(q, TIMER_REPEAT, 350, 600);
    EXPECT_EQ(expiries(q, 1300), (std::vector<std::string>{"950:33", "1300:33"}));
}

TEST(TimerQueue, AStoppedTimerNoLongerFires) {
    TimerQueue q;
    timer_start(q, TIMER_TICK, 250, 0);
    timer_start(q, TIMER_HOLD, 1000, 0);
    timer_stop(q, TIMER_HOLD);
    timer_stop(q, TIMER_HOLD); // stopping twice is harmless
    EXPECT_FALSE(timer_running(q, TIMER_HOLD));
    EXPECT_TRUE(timer_running(q, TIMER_TICK));
    EXPECT_EQ(expiries(q, 1000).size(), 4u);
    timer_stop(q, TIMER_TICK);
    EXPECT_FALSE(timer_next_due(q).has_value());
    EXPECT_TRUE(expiries(q, 100000).empty());
}

TEST(TimerQueue, AZeroPeriodStillLetsTimeMoveOn) {
    TimerQueue q;
    timer_start(q, 7, 0, 10);
    EXPECT_EQ(expiries(q, 13), (std::vector<std::string>{"11:7", "12:7", "13:7"}));
}

} // namespace
} // namespace ql
