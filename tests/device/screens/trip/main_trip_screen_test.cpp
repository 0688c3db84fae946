#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/clocks.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/host.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/wiring.hpp"
#include "support/screen_driver.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

class TripScreenTest : public test::ScreenDriver {
  protected:
    void reenter() {
        change_screen(dev, MainTripScreen);
        run_pending_events(dev);
    }
    void set_interval(std::int32_t metres) {
        set_distance_counter(dev, COUNTER_INTERVAL, metres);
        post(EV_TICK_500MS);
    }
};

// What a region should show, drawn on a fresh panel by the drawing routines themselves.
std::string label_picture(const char* text) {
    Device ref;
    text_draw_at(ref, 92, 51, ALIGN_RIGHT, text);
    return frame_picture(ref.lcd, 11, 49, 82, 12);
}
std::string large_digits_picture(const char* text) {
    Device ref;
    move_to(ref, 20, 7);
    digits_draw_large(ref, text);
    return frame_picture(ref.lcd, 11, 4, 87, 22);
}
std::string small_digits_picture(std::uint8_t x, const char* text) {
    Device ref;
    move_to(ref, x, 35);
    digits_draw_small(ref, text);
    return frame_picture(ref.lcd, 11, 33, 84, 14);
}
std::string legend_picture(std::uint8_t x, std::uint8_t y, const std::uint8_t* legend) {
    Device ref;
    draw_side_bars(ref);
    if (legend != nullptr) {
        move_to(ref, x, y);
        blit_xor(ref, 7, 24, legend);
    }
    return frame_picture(ref.lcd, x - 2, y - 3, 11, 30);
}

TEST_F(TripScreenTest, PowerOnShowsTheTripScreenInItalianKilometres) {
    ASSERT_NE(dev.kernel.current_screen, nullptr);
    EXPECT_STREQ(dev.kernel.current_screen->name, "MainTripScreen");
    EXPECT_EQ(get_language(dev), LANG_ITALIAN);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 0) << "maximum speed starts at zero";
    EXPECT_EQ(region(117, 1, 11, 30),
              legend_picture(119, 4, legend_word(Legend::Clear, LANG_ITALIAN)));
    EXPECT_EQ(region(0, 1, 11, 30), legend_picture(2, 4, legend_word(Legend::Menu, LANG_ITALIAN)));
    EXPECT_EQ(region(0, 33, 11, 30),
              legend_picture(2, 36, legend_word(Legend::Mode, LANG_ITALIAN)));
    Device ref;
    text_draw_at(ref, 98, 16, ALIGN_LEFT, "km");
    EXPECT_EQ(region(96, 14, 20, 12), frame_picture(ref.lcd, 96, 14, 20, 12));
    EXPECT_STREQ(dev.screens.trip.interval_shown, "  0.00");
    EXPECT_EQ(region(11, 4, 87, 22), large_digits_picture("  0.00"));
    EXPECT_EQ(dev.screens.trip.trip_page, PAGE_TOTAL_DISTANCE);
    EXPECT_EQ(label_picture("km"), region(11, 49, 82, 12));
}

TEST_F(TripScreenTest, DirectionMarkPointsUpOrDown) {
    const std::string up = region(101, 9, 7, 4);
    EXPECT_EQ(up, "...#...\n..###..\n.#####.\n#######\n");
    set_count_direction(dev, CountDirection::Down);
    reenter();
    EXPECT_EQ(region(101, 9, 7, 4), "#######\n.#####.\n..###..\n...#...\n");
}

TEST_F(TripScreenTest, FactoryPagesCycleCurrentMaximumClockTotal) {
    const TripPage expected[] = {PAGE_CURRENT_SPEED, PAGE_MAXIMUM_SPEED, PAGE_CLOCK,
                                 PAGE_TOTAL_DISTANCE, PAGE_CURRENT_SPEED};
    for (TripPage page : expected) {
        press(BTN_BOTTOM_LEFT);
        EXPECT_EQ(dev.screens.trip.trip_page, page);
    }
}

TEST_F(TripScreenTest, EveryPageInTurnWhenAllAreEnabled) {
    set_telemetry_mask(dev, 0x3F);
    TripPage page = dev.screens.trip.trip_page;
    for (int i = 0; i < 7; ++i) {
        press(BTN_BOTTOM_LEFT);
        page = page == PAGE_TOTAL_DISTANCE ? PAGE_CURRENT_SPEED
                                           : static_cast<TripPage>(page_bit(page) << 1);
        EXPECT_EQ(dev.screens.trip.trip_page, page);
    }
}

TEST_F(TripScreenTest, NoTelemetryKeepsTotalDistanceAndHidesTheModeLegend) {
    set_telemetry_mask(dev, 0);
    reenter();
    EXPECT_EQ(region(0, 33, 11, 30), legend_picture(2, 36, nullptr));
    const std::string before = region(0, 0, 128, 64);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(dev.screens.trip.trip_page, PAGE_TOTAL_DISTANCE);
    EXPECT_EQ(region(0, 0, 128, 64), before) << "cleared and drawn again, the same";
}

TEST_F(TripScreenTest, DisabledPageIsMovedOnAtEntry) {
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(dev.screens.trip.trip_page, PAGE_MAXIMUM_SPEED);
    set_telemetry_mask(dev, page_bit(PAGE_CLOCK));
    reenter();
    EXPECT_EQ(dev.screens.trip.trip_page, PAGE_CLOCK);
}

TEST_F(TripScreenTest, ClearButtonZeroesTheIntervalInBothResolutions) {
    set_interval(5432);
    EXPECT_STREQ(dev.screens.trip.interval_shown, "  5.43");
    press(BTN_TOP_RIGHT);
    EXPECT_STREQ(dev.screens.trip.interval_shown, "  0.00");
    EXPECT_EQ(region(11, 4, 87, 22), large_digits_picture("  0.00"));
    set_resolution(dev, Resolution::High);
    set_interval(5432);
    EXPECT_STREQ(dev.screens.trip.interval_shown, " 5.432");
    press(BTN_TOP_RIGHT);
    EXPECT_STREQ(dev.screens.trip.interval_shown, " 0.000");
    EXPECT_EQ(region(11, 4, 87, 22), large_digits_picture(" 0.000"))
        << "the change of decimals cleared the whole number first";
}

TEST_F(TripScreenTest, IntervalDecimalsFollowMagnitudeResolutionAndUnit) {
    struct Case {
        std::int32_t metres;
        Resolution resolution;
        DistanceUnit unit;
        const char* shown;
    };
    const Case cases[] = {
        {123456, Resolution::Rally, DistanceUnit::Kilometres, "123.45"},
        {123456, Resolution::High, DistanceUnit::Kilometres, "123.45"},
        {99999, Resolution::High, DistanceUnit::Kilometres, "99.999"},
        {99999, Resolution::Rally, DistanceUnit::Kilometres, " 99.99"},
        {1000000, Resolution::Rally, DistanceUnit::Kilometres, "1000.0"},
        {1609, Resolution::Rally, DistanceUnit::Miles, "  1.00"},
        {-250, Resolution::High, DistanceUnit::Kilometres, "-0.250"},
        {-250, Resolution::Rally, DistanceUnit::Kilometres, " -0.25"},
        {99999999, Resolution::Rally, DistanceUnit::Kilometres, "9999.9"},
    };
    for (const Case& c : cases) {
        set_resolution(dev, c.resolution);
        set_distance_unit(dev, c.unit);
        set_interval(c.metres);
        EXPECT_STREQ(dev.screens.trip.interval_shown, c.shown) << c.metres;
        EXPECT_EQ(region(11, 4, 87, 22), large_digits_picture(c.shown)) << c.metres;
    }
}

TEST_F(TripScreenTest, IntervalFollowsTheVehicle) {
    key(KEY_UP, 10); // 100 km/h
    tick(144);       // 36 s: 1000 m, shown at the next 500 ms tick
    EXPECT_STREQ(dev.screens.trip.interval_shown, "  0.99");
    tick();
    EXPECT_STREQ(dev.screens.trip.interval_shown, "  1.00");
}

TEST_F(TripScreenTest, ShortClickOpensTheMenuAtTheRelease) {
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(dev.kernel.current_screen, &MainTripScreen);
    post(key_release(BTN_TOP_LEFT));
    EXPECT_EQ(dev.kernel.current_screen, &MainMenuScreen);
}

TEST_F(TripScreenTest, HoldingTheMenuKeyTogglesTheBacklightInstead) {
    hold(BTN_TOP_LEFT);
    EXPECT_EQ(dev.kernel.current_screen, &MainTripScreen);
    EXPECT_EQ(get_backlight(dev), 40);
    hold(BTN_TOP_LEFT);
    EXPECT_EQ(get_backlight(dev), 255);
    set_backlight(dev, 0);
    hold(BTN_TOP_LEFT);
    EXPECT_EQ(get_backlight(dev), 40);
    EXPECT_EQ(dev.kernel.current_screen, &MainTripScreen);
}

// The menu opens at the release of MENU and acts on presses; the release of each of its keys
// stays with it, and the release of its back key finds the trip screen idle.
TEST_F(TripScreenTest, MenuClicksReachNoTripPageAction) {
    set_telemetry_mask(dev, page_bit(PAGE_STOPWATCH));
    dev.screens.trip.trip_page = PAGE_STOPWATCH;
    press(BTN_TOP_LEFT);
    ASSERT_EQ(dev.kernel.current_screen, &MainMenuScreen);
    const std::uint8_t selection = dev.screens.main_menu.main_menu_selection;
    press(BTN_BOTTOM_RIGHT);
    EXPECT_EQ(dev.kernel.current_screen, &MainMenuScreen);
    EXPECT_NE(dev.screens.main_menu.main_menu_selection, selection) << "the press stepped";
    post(key_press(BTN_TOP_LEFT));
    EXPECT_EQ(dev.kernel.current_screen, &MainTripScreen);
    post(key_release(BTN_TOP_LEFT));
    EXPECT_EQ(dev.kernel.current_screen, &MainTripScreen) << "the release did not reopen the menu";
    EXPECT_FALSE(stopwatch_running(dev)) << "no release started the stopwatch";
    EXPECT_EQ(dev.screens.trip.trip_page, PAGE_STOPWATCH);
}

class TripPageTest : public TripScreenTest {
  protected:
    // Steps through the pages (at least one step, so the page is drawn afresh) to `page`.
    void show(TripPage page) {
        set_telemetry_mask(dev, 0x3F);
        do {
            press(BTN_BOTTOM_LEFT);
        } while (dev.screens.trip.trip_page != page);
    }
};

TEST_F(TripPageTest, CurrentSpeedWholeUnitsWithAPlusSign) {
    show(PAGE_CURRENT_SPEED);
    EXPECT_STREQ(dev.screens.trip.current_speed_shown, "  +0");
    EXPECT_EQ(region(11, 33, 84, 14), small_digits_picture(55, "  +0"));
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("kph"));
    key(KEY_UP, 10);
    tick();
    EXPECT_STREQ(dev.screens.trip.current_speed_shown, "+100");
    EXPECT_EQ(region(11, 33, 84, 14), small_digits_picture(55, "+100"));
    set_distance_unit(dev, DistanceUnit::Miles);
    show(PAGE_CURRENT_SPEED);
    EXPECT_STREQ(dev.screens.trip.current_speed_shown, " +62");
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("mph"));
}

TEST_F(TripPageTest, MaximumSpeedResetByHoldingBottomRight) {
    key(KEY_UP, 3);
    key(KEY_DOWN, 3);
    show(PAGE_MAXIMUM_SPEED);
    EXPECT_STREQ(dev.screens.trip.maximum_speed_shown, " +30");
    set_stored_max_speed(dev, 300);
    hold(BTN_BOTTOM_RIGHT);
    EXPECT_EQ(get_speed(dev, SpeedSource::Maximum), 0);
    EXPECT_EQ(get_stored_max_speed(dev), 0);
    EXPECT_STREQ(dev.screens.trip.maximum_speed_shown, "  +0");
}

TEST_F(TripPageTest, AverageSpeedReadsZero) {
    show(PAGE_AVERAGE_SPEED);
    EXPECT_STREQ(dev.screens.trip.average_speed_shown, "  +0.0");
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("kph med."));
    hold(BTN_BOTTOM_RIGHT);
    EXPECT_STREQ(dev.screens.trip.average_speed_shown, "  +0.0");
}

TEST_F(TripPageTest, FuelInLitresAndGallons) {
    FuelTable table{};
    table.count = 1;
    table.volumes[0] = 12345;
    table.readings[0] = 255;
    load_sender_table(dev, table);
    key(KEY_RIGHT, 255);
    show(PAGE_FUEL);
    tick();
    EXPECT_EQ(std::string(dev.screens.trip.fuel_shown, 3), "123");
    EXPECT_EQ(region(11, 33, 84, 14), small_digits_picture(65, "123"));
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("litri"));
    set_fuel_unit(dev, FuelUnit::Gallons);
    show(PAGE_FUEL);
    EXPECT_STREQ(std::string(dev.screens.trip.fuel_shown, 4).c_str(), "32.6");
    EXPECT_EQ(region(11, 33, 84, 14), small_digits_picture(61, "32.6"));
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("galloni"));
}

TEST_F(TripPageTest, ClockWithLeadingZeros) {
    set_clock(dev, Clock{0, 9, 3, 7});
    show(PAGE_CLOCK);
    EXPECT_STREQ(dev.screens.trip.clock_shown, "07:03:09");
    EXPECT_EQ(region(11, 33, 84, 14), small_digits_picture(27, "07:03:09"));
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("ora"));
    tick(4);
    EXPECT_STREQ(dev.screens.trip.clock_shown, "07:03:10");
    post(key_press(BTN_BOTTOM_RIGHT));
    EXPECT_EQ(dev.kernel.current_screen, &ClockAdjustScreen);
}

TEST_F(TripPageTest, StopwatchMinutesThenHours) {
    show(PAGE_STOPWATCH);
    EXPECT_STREQ(dev.screens.trip.stopwatch_shown, "00:00.00");
    set_language(dev, LANG_ENGLISH);
    show(PAGE_STOPWATCH);
    press(BTN_BOTTOM_RIGHT); // starts at the release
    tick(4 * 125 + 2);
    EXPECT_STREQ(dev.screens.trip.stopwatch_shown, "02:05.50");
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("mins"));
    tick(4 * 3600 - 2);
    EXPECT_STREQ(dev.screens.trip.stopwatch_shown, "01:02:05");
    EXPECT_EQ(region(11, 49, 82, 12), label_picture("hours"));
}

TEST_F(TripPageTest, StopwatchStartsAtReleaseStopsAtPressResetsOnHold) {
    show(PAGE_STOPWATCH);
    post(key_press(BTN_BOTTOM_RIGHT));
    EXPECT_FALSE(stopwatch_running(dev)) << "a stopped stopwatch waits for the release";
    post(key_release(BTN_BOTTOM_RIGHT));
    EXPECT_NE(stopwatch_running(dev), 0);
    EXPECT_EQ(region(117, 33, 11, 30),
              legend_picture(119, 36, legend_word(Legend::Stop, LANG_ITALIAN)));
    tick(8);
    post(key_press(BTN_BOTTOM_RIGHT));
    EXPECT_FALSE(stopwatch_running(dev)) << "a running stopwatch stops at the press";
    EXPECT_STREQ(dev.screens.trip.stopwatch_shown, "00:02.00");
    post(key_release(BTN_BOTTOM_RIGHT));
    EXPECT_FALSE(stopwatch_running(dev)) << "and the release does not start it again";
    EXPECT_EQ(region(117, 33, 11, 30),
              legend_picture(119, 36, legend_word(Legend::Start, LANG_ITALIAN)));
    press(BTN_BOTTOM_RIGHT);
    tick(4);
    hold(BTN_BOTTOM_RIGHT);
    EXPECT_EQ(stopwatch_running(dev), 0);
    tick();
    EXPECT_STREQ(dev.screens.trip.stopwatch_shown, "00:00.00");
}

TEST_F(TripPageTest, TotalDistanceHeldAtZeroUntilRelease) {
    key(KEY_UP, 10);
    tick(144);
    show(PAGE_TOTAL_DISTANCE);
    EXPECT_STREQ(dev.screens.trip.total_shown, "  1.00");
    post(key_press(BTN_BOTTOM_RIGHT));
    post(key_hold(BTN_BOTTOM_RIGHT));
    EXPECT_STREQ(dev.screens.trip.total_shown, "  0.00");
    tick(40);
    EXPECT_STREQ(dev.screens.trip.total_shown, "  0.00") << "no refresh while held";
    post(key_release(BTN_BOTTOM_RIGHT));
    std::int32_t total = -1;
    get_distance_counter(dev, COUNTER_TOTAL, total);
    EXPECT_EQ(total, 0);
    tick(3); // 20.8 m, refreshed at the second 500 ms tick
    EXPECT_STREQ(dev.screens.trip.total_shown, "  0.02");
}

TEST_F(TripPageTest, LabelsInEveryLanguage) {
    set_language_mask(dev, 0x1F);
    const struct {
        std::uint8_t language;
        const char* max_kph;
        const char* total_miles;
    } cases[] = {{LANG_ENGLISH, "max. kph", "mile"},
                 {LANG_FRENCH, "max km/h", "mile"},
                 {LANG_ITALIAN, "kph max.", "miglia"},
                 {LANG_SPANISH, "m\xE1x. k/h", "milla"},
                 {LANG_GERMAN, "km/h max", "meilen"}};
    for (const auto& c : cases) {
        set_language(dev, c.language);
        set_distance_unit(dev, DistanceUnit::Kilometres);
        show(PAGE_MAXIMUM_SPEED);
        EXPECT_EQ(region(11, 49, 82, 12), label_picture(c.max_kph)) << c.max_kph;
        set_distance_unit(dev, DistanceUnit::Miles);
        show(PAGE_TOTAL_DISTANCE);
        EXPECT_EQ(region(11, 49, 82, 12), label_picture(c.total_miles)) << c.total_miles;
    }
}

} // namespace
} // namespace ql
