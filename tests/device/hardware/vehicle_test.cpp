#include "device/device.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/vehicle.hpp"
#include "support/driving.hpp"
#include "support/recording_host.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

using test::drive_at;
using test::ticks;

std::int32_t counter(Device& dev, Counter index) {
    std::int32_t out = 12345;
    get_distance_counter(dev, index, out);
    return out;
}

TEST(VehicleSpeed, StepsOfTenBetweenZeroAndThreeHundred) {
    Device dev;
    vehicle_reset(dev);
    for (int i = 0; i < 31; ++i)
        vehicle_key(dev, KEY_UP);
    EXPECT_EQ(get_speed(dev, SpeedSource::Current), 3000);
    vehicle_key(dev, KEY_DOWN);
    EXPECT_EQ(get_speed(dev, SpeedSource::Current), 2900);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 3000) << "the maximum stays";
}

TEST(VehicleSpeed, DownAtStandstillChangesNothing) {
    Device dev;
    vehicle_reset(dev);
    vehicle_key(dev, KEY_DOWN);
    EXPECT_EQ(get_speed(dev, SpeedSource::Current), 0);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 0);
}

TEST(VehicleSpeed, AnyKeyRaisesALoweredMaximumToTheCurrentSpeed) {
    Device dev;
    vehicle_reset(dev);
    drive_at(dev, 80);
    set_max_speed(dev, SpeedSource::Maximum, 0);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 0);
    vehicle_key(dev, KEY_LEFT);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 800);
}

TEST(VehicleSpeed, EveryKeyRepaintsTheSpeedText) {
    Device dev;
    test::RecordingHost host;
    dev.host = &host;
    vehicle_reset(dev);
    vehicle_key(dev, KEY_UP);
    vehicle_key(dev, KEY_DOWN);
    vehicle_key(dev, KEY_DOWN);
    vehicle_key(dev, KEY_RIGHT);
    EXPECT_EQ(host.calls, (std::vector<std::string>(4, "speed text")));
}

TEST(VehicleSpeed, MaximumIsSetInTenthsAndReadBackWhole) {
    Device dev;
    vehicle_reset(dev);
    set_max_speed(dev, SpeedSource::Maximum, 1234);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 1230);
    set_max_speed(dev, SpeedSource::Maximum, 60000);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 9990);
    set_max_speed(dev, SpeedSource::Average, 500);
    set_max_speed(dev, SpeedSource::Current, 500);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 9990);
    EXPECT_EQ(get_speed(dev, SpeedSource::Current), 0);
    EXPECT_EQ(get_speed(dev, SpeedSource::Average), 0);
}

TEST(VehicleDistance, HundredKmhCoversAKilometreIn144Ticks) {
    Device dev;
    vehicle_reset(dev);
    drive_at(dev, 100);
    ticks(dev, 1);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 7) << "6.944 m rounds to 7";
    ticks(dev, 143);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 1000);
    EXPECT_EQ(counter(dev, COUNTER_TOTAL), 1000);
    EXPECT_EQ(counter(dev, COUNTER_SPARE), 1000);
}

TEST(VehicleDistance, OnlyTheQuarterSecondTimerDrives) {
    Device dev;
    vehicle_reset(dev);
    drive_at(dev, 100);
    vehicle_tick(dev, TIMER_PERF);
    vehicle_tick(dev, TIMER_HOLD);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 0);
}

TEST(VehicleDistance, CountingDownPassesZeroAndStopsReadingAtItsLimit) {
    Device dev;
    vehicle_reset(dev);
    set_counting_down(dev, CountDirection::Down);
    set_distance_counter(dev, COUNTER_INTERVAL, 500);
    drive_at(dev, 90); // 6.25 m per tick
    ticks(dev, 32);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 300);
    ticks(dev, 80);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -200);
    set_distance_counter(dev, COUNTER_INTERVAL, -999998);
    ticks(dev, 1);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -999999);
    ticks(dev, 10);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -999999);
    EXPECT_LT(dev.vehicle.counters[0], -1000000.0f) << "the float runs on";
}

TEST(VehicleDistance, TheTotalNeverCountsDown) {
    Device dev;
    vehicle_reset(dev);
    set_counting_down(dev, CountDirection::Down);
    set_pulses_per_km(dev, 1000);
    drive_at(dev, 90);
    ticks(dev, 160); // 1000 m
    std::uint32_t pulses = 0;
    get_pulse_count(dev, pulses);
    EXPECT_EQ(pulses, 1000u);
}

TEST(VehicleDistance, PulsesAreTheWholeDistanceTimesTheRateTruncated) {
    Device dev;
    vehicle_reset(dev);
    set_pulses_per_km(dev, 1234);
    drive_at(dev, 90);
    ticks(dev, 40); // 250 m: 308.5 pulses
    std::uint32_t pulses = 0;
    get_pulse_count(dev, pulses);
    EXPECT_EQ(pulses, 308u);
    ticks(dev, 1000); // 6500 m in all
    get_pulse_count(dev, pulses);
    EXPECT_EQ(pulses, 8021u);
}

TEST(VehicleDistance, ReadingRoundsToTheNearestMetreAndIsLimited) {
    Device dev;
    vehicle_reset(dev);
    dev.vehicle.counters[0] = 2.5f;
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 3);
    dev.vehicle.counters[0] = -2.5f;
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -2);
    dev.vehicle.counters[0] = -2.7f;
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -3);
    set_distance_counter(dev, COUNTER_INTERVAL, -5);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -5) << "a negative count reads back whole";
    dev.vehicle.counters[0] = -0.4f;
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 0);
    set_distance_counter(dev, COUNTER_INTERVAL, 9999999);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 9999999);
    set_distance_counter(dev, COUNTER_INTERVAL, 20000000);
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 9999999);
    dev.vehicle.counters[0] = 1e30f;
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), 9999999);
    dev.vehicle.counters[0] = -1e30f;
    EXPECT_EQ(counter(dev, COUNTER_INTERVAL), -999999);
}

TEST(VehicleDistance, CounterNumbersBeyondTheThreeAreIgnored) {
    Device dev;
    vehicle_reset(dev);
    set_distance_counter(dev, static_cast<Counter>(3), 777);
    set_distance_counter(dev, static_cast<Counter>(255), 777);
    EXPECT_EQ(counter(dev, static_cast<Counter>(3)), 0);
    for (Counter c : {COUNTER_INTERVAL, COUNTER_TOTAL, COUNTER_SPARE})
        EXPECT_EQ(counter(dev, c), 0);
}

TEST(VehiclePulses, AKilometreAtTheMileCalibrationGives1609) {
    Device dev;
    vehicle_reset(dev);
    set_pulses_per_km(dev, 1609);
    set_pulses_per_km(dev, 1609);
    dev.vehicle.total_distance = 1000.0f;
    std::uint32_t pulses = 0;
    get_pulse_count(dev, pulses);
    EXPECT_EQ(pulses, 1609u);
}

} // namespace
} // namespace ql
