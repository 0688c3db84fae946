#include "device/device.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/perf_timer.hpp"
#include "device/hardware/vehicle.hpp"
#include "support/driving.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

using test::drive_at;

void ticks(Device& dev, int n) {
    for (int i = 0; i < n; ++i)
        perf_tick(dev, TIMER_PERF);
}

PerfTimerResult result(Device& dev) {
    PerfTimerResult r;
    r.spare = 0xEE;
    perf_read(dev, r);
    return r;
}

struct PerfTimer : ::testing::Test {
    PerfTimer() {
        vehicle_reset(dev);
        perf_reset(dev);
    }
    Device dev;
};

const PerfTimerConfig RUN_400M{0, PERF_NO_END_SPEED, 400};
const PerfTimerConfig RUN_0_100{0, 100, PERF_NO_DISTANCE_LIMIT};

TEST_F(PerfTimer, ArmedWaitsForTheVehicleAndCountsNothingOnTheStartingTick) {
    perf_arm(dev, RUN_400M);
    ticks(dev, 20);
    EXPECT_EQ(result(dev).state, PERF_ARMED);
    drive_at(dev, 10);
    ticks(dev, 1);
    PerfTimerResult r = result(dev);
    EXPECT_EQ(r.state, PERF_RUNNING);
    EXPECT_EQ(r.time, 0);
    EXPECT_EQ(r.distance, 0);
    EXPECT_EQ(r.speed, 0);
    EXPECT_EQ(r.spare, 0);
}

TEST_F(PerfTimer, FourHundredMetresAtAHundredFinishOnThe134thRunningTick) {
    perf_arm(dev, RUN_400M);
    drive_at(dev, 100);
    ticks(dev, 1);
    ticks(dev, 133);
    PerfTimerResult r = result(dev);
    EXPECT_EQ(r.state, PERF_RUNNING);
    EXPECT_EQ(r.distance, 399);
    ticks(dev, 1);
    r = result(dev);
    EXPECT_EQ(r.state, PERF_FINISHED);
    EXPECT_EQ(r.distance, 402);
    EXPECT_EQ(r.time, 4288);
    EXPECT_EQ(r.speed, 1000);
    ticks(dev, 10);
    EXPECT_EQ(result(dev).time, 4288) << "a finished run stays as it ended";
}

TEST_F(PerfTimer, ADistanceExactlyAtTheLimitRunsOn) {
    perf_arm(dev, PerfTimerConfig{0, PERF_NO_END_SPEED, 402});
    drive_at(dev, 100);
    ticks(dev, 135);
    PerfTimerResult r = result(dev);
    ASSERT_EQ(r.distance, 402);
    EXPECT_EQ(r.state, PERF_RUNNING) << "the run ends only past the limit";
    ticks(dev, 1);
    EXPECT_EQ(result(dev).state, PERF_FINISHED);
}

TEST_F(PerfTimer, NoughtToHundredEndsAboveTheEndSpeed) {
    perf_arm(dev, RUN_0_100);
    drive_at(dev, 50);
    ticks(dev, 5);
    drive_at(dev, 100);
    ticks(dev, 5);
    EXPECT_EQ(result(dev).state, PERF_RUNNING) << "exactly 100 km/h is not above it";
    drive_at(dev, 110);
    ticks(dev, 1);
    PerfTimerResult r = result(dev);
    EXPECT_EQ(r.state, PERF_FINISHED);
    EXPECT_EQ(r.speed, 1100);
    EXPECT_EQ(r.time, 10 * 32);
}

TEST_F(PerfTimer, TimeStopsAtAHundredSecondsWhileTheRunGoesOn) {
    perf_arm(dev, PerfTimerConfig{0, PERF_NO_END_SPEED, PERF_NO_DISTANCE_LIMIT});
    drive_at(dev, 10); // 100 tenths: no metre in any single tick
    ticks(dev, 1 + 800);
    EXPECT_EQ(result(dev).time, 25600);
    ticks(dev, 50);
    PerfTimerResult r = result(dev);
    EXPECT_EQ(r.time, 25600);
    EXPECT_EQ(r.state, PERF_RUNNING);
    EXPECT_EQ(r.distance, 0) << "the fraction of each tick is dropped";
}

TEST_F(PerfTimer, StartByteAboveEndByteNeverAdvances) {
    perf_arm(dev, PerfTimerConfig{50, 40, 400});
    drive_at(dev, 100);
    ticks(dev, 100);
    EXPECT_EQ(result(dev).state, PERF_ARMED);
    dev.perf.state = PERF_RUNNING;
    ticks(dev, 10);
    EXPECT_EQ(result(dev).time, 0);
}

TEST_F(PerfTimer, OnlyTheEighthSecondTimerDrives) {
    perf_arm(dev, RUN_400M);
    drive_at(dev, 100);
    perf_tick(dev, TIMER_TICK);
    perf_tick(dev, TIMER_REPEAT);
    EXPECT_EQ(result(dev).state, PERF_ARMED);
}

TEST_F(PerfTimer, CancelAndRearmStartAfresh) {
    perf_arm(dev, RUN_400M);
    drive_at(dev, 100);
    ticks(dev, 20);
    perf_cancel(dev);
    ticks(dev, 5);
    EXPECT_EQ(result(dev).state, PERF_IDLE);
    perf_arm(dev, RUN_400M);
    PerfTimerResult r = result(dev);
    EXPECT_EQ(r.state, PERF_ARMED);
    EXPECT_EQ(r.distance, 0);
    EXPECT_EQ(r.time, 0);
    EXPECT_EQ(r.speed, 0);
}

} // namespace
} // namespace ql
