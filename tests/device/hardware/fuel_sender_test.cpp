#include "device/device.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/keys.hpp"
#include "support/recording_host.hpp"
#include <gtest/gtest.h>
#include <initializer_list>

namespace ql {
namespace {

FuelTable table(std::int8_t count, std::initializer_list<int> readings,
                std::initializer_list<int> volumes) {
    FuelTable t;
    t.count = count;
    std::size_t i = 0;
    for (int r : readings)
        t.readings[i++] = static_cast<std::uint8_t>(r);
    i = 0;
    for (int v : volumes)
        t.volumes[i++] = static_cast<std::uint16_t>(v);
    return t;
}

std::uint16_t volume_at(Device& dev, std::uint8_t reading) {
    dev.fuel.reading = reading;
    return get_fuel_volume(dev);
}

TEST(FuelVolume, InterpolatesBetweenThePoints) {
    Device dev;
    load_sender_table(dev, table(3, {50, 100, 200}, {100, 300, 500}));
    EXPECT_EQ(volume_at(dev, 0), 0);
    EXPECT_EQ(volume_at(dev, 25), 50) << "a straight line from empty to the first point";
    EXPECT_EQ(volume_at(dev, 50), 100);
    EXPECT_EQ(volume_at(dev, 75), 200);
    EXPECT_EQ(volume_at(dev, 150), 400);
    EXPECT_EQ(volume_at(dev, 199), 498) << "integer division truncates";
    EXPECT_EQ(volume_at(dev, 200), 500);
    EXPECT_EQ(volume_at(dev, 255), 500) << "above the last point: the last volume";
}

TEST(FuelVolume, AFallingSenderIsLookedUpInverted) {
    Device dev;
    load_sender_table(dev, table(-3, {50, 100, 200}, {100, 300, 500}));
    EXPECT_EQ(volume_at(dev, 205), 100);
    EXPECT_EQ(volume_at(dev, 155), 300);
    EXPECT_EQ(volume_at(dev, 0), 500);
    EXPECT_EQ(volume_at(dev, 255), 0);
}

TEST(FuelVolume, EqualReadingsStopAtTheFirstOfThem) {
    Device dev;
    load_sender_table(dev, table(3, {50, 100, 100}, {100, 300, 400}));
    EXPECT_EQ(volume_at(dev, 100), 300);
    EXPECT_EQ(volume_at(dev, 101), 400);
}

TEST(FuelVolume, OnlyThePointsInUseCount) {
    Device dev;
    load_sender_table(dev, table(2, {50, 100, 200}, {100, 300, 500}));
    EXPECT_EQ(volume_at(dev, 150), 300);
}

TEST(FuelVolume, ACountBeyondTenUsesTenPoints) {
    Device dev;
    FuelTable t;
    for (std::uint8_t i = 0; i < FUEL_TABLE_POINTS; ++i) {
        t.readings[i] = static_cast<std::uint8_t>(10 * (i + 1));
        t.volumes[i] = static_cast<std::uint16_t>(1000 * (i + 1));
    }
    t.count = 127;
    load_sender_table(dev, t);
    EXPECT_EQ(volume_at(dev, 95), 9500);
    EXPECT_EQ(volume_at(dev, 200), 10000);
    t.count = -128;
    load_sender_table(dev, t);
    EXPECT_EQ(volume_at(dev, 255 - 95), 9500);
    EXPECT_EQ(volume_at(dev, 0), 10000);
}

TEST(FuelVolume, NoPointsGiveTheLineToTheFirstPoint) {
    Device dev;
    EXPECT_EQ(volume_at(dev, 200), 0) << "the empty table of program start";
    load_sender_table(dev, table(0, {100}, {4000}));
    EXPECT_EQ(volume_at(dev, 200), 8000);
    load_sender_table(dev, table(0, {0}, {30}));
    EXPECT_EQ(volume_at(dev, 200), 6000) << "a first point at reading 0 is not divided by";
}

TEST(FuelVolume, TheLineToALeftoverFirstPointIsWorkedIn32BitsAndHandedOverIn16) {
    Device dev;
    load_sender_table(dev, table(0, {100, 150}, {60000, 61000}));
    // 60000 x 200 / 100 = 120000, which leaves the 16-bit result as 120000 - 65536.
    EXPECT_EQ(volume_at(dev, 200), 54464);
    EXPECT_EQ(volume_at(dev, 50), 30000);
}

TEST(FuelVolume, LargeVolumesInterpolateWithoutOverflow) {
    Device dev;
    load_sender_table(dev, table(2, {1, 255}, {0, 65000}));
    EXPECT_EQ(volume_at(dev, 128), 32500);
    EXPECT_EQ(volume_at(dev, 254), 64744);
}

TEST(FuelSenderKeys, LeftAndRightMoveTheReadingWithinItsByte) {
    Device dev;
    fuel_reset(dev);
    fuel_key(dev, KEY_LEFT);
    EXPECT_EQ(get_sender_reading(dev), 0);
    for (int i = 0; i < 300; ++i)
        fuel_key(dev, KEY_RIGHT);
    EXPECT_EQ(get_sender_reading(dev), 255);
    fuel_key(dev, KEY_LEFT);
    fuel_key(dev, KEY_UP);
    EXPECT_EQ(get_sender_reading(dev), 254);
}

TEST(FuelSenderKeys, EveryKeyAndEveryNewTableRepaintTheFuelText) {
    Device dev;
    test::RecordingHost host;
    dev.host = &host;
    fuel_key(dev, KEY_LEFT);
    fuel_key(dev, KEY_DOWN);
    load_sender_table(dev, FuelTable{});
    EXPECT_EQ(host.calls, (std::vector<std::string>(3, "fuel text")));
}

TEST(FuelSenderReset, ClearsTheReadingAndCountButKeepsThePoints) {
    Device dev;
    load_sender_table(dev, table(3, {50, 100, 200}, {100, 300, 500}));
    dev.fuel.reading = 77;
    fuel_reset(dev);
    EXPECT_EQ(get_sender_reading(dev), 0);
    EXPECT_EQ(dev.fuel.table.count, 0);
    EXPECT_EQ(dev.fuel.table.readings[2], 200);
    EXPECT_EQ(dev.fuel.table.volumes[2], 500);
}

} // namespace
} // namespace ql
