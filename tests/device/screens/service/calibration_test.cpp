#include "device/device.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/host.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "device/settings/units.hpp"
#include "device/wiring.hpp"
#include "support/driving.hpp"
#include "support/screen_driver.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

// Drives the device as the simulator does, starting on the calibration menu.
class CalibrationScreens : public test::ScreenDriver {
  protected:
    void SetUp() override {
        ScreenDriver::SetUp();
        open(CalibrationMenuScreen);
    }
    // 100 km/h covers 1000 m in 144 ticks.
    void drive_metres(int metres) {
        test::drive_at(dev, 100);
        tick(metres * 144 / 1000);
        test::drive_at(dev, 0);
    }
    std::uint16_t per_km() { return get_calibration(dev, DistanceUnit::Kilometres); }
    std::uint16_t per_mile() { return get_calibration(dev, DistanceUnit::Miles); }

    // From the menu: OK at the start, `metres` driven, OK at the end.
    void measure(int metres) {
        press(BTN_BOTTOM_LEFT);
        press(BTN_BOTTOM_LEFT);
        drive_metres(metres);
        press(BTN_BOTTOM_LEFT);
    }
    // On the distance or value editor: step to the last digit and accept.
    void accept_entry(int digits) { press(BTN_BOTTOM_LEFT, digits); }
};

// ---- Distance wizard -------------------------------------------------------------------------

TEST_F(CalibrationScreens, OneKilometreOfThousandPulsesCalibratesAndTheVehicleCountsWithIt) {
    set_pulses_per_km(dev, 1000);
    measure(1000);
    ASSERT_EQ(screen(), "DistCalEntryScreen");
    EXPECT_EQ(dev.screens.calibration.cal_end_count - dev.screens.calibration.cal_start_count,
              1000u);
    set_pulses_per_km(dev, 2000); // what the stored rate replaces
    accept_entry(5);
    EXPECT_EQ(screen(), "DistCalDoneScreen");
    EXPECT_EQ(per_km(), 1000);
    EXPECT_EQ(per_mile(), 1609);
    EXPECT_EQ(dev.vehicle.pulses_per_km, 1000) << "the vehicle counts with the new rate";
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "CalibrationMenuScreen");
}

TEST_F(CalibrationScreens, HalfAKilometreOfFifteenHundredPulsesGivesThreeThousand) {
    set_pulses_per_km(dev, 3000);
    measure(500);
    type("01.000", "00.500");
    EXPECT_EQ(screen(), "DistCalDoneScreen");
    EXPECT_EQ(per_km(), 3000);
}

TEST_F(CalibrationScreens, RatesAtTheLimitsAreStoredAndBeyondThemRefused) {
    struct Case {
        std::uint16_t pulses;
        const char* screen;
        std::uint16_t stored;
    };
    for (const Case c :
         {Case{30000, "DistCalDoneScreen", 30000}, Case{30001, "DistCalHighScreen", 1000},
          Case{100, "DistCalDoneScreen", 100}, Case{99, "DistCalLowScreen", 1000}}) {
        vehicle_reset(dev); // each stretch starts at distance 0
        set_calibration(dev, DistanceUnit::Kilometres, 1000);
        change_screen(dev, CalibrationMenuScreen);
        run_pending_events(dev);
        set_pulses_per_km(dev, c.pulses);
        measure(1000);
        accept_entry(5);
        EXPECT_EQ(screen(), c.screen) << c.pulses;
        EXPECT_EQ(per_km(), c.stored) << c.pulses;
        press(BTN_TOP_LEFT);
        EXPECT_EQ(screen(), "CalibrationMenuScreen");
    }
}

TEST_F(CalibrationScreens, NoPulsesThenDrivingOnSucceedsFromTheSameStart) {
    set_pulses_per_km(dev, 1000);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    drive_metres(300);
    press(BTN_TOP_LEFT); // back to the start: the stretch starts again when confirmed
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "DistCalNoPulsesScreen");
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "DistCalDriveScreen");
    drive_metres(1000);
    press(BTN_BOTTOM_LEFT);
    accept_entry(5);
    EXPECT_EQ(screen(), "DistCalDoneScreen");
    EXPECT_EQ(per_km(), 1000);
}

TEST_F(CalibrationScreens, ZeroDistanceIsRefusedAndTheEditorStartsAgainAtOne) {
    set_calibration(dev, DistanceUnit::Kilometres, 1234);
    set_pulses_per_km(dev, 1000);
    measure(2000);
    type("01.000", "00.000");
    EXPECT_EQ(screen(), "DistCalZeroScreen");
    EXPECT_EQ(per_km(), 1234);
    press(BTN_TOP_LEFT);
    ASSERT_EQ(screen(), "DistCalEntryScreen");
    EXPECT_STREQ(dev.ui.entry_text.data(), "01.000");
    // Back from the first digit returns to the drive screen, which reads the end again.
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "DistCalDriveScreen");
    press(BTN_BOTTOM_LEFT);
    type("01.000", "02.000");
    EXPECT_EQ(screen(), "DistCalDoneScreen");
    EXPECT_EQ(per_km(), 1000);
}

TEST_F(CalibrationScreens, InMilesTheTypedLengthIsConvertedToMetresFirst) {
    set_distance_unit(dev, DistanceUnit::Miles);
    set_pulses_per_km(dev, 2000);
    measure(1000); // 2000 pulses over one typed mile, taken as 1609 m
    accept_entry(5);
    EXPECT_EQ(screen(), "DistCalDoneScreen");
    EXPECT_EQ(per_km(), 1243);
    EXPECT_EQ(per_mile(), 2000);
}

// The rate is pulses x 1000 / metres; the product is kept whole, so a stretch of more than
// 4294967 pulses (here 150 km at 30000 per km, typed as 93.300 miles) gives its true rate
// instead of 1365, what the product taken modulo 2^32 would give.
TEST_F(CalibrationScreens, ALongStretchGivesItsTrueRate) {
    set_distance_unit(dev, DistanceUnit::Miles);
    set_pulses_per_km(dev, 30000);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    test::drive_at(dev, 300);
    tick(7200); // 150 km at 20.83 m a tick
    test::drive_at(dev, 0);
    press(BTN_BOTTOM_LEFT);
    const std::uint32_t pulses =
        dev.screens.calibration.cal_end_count - dev.screens.calibration.cal_start_count;
    ASSERT_GT(pulses, 4294968u);
    type("01.000", "93.300");
    std::int32_t metres = 93300;
    miles_to_km(metres);
    EXPECT_EQ(screen(), "DistCalDoneScreen");
    EXPECT_EQ(per_km(),
              static_cast<std::uint64_t>(pulses) * 1000 / static_cast<std::uint32_t>(metres));
    EXPECT_NEAR(per_km(), 29970, 30);
}

TEST_F(CalibrationScreens, TheMenuKeepsItsSelectionAndOpensEachItem) {
    press(BTN_BOTTOM_RIGHT, 2);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "CalValueScreen");
    press(BTN_TOP_LEFT);
    EXPECT_EQ(list_slot<ListSlot::CalibrationMenuScreenSlot>(dev).menu.selected, 2);
    press(BTN_TOP_RIGHT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "FuelCalEmptyScreen");
    press(BTN_TOP_LEFT);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "MainMenuScreen");
}

TEST_F(CalibrationScreens, TheDriveScreenRunsItsSolidDotEveryHalfSecond) {
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    const auto dot = [&](int i) { return frame_picture(dev.lcd, 43 + 17 * i, 12, 7, 7); };
    const std::string solid = dot(0);
    const std::string ring = dot(1);
    EXPECT_NE(solid, ring);
    EXPECT_EQ(dot(2), ring);
    for (int step = 1; step <= 4; ++step) {
        tick(2);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(dot(i), i == step % 3 ? solid : ring) << "step " << step << " dot " << i;
    }
}

// ---- Calibration value -------------------------------------------------------------------------

TEST_F(CalibrationScreens, TheValueIsTypedInTheUsersUnitAndLimited) {
    press(BTN_BOTTOM_RIGHT, 2);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "CalValueEditScreen");
    EXPECT_STREQ(dev.ui.entry_text.data(), "01000");
    type("01000", "40000");
    EXPECT_EQ(screen(), "CalValueRangeScreen");
    EXPECT_EQ(per_km(), 30000);
    EXPECT_EQ(dev.vehicle.pulses_per_km, 30000);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "CalValueScreen");

    press(BTN_BOTTOM_LEFT);
    type("30000", "00050");
    EXPECT_EQ(screen(), "CalValueRangeScreen");
    EXPECT_EQ(per_km(), 100);

    set_distance_unit(dev, DistanceUnit::Miles);
    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_STREQ(dev.ui.entry_text.data(), "00200");
    type("00200", "00250");
    EXPECT_EQ(screen(), "CalValueScreen") << "within range: no message";
    EXPECT_EQ(per_mile(), 250);
    EXPECT_EQ(per_km(), 155);
    EXPECT_EQ(dev.vehicle.pulses_per_km, 155);

    // 70000 is limited to 65535 before it is stored, so it does not wrap to 4464.
    press(BTN_BOTTOM_LEFT);
    type("00250", "70000");
    EXPECT_EQ(screen(), "CalValueRangeScreen");
    EXPECT_EQ(per_mile(), 45000);
    EXPECT_EQ(per_km(), 27962);
    EXPECT_EQ(dev.vehicle.pulses_per_km, 27962);
}

TEST_F(CalibrationScreens, LeavingTheValueEditorStoresNothing) {
    press(BTN_BOTTOM_RIGHT, 2);
    press(BTN_BOTTOM_LEFT);
    const std::string shown = frame_picture(dev.lcd);
    press(BTN_BOTTOM_LEFT);
    press(BTN_TOP_RIGHT, 3);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "CalValueScreen");
    EXPECT_EQ(per_km(), 1000);
    EXPECT_EQ(frame_picture(dev.lcd), shown);
}

// ---- Fuel wizard -------------------------------------------------------------------------------

class FuelCalibration : public CalibrationScreens {
  protected:
    void SetUp() override {
        CalibrationScreens::SetUp();
        press(BTN_BOTTOM_RIGHT);
        press(BTN_BOTTOM_LEFT);
    }
    void reading(int value) {
        while (get_sender_reading(dev) < value)
            key(KEY_RIGHT);
        while (get_sender_reading(dev) > value)
            key(KEY_LEFT);
    }
    // On the amount editor (litres, 000.0 offered or the previous amount): type and accept.
    void amount(const char* offered, const char* wanted) { type(offered, wanted); }
    FuelTable stored() {
        FuelTable t;
        read_fuel_table(dev, t);
        return t;
    }
    const FuelTable& working() const { return dev.screens.calibration.fuel_cal_table; }
};

TEST_F(FuelCalibration, ARisingSenderGivesAnAscendingTableAndTheFuelPage) {
    reading(20);
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "FuelCalAmountScreen");
    amount("000.0", "000.0");
    ASSERT_EQ(screen(), "FuelCalAddScreen");
    reading(60);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "020.0");
    ASSERT_EQ(screen(), "FuelCalFullScreen");
    EXPECT_EQ(stored().count, 0) << "nothing is stored before the tank is full";
    press(BTN_TOP_RIGHT);
    EXPECT_EQ(screen(), "FuelCalDoneScreen");
    const FuelTable t = stored();
    EXPECT_EQ(t.count, 2);
    EXPECT_EQ(t.volumes[0], 0);
    EXPECT_EQ(t.volumes[1], 2000);
    EXPECT_EQ(t.readings[0], 20);
    EXPECT_EQ(t.readings[1], 60);
    EXPECT_EQ(get_telemetry_mask(dev) & 0x08, 0x08);
    reading(40);
    EXPECT_EQ(get_fuel_volume(dev), 1000) << "the sender uses the new table at once";
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "CalibrationMenuScreen");
}

TEST_F(FuelCalibration, AFallingSenderIsStoredInvertedWithANegativeCount) {
    reading(200);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "000.0");
    reading(150);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "030.0");
    reading(100);
    press(BTN_BOTTOM_RIGHT); // not full
    ASSERT_EQ(screen(), "FuelCalAddScreen");
    press(BTN_BOTTOM_LEFT);
    amount("030.0", "050.0");
    press(BTN_TOP_RIGHT);
    const FuelTable t = stored();
    EXPECT_EQ(t.count, -3);
    EXPECT_EQ(t.readings[0], 55);
    EXPECT_EQ(t.readings[1], 105);
    EXPECT_EQ(t.readings[2], 155);
    EXPECT_EQ(t.volumes[2], 5000);
    reading(125); // halfway between the second and third points
    EXPECT_EQ(get_fuel_volume(dev), 4000);
}

// Going back to the first addition after it marked the table inverted, and taking it again:
// the empty-tank reading is turned back first, so the direction is decided afresh from the raw
// readings and reading 0 stays the empty tank's in the table's direction.
TEST_F(FuelCalibration, TheFirstAdditionTakenAgainDecidesTheDirectionAfresh) {
    reading(200);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "000.0");
    reading(150);
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "FuelCalAmountScreen");
    press(BTN_TOP_LEFT); // back: the reading of point 1 is taken again
    ASSERT_EQ(screen(), "FuelCalAddScreen");
    reading(40); // still falling, further than before
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "FuelCalAmountScreen");
    EXPECT_EQ(working().readings[0], 55);
    EXPECT_EQ(working().readings[1], 215);

    press(BTN_TOP_LEFT);
    reading(230); // the sender rises after all
    press(BTN_BOTTOM_LEFT);
    ASSERT_EQ(screen(), "FuelCalAmountScreen");
    EXPECT_EQ(working().readings[0], 200);
    EXPECT_EQ(working().readings[1], 230);
    amount("000.0", "010.0");
    press(BTN_TOP_RIGHT);
    EXPECT_EQ(stored().count, 2);

    // The same reading as the empty tank is no signal.
    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT);
    reading(20);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "000.0");
    press(BTN_BOTTOM_LEFT);
    EXPECT_EQ(screen(), "FuelCalSignalScreen");
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "FuelCalAddScreen");
}

TEST_F(FuelCalibration, AnAmountBelowThePreviousIsTypedAgain) {
    reading(20);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "020.0");
    reading(60);
    press(BTN_BOTTOM_LEFT);
    EXPECT_STREQ(dev.ui.entry_text.data(), "020.0") << "the previous amount is offered";
    amount("020.0", "015.0");
    EXPECT_EQ(screen(), "FuelCalDecreaseScreen");
    press(BTN_TOP_LEFT);
    ASSERT_EQ(screen(), "FuelCalAmountScreen");
    EXPECT_STREQ(dev.ui.entry_text.data(), "015.0") << "the rejected amount is offered again";
    amount("015.0", "020.0");
    EXPECT_EQ(screen(), "FuelCalFullScreen") << "an equal amount is accepted";
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "FuelCalAmountScreen");
    EXPECT_STREQ(dev.ui.entry_text.data(), "020.0");
}

TEST_F(FuelCalibration, TenPointsAreTheMost) {
    reading(10);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "000.0");
    for (int n = 1; n <= 9; ++n) {
        ASSERT_EQ(screen(), "FuelCalAddScreen");
        reading(10 + 20 * n);
        press(BTN_BOTTOM_LEFT);
        press(BTN_BOTTOM_LEFT);
        press(BTN_TOP_RIGHT); // ten litres more than the point before
        press(BTN_BOTTOM_LEFT, 3);
        ASSERT_EQ(screen(), "FuelCalFullScreen");
        press(BTN_BOTTOM_RIGHT);
    }
    EXPECT_EQ(screen(), "FuelCalMaxScreen");
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "FuelCalFullScreen");
    press(BTN_TOP_RIGHT);
    const FuelTable t = stored();
    EXPECT_EQ(t.count, 10);
    EXPECT_EQ(t.readings[9], 190);
    EXPECT_EQ(t.volumes[9], 9000);
}

TEST_F(FuelCalibration, BackFromAPointShowsThePreviousOneAndFromTheFirstStartsAgain) {
    reading(10);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "000.0");
    reading(50);
    press(BTN_BOTTOM_LEFT);
    amount("000.0", "010.0");
    press(BTN_BOTTOM_RIGHT);
    ASSERT_EQ(dev.screens.calibration.fuel_cal_table.count, 2);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "FuelCalAddScreen");
    EXPECT_EQ(working().count, 1);
    press(BTN_TOP_LEFT);
    EXPECT_EQ(screen(), "FuelCalEmptyScreen");
    EXPECT_EQ(working().count, 0);
    EXPECT_EQ(working().volumes[1], 0);
}

TEST_F(FuelCalibration, TheHundredsOfLitresRunZeroToFour) {
    press(BTN_BOTTOM_LEFT);
    std::string up, down;
    for (int i = 0; i < 5; ++i) {
        press(BTN_TOP_RIGHT);
        up += dev.ui.entry_text[0];
    }
    for (int i = 0; i < 5; ++i) {
        press(BTN_BOTTOM_RIGHT);
        down += dev.ui.entry_text[0];
    }
    EXPECT_EQ(up, "12340");
    EXPECT_EQ(down, "43210");
    press(BTN_BOTTOM_LEFT);
    press(BTN_TOP_RIGHT, 5);
    EXPECT_EQ(dev.ui.entry_text[1], '5') << "only the hundreds are limited";
}

TEST_F(FuelCalibration, GallonsAreConvertedBothWays) {
    set_fuel_unit(dev, FuelUnit::Gallons);
    press(BTN_BOTTOM_LEFT);
    EXPECT_STREQ(dev.ui.entry_text.data(), "00.00");
    type("00.00", "05.00");
    EXPECT_EQ(working().volumes[0], 1893);
    press(BTN_TOP_LEFT); // back to the empty tank, to type the amount in litres
    set_fuel_unit(dev, FuelUnit::Litres);
    press(BTN_BOTTOM_LEFT);
    type("000.0", "020.0");
    set_fuel_unit(dev, FuelUnit::Gallons);
    key(KEY_RIGHT);
    press(BTN_BOTTOM_LEFT);
    EXPECT_STREQ(dev.ui.entry_text.data(), "05.28") << "2000 hundredths of a litre";
    type("05.28", "05.00");
    EXPECT_EQ(working().volumes[1], 1893);
    EXPECT_EQ(screen(), "FuelCalDecreaseScreen");
}

// ---- Golden frames, in Italian and in English --------------------------------------------------

class CalibrationFrames : public CalibrationScreens,
                          public ::testing::WithParamInterface<std::uint8_t> {
  protected:
    std::string lang;
    void SetUp() override {
        CalibrationScreens::SetUp();
        set_language(dev, GetParam());
        lang = GetParam() == LANG_ENGLISH ? "en" : "it";
        change_screen(dev, CalibrationMenuScreen);
        run_pending_events(dev);
    }
    void frame(const char* name) { EXPECT_FRAME(lang + "_" + name); }
};

TEST_P(CalibrationFrames, DistanceWizard) {
    frame("calibration_menu");
    set_pulses_per_km(dev, 1000);
    press(BTN_BOTTOM_LEFT);
    frame("dist_start");
    press(BTN_BOTTOM_LEFT);
    frame("dist_drive");
    tick(2);
    frame("dist_drive_step1");
    press(BTN_BOTTOM_LEFT);
    frame("dist_no_pulses");
    press(BTN_TOP_LEFT);
    drive_metres(500);
    press(BTN_BOTTOM_LEFT);
    frame("dist_entry");
    type("01.000", "00.000");
    frame("dist_zero");
    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT, 5); // 500 pulses over 1 km
    frame("dist_done");
    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT, 2);
    drive_metres(500);
    press(BTN_BOTTOM_LEFT);
    type("01.000", "00.001"); // 500 pulses over a metre
    frame("dist_high");
    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT, 2);
    drive_metres(500);
    press(BTN_BOTTOM_LEFT);
    type("01.000", "91.000"); // 5 pulses per km
    frame("dist_low");
}

TEST_P(CalibrationFrames, ValueEntry) {
    press(BTN_BOTTOM_RIGHT, 2);
    press(BTN_BOTTOM_LEFT);
    frame("cal_value");
    press(BTN_BOTTOM_LEFT);
    frame("cal_value_edit");
    press(BTN_TOP_RIGHT, 4); // 41000
    press(BTN_BOTTOM_LEFT, 5);
    frame("cal_value_range");
    press(BTN_TOP_LEFT);
    frame("cal_value_limited");
}

TEST_P(CalibrationFrames, FuelWizard) {
    press(BTN_BOTTOM_RIGHT);
    press(BTN_BOTTOM_LEFT);
    frame("fuel_empty");
    press(BTN_BOTTOM_LEFT);
    frame("fuel_amount");
    type("000.0", "020.0");
    frame("fuel_add");
    press(BTN_BOTTOM_LEFT); // the reading did not move
    frame("fuel_signal");
    press(BTN_TOP_LEFT);
    key(KEY_RIGHT, 30);
    press(BTN_BOTTOM_LEFT);
    type("020.0", "010.0");
    frame("fuel_decrease");
    press(BTN_TOP_LEFT);
    type("010.0", "030.0");
    frame("fuel_full");
    press(BTN_TOP_RIGHT);
    frame("fuel_done");
    // Ten points for the maximum message.
    press(BTN_TOP_LEFT);
    press(BTN_BOTTOM_LEFT);
    key(KEY_LEFT, 30);
    press(BTN_BOTTOM_LEFT);
    press(BTN_BOTTOM_LEFT, 4);
    for (int n = 1; n <= 9; ++n) {
        key(KEY_RIGHT, 5);
        press(BTN_BOTTOM_LEFT);
        press(BTN_BOTTOM_LEFT, 4);
        press(BTN_BOTTOM_RIGHT);
    }
    frame("fuel_max");
}

INSTANTIATE_TEST_SUITE_P(Languages, CalibrationFrames,
                         ::testing::Values(LANG_ITALIAN, LANG_ENGLISH),
                         [](const ::testing::TestParamInfo<std::uint8_t>& param) {
                             return std::string(param.param == LANG_ENGLISH ? "English"
                                                                            : "Italian");
                         });

} // namespace
} // namespace ql
