#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/power_on.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "support/recording_host.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(PowerOn, FlagsComeFromTheStoreBeforeTheDefaultsAreWritten) {
    Device dev;
    set_stored_flags(dev, SF_SETTING_RANGE);
    raise_system_flag(dev, SF_QUEUE_OVERFLOW); // not kept: the word is loaded, not ORed
    power_on(dev);
    EXPECT_EQ(dev.kernel.system_flags, SF_SETTING_RANGE);
    EXPECT_EQ(get_stored_flags(dev), 0);
}

TEST(PowerOn, ItalianVariantWithItsIdentityAndAValidStore) {
    Device dev;
    power_on(dev);
    EXPECT_EQ(get_variant(dev), 2);
    EXPECT_EQ(get_product_code(dev), 156);
    EXPECT_EQ(dev.settings.settings_valid_marker, 0);
    EXPECT_EQ(get_language_mask(dev), LANG_ENGLISH | LANG_ITALIAN);
    EXPECT_EQ(get_language(dev), LANG_ITALIAN);
    EXPECT_EQ(get_distance_unit(dev), DistanceUnit::Kilometres);
    EXPECT_EQ(get_display_frozen(dev), 0);
    EXPECT_EQ(get_reserved_trip_flag(dev), 0);
}

TEST(PowerOn, HardwareTakesItsSettings) {
    Device dev;
    dev.vehicle.pulses_per_km = 77;
    dev.vehicle.max_speed_tenths = 1200;
    dev.vehicle.counting_down = 1;
    test::RecordingHost host;
    dev.host = &host;
    power_on(dev);
    EXPECT_EQ(dev.vehicle.pulses_per_km, 1000);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 0)
        << "maximum speed from the stored maximum, 0";
    EXPECT_EQ(dev.vehicle.counting_down, 0);
    EXPECT_EQ(dev.fuel.table.count, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"fuel text"}))
        << "loading the fuel table repaints the fuel text, and nothing else is asked";
}

TEST(PowerOn, ClearsThePanelAndQueuesTheSwitchToTheTripScreen) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 128, 64, RECT_SET);
    move_to(dev, 40, 30);
    post_event(dev, EV_TICK_1S); // from a timer before power-on: dropped with the queue
    power_on(dev);
    EXPECT_EQ(dev.draw.cursor.x, 0);
    EXPECT_EQ(dev.draw.cursor.y, 0);
    for (std::uint8_t b : dev.lcd.frame_memory)
        ASSERT_EQ(b, 0);
    EXPECT_EQ(dev.kernel.current_screen, nullptr);
    EXPECT_EQ(dev.kernel.pending_screen, &MainTripScreen);
    std::uint8_t code = 0;
    ASSERT_TRUE(take_event(dev, code));
    EXPECT_EQ(code, EV_EXIT);
    ASSERT_TRUE(take_event(dev, code));
    EXPECT_EQ(code, EV_ENTER);
    EXPECT_FALSE(take_event(dev, code));
}

TEST(PowerOn, AStoreMarkedInvalidIsRebuiltForItsVariantAndAValidOneKept) {
    PowerOnOptions germany;
    germany.variant = VARIANT_GERMANY;
    Device used;
    power_on(used, germany);
    set_backlight(used, BACKLIGHT_DIM);
    set_contrast(used, 50);
    set_language(used, LANG_ENGLISH);
    set_alarm_enabled(used, 1);
    set_stored_max_speed(used, 1234);
    FuelTable points{};
    points.count = 3;
    points.volumes = {1000, 2000, 3000};
    points.readings = {40, 80, 120};
    load_fuel_table(used, points);

    PowerOnOptions from_store;
    from_store.stored = used.settings;
    Device kept;
    power_on(kept, from_store);
    EXPECT_EQ(kept.settings, used.settings) << "a valid store is taken as it is";

    invalidate_settings(used);
    Device rebuilt;
    // The variant asked for does not apply to a store; the one the store holds does.
    from_store.stored = used.settings;
    from_store.variant = VARIANT_UK;
    power_on(rebuilt, from_store);
    Device factory;
    power_on(factory, germany);
    Settings expected = factory.settings;
    expected.fuel_volumes = points.volumes; // the points beyond the count stay
    expected.fuel_readings = points.readings;
    EXPECT_EQ(rebuilt.settings, expected);
    EXPECT_EQ(get_language(rebuilt), LANG_GERMAN);
    EXPECT_EQ(get_settings_valid_marker(rebuilt), SETTINGS_VALID);
}

} // namespace
} // namespace ql
