#include "device/device.hpp"
#include "device/hardware/clocks.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

void ticks(Device& dev, int n) {
    for (int i = 0; i < n; ++i)
        clocks_tick(dev, TIMER_TICK);
}

// "hh:mm:ss+fraction", so that a failure shows the whole clock.
std::string text(const Clock& c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d+%d", c.hours, c.minutes, c.seconds, c.fraction);
    return buf;
}

std::string time_of_day(Device& dev) {
    Clock c;
    read_clock(dev, c);
    return text(c);
}

std::string stopwatch(Device& dev) {
    Clock c;
    read_stopwatch(dev, c);
    return text(c);
}

TEST(TimeOfDay, FourTicksMakeASecond) {
    Device dev;
    ticks(dev, 3);
    EXPECT_EQ(time_of_day(dev), "00:00:00+192");
    ticks(dev, 1);
    EXPECT_EQ(time_of_day(dev), "00:00:01+0");
    ticks(dev, 1);
    EXPECT_EQ(time_of_day(dev), "00:00:01+64");
}

TEST(TimeOfDay, CarriesThroughMidnight) {
    Device dev;
    set_clock(dev, Clock{3, 59, 59, 23});
    EXPECT_EQ(time_of_day(dev), "23:59:59+192");
    ticks(dev, 1);
    EXPECT_EQ(time_of_day(dev), "00:00:00+0");
}

TEST(TimeOfDay, SetClockRestartsTheSecond) {
    Device dev;
    ticks(dev, 2);
    set_clock(dev, Clock{0, 30, 15, 9});
    EXPECT_EQ(time_of_day(dev), "09:15:30+0");
    ticks(dev, 3);
    EXPECT_EQ(time_of_day(dev), "09:15:30+192");
}

TEST(TimeOfDay, AFieldSetOutOfRangeCountsThrough255BeforeItCarries) {
    Device dev;
    set_clock(dev, Clock{0, 61, 0, 0});
    ticks(dev, 4 * (255 - 61));
    EXPECT_EQ(time_of_day(dev), "00:00:255+0");
    ticks(dev, 4);
    EXPECT_EQ(time_of_day(dev), "00:00:00+0") << "no carry on the way through 0";
    ticks(dev, 4 * 60);
    EXPECT_EQ(time_of_day(dev), "00:01:00+0");
}

TEST(TimeOfDay, AnOutOfRangeHourWrapsWithoutCarrying) {
    Device dev;
    set_clock(dev, Clock{3, 59, 59, 255});
    ticks(dev, 1);
    EXPECT_EQ(time_of_day(dev), "00:00:00+0");
    set_clock(dev, Clock{3, 59, 59, 30});
    ticks(dev, 1);
    EXPECT_EQ(time_of_day(dev), "31:00:00+0");
}

TEST(TimeOfDay, OnlyTheQuarterSecondTimerDrives) {
    Device dev;
    clocks_tick(dev, TIMER_PERF);
    clocks_tick(dev, TIMER_HOLD);
    EXPECT_EQ(time_of_day(dev), "00:00:00+0");
}

TEST(Stopwatch, RunsOnlyWhileStarted) {
    Device dev;
    ticks(dev, 8);
    EXPECT_EQ(stopwatch(dev), "00:00:00+0");
    EXPECT_EQ(stopwatch_running(dev), 0);
    stopwatch_control(dev, STOPWATCH_RUN);
    EXPECT_NE(stopwatch_running(dev), 0);
    ticks(dev, 6);
    EXPECT_EQ(stopwatch(dev), "00:00:01+128");
    stopwatch_control(dev, STOPWATCH_STOP);
    EXPECT_EQ(stopwatch_running(dev), 0);
    ticks(dev, 100);
    EXPECT_EQ(stopwatch(dev), "00:00:01+128");
    EXPECT_EQ(time_of_day(dev), "00:00:28+128") << "the time of day always runs";
}

TEST(Stopwatch, ResetWhileRunningGoesOnFromZero) {
    Device dev;
    stopwatch_control(dev, STOPWATCH_RUN);
    ticks(dev, 10);
    stopwatch_control(dev, STOPWATCH_RESET);
    EXPECT_EQ(stopwatch(dev), "00:00:00+0");
    ticks(dev, 1);
    EXPECT_EQ(stopwatch(dev), "00:00:00+64");
    EXPECT_NE(stopwatch_running(dev), 0);
}

TEST(Stopwatch, ResetWhileStoppedStaysStopped) {
    Device dev;
    stopwatch_control(dev, STOPWATCH_RUN);
    ticks(dev, 10);
    stopwatch_control(dev, STOPWATCH_STOP);
    stopwatch_control(dev, STOPWATCH_RESET);
    ticks(dev, 3);
    EXPECT_EQ(stopwatch(dev), "00:00:00+0");
}

TEST(Stopwatch, UnknownCommandsAndTheClockSetterLeaveItAlone) {
    Device dev;
    stopwatch_control(dev, STOPWATCH_RUN);
    ticks(dev, 5);
    stopwatch_control(dev, static_cast<StopwatchCommand>(3));
    stopwatch_control(dev, static_cast<StopwatchCommand>(255));
    set_clock(dev, Clock{0, 1, 2, 3});
    EXPECT_NE(stopwatch_running(dev), 0);
    EXPECT_EQ(stopwatch(dev), "00:00:01+64");
}

} // namespace
} // namespace ql
