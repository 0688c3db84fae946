#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/perf_timer.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "support/screen_driver.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

// ---- fuel gauge

class FuelGaugeTest : public test::ScreenDriver {
  protected:
    // Two points, full at 50.00 litres: readings 100 and 200 hold 25.00 and 50.00 litres.
    void calibrate(std::int8_t count = 2, std::uint16_t first = 2500, std::uint16_t last = 5000) {
        FuelTable table;
        table.count = count;
        table.readings[0] = 100;
        table.readings[1] = 200;
        table.volumes[0] = first;
        table.volumes[1] = last;
        load_fuel_table(dev, table);
        load_sender_table(dev, table);
    }
    // The bar's top row, above the empty word.
    int bar_length() const { return dark_in_row(48, 21, 107); }
};

TEST_F(FuelGaugeTest, FollowsTheSenderBothWaysAndDrawsLikeAFreshEntry) {
    calibrate();
    open(FuelGaugeScreen);
    EXPECT_FRAME("fuel_empty_it");
    EXPECT_STREQ(dev.screens.service.gauge_shown_text, "  0.0");

    key(KEY_RIGHT, 150); // 37.50 litres
    wait_ms(250);
    EXPECT_STREQ(dev.screens.service.gauge_shown_text, " 37.5");
    EXPECT_EQ(bar_length(), 65) << "87 x 3750 / 5000, truncated";
    key(KEY_LEFT, 25); // 31.25 litres, shown to the half litre above
    wait_ms(250);
    EXPECT_STREQ(dev.screens.service.gauge_shown_text, " 31.5");
    EXPECT_EQ(bar_length(), 54);
    const std::string shrunk = frame_picture(dev.lcd);
    open(FuelGaugeScreen);
    EXPECT_EQ(frame_picture(dev.lcd), shrunk) << "grown then shrunk by differences only";

    key(KEY_LEFT, 125);
    wait_ms(250);
    EXPECT_EQ(bar_length(), 0);
    EXPECT_FRAME("fuel_empty_it"); // the empty word is back
    key(KEY_RIGHT, 200);
    wait_ms(250);
    EXPECT_EQ(bar_length(), 87) << "full at the last set point";
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(screen(), "MainMenuScreen");
}

TEST_F(FuelGaugeTest, EnglishGallonsAndAnUncalibratedTank) {
    set_language(dev, LANG_ENGLISH);
    calibrate(0); // no points: the straight line to the first one, and no full scale
    key(KEY_RIGHT, 50);
    open(FuelGaugeScreen);
    EXPECT_STREQ(dev.screens.service.gauge_shown_text, " 12.5");
    EXPECT_EQ(bar_length(), 0);
    set_fuel_unit(dev, FuelUnit::Gallons);
    calibrate(2, 379, 758); // 1.00 and 2.00 US gallons
    key(KEY_RIGHT, 150);    // reading 200
    open(FuelGaugeScreen);
    EXPECT_STREQ(dev.screens.service.gauge_shown_text, "  2.0");
    EXPECT_FRAME("fuel_gallons_en");
}

TEST_F(FuelGaugeTest, ABadTableKeepsTheBarInsideItsFrame) {
    // Volumes falling towards the last point, and more points than the table holds.
    calibrate(12, 6000, 1000);
    key(KEY_RIGHT, 100); // 60.00 litres against a full scale of volume[9], 0
    open(FuelGaugeScreen);
    EXPECT_EQ(dev.screens.service.gauge_full_volume, 0) << "ten points at most";
    calibrate(2, 6000, 1000);
    open(FuelGaugeScreen);
    EXPECT_EQ(bar_length(), 87);
    EXPECT_EQ(dark_in_row(51, 108, 116), 1) << "only the frame's right edge beyond the bar";
}

// ---- performance timer

class PerfTest : public test::ScreenDriver {
  protected:
    void arm(int item) {
        open(PerfMenuScreen);
        press(BTN_BOTTOM_RIGHT, item);
        press(BTN_BOTTOM_LEFT);
        ASSERT_EQ(screen(), "PerfArmScreen");
        press(BTN_BOTTOM_LEFT);
        ASSERT_EQ(screen(), "PerfRunScreen");
    }
    // Four characters in a field of five.
    const char* time_shown() const { return dev.screens.service.perf_shown_time; }
};

TEST_F(PerfTest, MenuArmAndRunScreensInBothLanguages) {
    open(PerfMenuScreen);
    EXPECT_FRAME("perf_menu_it");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("perf_arm_it");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("perf_run_armed_it");
    set_language(dev, LANG_ENGLISH);
    open(PerfMenuScreen);
    EXPECT_FRAME("perf_menu_en");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("perf_arm_en");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("perf_run_armed_en");
    press(BTN_TOP_LEFT, 2);
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(screen(), "MainMenuScreen");
}

TEST_F(PerfTest, LabelsAndRunsFollowTheDistanceUnit) {
    set_distance_unit(dev, DistanceUnit::Miles);
    open(PerfMenuScreen);
    EXPECT_STREQ(list_slot<ListSlot::PerfMenuScreenSlot>(dev).items[0].text, "Timer 100mph");
    EXPECT_STREQ(list_slot<ListSlot::PerfMenuScreenSlot>(dev).items[1].text, "Timer 1/4miglio");
    set_language(dev, LANG_ENGLISH);
    arm(0);
    EXPECT_EQ(dev.perf.config.end_speed, 97);
    EXPECT_EQ(dev.perf.config.distance_limit, PERF_NO_DISTANCE_LIMIT);
    press(BTN_TOP_LEFT, 2);
    EXPECT_STREQ(list_slot<ListSlot::PerfMenuScreenSlot>(dev).items[0].text, "Timer 60mph");
    EXPECT_STREQ(list_slot<ListSlot::PerfMenuScreenSlot>(dev).items[1].text, "Timer 1/4mile");
    arm(1);
    EXPECT_EQ(dev.perf.config.end_speed, PERF_NO_END_SPEED);
    EXPECT_EQ(dev.perf.config.distance_limit, 402);
    key(KEY_UP, 10);
    wait_ms(1500); // the tick at 1.5 s sees ten counted steps at 100 km/h: 30 m, 0.019 mile
    EXPECT_FRAME("perf_quarter_mile_running_en");
}

TEST_F(PerfTest, SpeedRunShowsTheLiveSpeedThenTheFrozenTime) {
    set_language(dev, LANG_ENGLISH);
    arm(0);
    key(KEY_UP, 5);
    // The screen reads the unit at each 250 ms tick, before the unit's own step of that
    // instant: at 1 s it has started (125 ms) and counted six steps, 192/256 s.
    wait_ms(1000);
    EXPECT_STREQ(time_shown(), "00.7 ");
    EXPECT_FRAME("perf_speed_running_en");
    key(KEY_UP, 6); // 110 km/h passes 100
    wait_ms(250);   // the step at 1 s counts 224, the one at 1.125 s passes the end speed: 256
    EXPECT_EQ(dev.perf.state, PERF_FINISHED);
    EXPECT_EQ(dev.perf.time, 256);
    EXPECT_STREQ(time_shown(), "01.0 ");
    wait_ms(2000);
    EXPECT_STREQ(time_shown(), "01.0 ");
    EXPECT_FRAME("perf_speed_finished_en");
}

TEST_F(PerfTest, FourHundredMetresAtAHundredTakeSixteenPointSeven) {
    key(KEY_UP, 10);
    arm(1);
    wait_ms(125 * 140);
    EXPECT_EQ(dev.perf.state, PERF_FINISHED);
    EXPECT_EQ(dev.perf.distance, 402);
    EXPECT_STREQ(time_shown(), "16.7 ");
    EXPECT_FRAME("perf_400m_finished_it");
}

TEST_F(PerfTest, StopReArmAndTheTimeLimit) {
    arm(0);
    press(BTN_BOTTOM_LEFT);
    const std::string armed = frame_picture(dev.lcd);
    wait_ms(250);
    EXPECT_NE(frame_picture(dev.lcd), armed);
    EXPECT_FRAME("perf_stopped_it");
    press(BTN_BOTTOM_LEFT);
    wait_ms(250);
    EXPECT_FRAME("perf_stopped_it"); // a second stop changes nothing

    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("perf_run_armed_it");
    key(KEY_UP, 5);
    wait_ms(102 * 1000);
    EXPECT_EQ(dev.perf.state, PERF_RUNNING);
    EXPECT_STREQ(time_shown(), "99.9 ");
}

} // namespace
} // namespace ql
