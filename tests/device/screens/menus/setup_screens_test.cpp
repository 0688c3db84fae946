#include "device/hardware/clocks.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "support/screen_driver.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

class SetupTest : public test::ScreenDriver {
  protected:
    std::int32_t counter(Counter c) {
        std::int32_t v = 0;
        get_distance_counter(dev, c, v);
        return v;
    }
    // Opens the editor of the interval (item 0) or the total (item 1).
    void edit_counter(int item) {
        open(SetDistanceScreen);
        press(item == 0 ? BTN_TOP_RIGHT : BTN_BOTTOM_RIGHT);
        press(BTN_BOTTOM_LEFT);
        ASSERT_EQ(screen(), "DistanceEntryScreen");
    }
};

// ---- set distance

TEST_F(SetupTest, SetDistanceScreensInBothLanguages) {
    open(SetDistanceScreen);
    EXPECT_FRAME("set_distance_it");
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("distance_entry_interval_it");
    set_language(dev, LANG_ENGLISH);
    set_resolution(dev, Resolution::High);
    set_distance_unit(dev, DistanceUnit::Miles);
    open(SetDistanceScreen);
    EXPECT_FRAME("set_distance_en");
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("distance_entry_total_miles_en");
}

TEST_F(SetupTest, TypedDistancesInKilometresAndMilesAtBothResolutions) {
    set_distance_counter(dev, COUNTER_TOTAL, 777);
    edit_counter(0);
    type("+012.34");
    EXPECT_EQ(screen(), "MainTripScreen");
    EXPECT_EQ(counter(COUNTER_INTERVAL), 12340);
    EXPECT_STREQ(dev.screens.trip.interval_shown, " 12.34");
    EXPECT_EQ(counter(COUNTER_TOTAL), 777) << "only the chosen counter";

    set_resolution(dev, Resolution::High);
    edit_counter(1);
    EXPECT_STREQ(dev.ui.entry_text.data(), "+00.000") << "always from zero";
    type("+12.340");
    EXPECT_EQ(counter(COUNTER_TOTAL), 12340);

    set_resolution(dev, Resolution::Rally);
    set_distance_unit(dev, DistanceUnit::Miles);
    edit_counter(0);
    type("+001.00");
    EXPECT_EQ(counter(COUNTER_INTERVAL), 1609);
    edit_counter(0);
    type("-001.00");
    EXPECT_EQ(counter(COUNTER_INTERVAL), -1609);
    edit_counter(1);
    type("+000.00");
    EXPECT_EQ(counter(COUNTER_TOTAL), 0);
}

TEST_F(SetupTest, LeavingTheDistanceEditorChangesNothing) {
    set_distance_counter(dev, COUNTER_INTERVAL, 500);
    edit_counter(0);
    press(BTN_TOP_RIGHT); // "-"
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "SetDistanceScreen");
    edit_counter(0);
    press(BTN_BOTTOM_LEFT, 3);
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(dev.ui.editor.pos, 2) << "the press moves one place left first";
    post(key_hold(BTN_TOP_LEFT));
    EXPECT_EQ(screen(), "SetDistanceScreen");
    post(key_release(BTN_TOP_LEFT));
    EXPECT_EQ(counter(COUNTER_INTERVAL), 500);
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(screen(), "MainMenuScreen");
}

// ---- speed alarm

TEST_F(SetupTest, AlarmListAndSpeedScreensInBothLanguages) {
    open(SpeedAlarmScreen);
    EXPECT_FRAME("speed_alarm_off_it");
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(get_alarm_enabled(dev), 1);
    EXPECT_FRAME("speed_alarm_on_it");
    press(BTN_TOP_RIGHT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("alarm_speed_it");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("alarm_speed_entry_it");
    set_language(dev, LANG_ENGLISH);
    open(SpeedAlarmScreen);
    EXPECT_FRAME("speed_alarm_on_en");
    open(AlarmSpeedScreen);
    EXPECT_FRAME("alarm_speed_en");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("alarm_speed_entry_en");
}

TEST_F(SetupTest, AlarmSpeedTypedInMilesIsStoredInKilometres) {
    set_distance_unit(dev, DistanceUnit::Miles);
    open(AlarmSpeedScreen);
    EXPECT_STREQ(dev.screens.setup.alarm_speed_text, "062");
    press(BTN_BOTTOM_LEFT);
    type("060");
    EXPECT_EQ(screen(), "AlarmSpeedScreen");
    EXPECT_EQ(get_alarm_speed(dev), 970);
    EXPECT_STREQ(dev.screens.setup.alarm_speed_text, "060");
    press(BTN_BOTTOM_LEFT);
    type("999");
    EXPECT_EQ(get_alarm_speed(dev), 9990) << "1608 km/h held to 999";
    EXPECT_STREQ(dev.screens.setup.alarm_speed_text, "621");
    set_distance_unit(dev, DistanceUnit::Kilometres);
    open(AlarmSpeedScreen);
    EXPECT_STREQ(dev.screens.setup.alarm_speed_text, "999");
    press(BTN_BOTTOM_LEFT);
    type("000");
    EXPECT_EQ(get_alarm_speed(dev), 0);
    press(BTN_BOTTOM_LEFT);
    press(BTN_TOP_RIGHT, 3);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(get_alarm_speed(dev), 0) << "left on the first digit without storing";
    // A threshold beyond three digits shows as 999, not as its last three digits.
    set_alarm_speed(dev, 12000);
    open(AlarmSpeedScreen);
    EXPECT_STREQ(dev.screens.setup.alarm_speed_text, "999");
    press(BTN_TOP_LEFT);
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(screen(), "MainMenuScreen");
}

// ---- clock

TEST_F(SetupTest, ClockOpensOnTheTimeAndSetsIt) {
    set_clock(dev, Clock{0, 41, 5, 9});
    wait_ms(500);
    open(ClockAdjustScreen);
    EXPECT_STREQ(dev.screens.setup.clock_edit_text, "09:05:00");
    EXPECT_FRAME("clock_adjust_it");
    type("09:05:00");
    EXPECT_EQ(screen(), "MainTripScreen");
    Clock now;
    read_clock(dev, now);
    EXPECT_EQ(now.hours, 9);
    EXPECT_EQ(now.minutes, 5);
    EXPECT_EQ(now.seconds, 0);
    EXPECT_EQ(now.fraction, 0) << "the second restarts";
    set_language(dev, LANG_ENGLISH);
    open(ClockAdjustScreen);
    EXPECT_FRAME("clock_adjust_en");
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "MainTripScreen");
}

TEST_F(SetupTest, ClockTensDigitsKeepToTheirRange) {
    open(ClockAdjustScreen); // 00:00:00
    const char* text = dev.screens.setup.clock_edit_text;
    std::string seen;
    const auto step = [&](Button b, int pos) {
        press(b);
        seen += text[pos];
    };
    for (Button b : {BTN_TOP_RIGHT, BTN_TOP_RIGHT, BTN_TOP_RIGHT, BTN_BOTTOM_RIGHT,
                     BTN_BOTTOM_RIGHT, BTN_BOTTOM_RIGHT})
        step(b, 0);
    EXPECT_EQ(seen, "120210") << "hours 0, 1, 2, 0 up and 0, 2, 1, 0 down";
    press(BTN_BOTTOM_LEFT, 2); // tens of minutes, then of seconds, then units of seconds
    seen.clear();
    step(BTN_BOTTOM_RIGHT, 3);
    step(BTN_TOP_RIGHT, 3);
    press(BTN_BOTTOM_LEFT, 3);
    step(BTN_BOTTOM_RIGHT, 7);
    EXPECT_EQ(seen, "509");
}

TEST_F(SetupTest, InvalidHourShowsTheErrorAndTheRetryKeepsTheText) {
    open(ClockAdjustScreen);
    type("24:30:15");
    EXPECT_EQ(screen(), "ClockErrorScreen");
    EXPECT_FRAME("clock_error_it");
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "ClockAdjustScreen");
    EXPECT_STREQ(dev.screens.setup.clock_edit_text, "24:30:15");
    EXPECT_EQ(dev.ui.editor.pos, 0);
    press(BTN_BOTTOM_RIGHT); // 2 -> 1
    press(BTN_BOTTOM_LEFT);
    press(BTN_TOP_RIGHT, 3); // 14 -> 17
    press(BTN_BOTTOM_LEFT, 5);
    EXPECT_EQ(screen(), "MainTripScreen");
    Clock now;
    read_clock(dev, now);
    EXPECT_EQ(now.hours, 17);
    EXPECT_EQ(now.minutes, 30);
    EXPECT_EQ(now.seconds, 15);

    set_language(dev, LANG_ENGLISH);
    open(ClockAdjustScreen);
    type("29:59:59");
    EXPECT_FRAME("clock_error_en");
    press(BTN_TOP_LEFT);
    press(BTN_TOP_LEFT); // leaves on the first character: the rejected text is forgotten
    EXPECT_EQ(screen(), "MainTripScreen");
    open(ClockAdjustScreen);
    EXPECT_STREQ(dev.screens.setup.clock_edit_text, "17:30:00");
}

// ---- About and factory reset

TEST_F(SetupTest, AboutAndFactoryResetInBothLanguages) {
    open(AboutScreen);
    EXPECT_FRAME("about_it");
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "FactoryResetScreen");
    EXPECT_FRAME("factory_reset_it");
    const std::string question = frame_picture(dev.lcd);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(get_settings_valid_marker(dev), SETTINGS_INVALID);
    EXPECT_EQ(frame_picture(dev.lcd), question) << "yes changes nothing on the display";
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "AboutScreen");
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(screen(), "MainMenuScreen");

    set_language(dev, LANG_ENGLISH);
    set_variant(dev, VARIANT_UK);
    set_product_code(dev, 0xAB1F);
    open(AboutScreen);
    EXPECT_FRAME("about_uk_en");
    press(BTN_BOTTOM_LEFT);
    EXPECT_FRAME("factory_reset_en");
}

} // namespace
} // namespace ql
