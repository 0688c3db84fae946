#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/keys.hpp"
#include "device/hardware/vehicle.hpp"
#include "sim/host/settings_file.hpp"
#include "sim/host/shell.hpp"
#include "sim/script/drive_file.hpp"
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace ql {
namespace {

std::vector<DriveRow> rows_of(const std::string& text) {
    std::vector<DriveRow> rows;
    std::string error;
    EXPECT_TRUE(parse_drive("d.csv", text, rows, error)) << error;
    return rows;
}

std::int32_t interval_m(Shell& shell) {
    std::int32_t metres = 0;
    get_distance_counter(shell.dev, COUNTER_INTERVAL, metres);
    return metres;
}

TEST(DriveFile, ReadsRowsWithAndWithoutColumnNames) {
    const std::vector<DriveRow> rows =
        rows_of("\xEF\xBB\xBFtime_s, speed_kmh ,fuel_reading\r\n0,0,200\r\n\r\n1.25,50.5\n"
                "2.001,300,0\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].ms, 0u);
    EXPECT_EQ(rows[0].fuel_reading, 200);
    EXPECT_EQ(rows[1].ms, 1250u);
    EXPECT_EQ(rows[1].speed_tenths, 505);
    EXPECT_FALSE(rows[1].fuel_reading) << "a row without the reading leaves it as it is";
    EXPECT_EQ(rows[2].ms, 2001u);
    EXPECT_EQ(rows[2].speed_tenths, 3000);
    EXPECT_EQ(rows_of("5,20\n").at(0).ms, 5000u);
}

TEST(DriveFile, EveryBadRowIsNamedByItsLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"time_s,speed_kmh\n0,10\nabc,20\n",
         "d.csv:3: time_s \"abc\" is not a time in seconds (at most three decimals, e.g. 12 or "
         "12.25)"},
        {"0,10\n1.0005,20\n",
         "d.csv:2: time_s \"1.0005\" is not a time in seconds (at most three decimals, e.g. 12 "
         "or 12.25)"},
        {"time_s,speed_kmh\n-1,10\n",
         "d.csv:2: time_s \"-1\" is not a time in seconds (at most three decimals, e.g. 12 or "
         "12.25)"},
        {"0,50.55\n",
         "d.csv:1: speed_kmh \"50.55\" is not a speed in km/h (at most one decimal, e.g. 50 or "
         "50.5)"},
        {"0,1e2\n", "d.csv:1: speed_kmh \"1e2\" is not a speed in km/h (at most one decimal, "
                    "e.g. 50 or 50.5)"},
        {"0,10\n1,300.1\n", "d.csv:2: speed_kmh 300.1 is out of range (0 to 300)"},
        {"0,10,256\n", "d.csv:1: fuel_reading 256 is out of range (0 to 255)"},
        {"0,10,1.5\n", "d.csv:1: fuel_reading \"1.5\" is not a whole number"},
        {"time_s,speed_kmh,fuel_reading\n0,10\n5,20\n5,30\n",
         "d.csv:4: time_s 5 does not come after the row before (5)"},
        {"0,10\n2.5,20\n2.25,30\n",
         "d.csv:3: time_s 2.25 does not come after the row before (2.5)"},
        {"0,10\n1\n", "d.csv:2: 1 value; a row is time_s,speed_kmh[,fuel_reading]"},
        {"0,10,1,2\n", "d.csv:1: 4 values; a row is time_s,speed_kmh[,fuel_reading]"},
        {"0,10,\n", "d.csv:1: fuel_reading \"\" is not a whole number"},
        {"time_s,speed_kmh\n0,10,5\n",
         "d.csv:2: 3 values; a row is time_s,speed_kmh, as the first line names"},
        {"time_s,speed\n0,10\n",
         "d.csv:1: the column names must be time_s,speed_kmh or time_s,speed_kmh,fuel_reading"},
        {"", "d.csv: the drive has no rows of time_s,speed_kmh[,fuel_reading]"},
        {"time_s,speed_kmh\n\n", "d.csv: the drive has no rows of time_s,speed_kmh[,fuel_reading]"},
    };
    for (const auto& c : cases) {
        std::vector<DriveRow> rows{DriveRow{}};
        std::string error;
        EXPECT_FALSE(parse_drive("d.csv", c.text, rows, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_TRUE(rows.empty()) << c.text;
    }
}

TEST(DriveFile, MissingFileIsSaidInOneLine) {
    std::vector<DriveRow> rows;
    std::string error;
    EXPECT_FALSE(load_drive_file("no/such.csv", rows, error));
    EXPECT_EQ(error, "cannot read the drive no/such.csv: No such file or directory");
}

// A powered device with a drive.
class DrivePlaying : public ::testing::Test {
  protected:
    void SetUp() override { shell_paint(shell); }
    Shell shell;
};

TEST_F(DrivePlaying, DistanceIsTheIntegralOfTheRecordedSpeed) {
    // 36 s at 100 km/h is 1000 m; then 72 s at 50.5 km/h is 1010 m more.
    shell_start_drive(shell, rows_of("0,100\n36,50.5\n108,0\n"));
    shell_advance_to(shell, 36'000);
    EXPECT_EQ(interval_m(shell), 1000);
    EXPECT_EQ(get_speed(shell.dev, SpeedSource::Current), 505) << "the row at 36 s is applied";
    shell_advance_to(shell, 200'000);
    EXPECT_EQ(interval_m(shell), 2010);
    EXPECT_EQ(get_speed(shell.dev, SpeedSource::Current), 0);
    EXPECT_EQ(get_speed(shell.dev, SpeedSource::Maximum), 1000);
    EXPECT_EQ(shell.speed_text, "Speed : 0 kph");
}

TEST_F(DrivePlaying, RowsCountFromTheStartOfTheDriveAndTheKeysOverrideUntilTheNextRow) {
    shell_advance_to(shell, 10'000);
    shell_start_drive(shell, rows_of("0,0,10\n2.5,0,250\n4,30\n"));
    EXPECT_EQ(get_sender_reading(shell.dev), 10) << "a row at 0 is applied at once";
    shell_advance_to(shell, 12'499);
    EXPECT_EQ(get_sender_reading(shell.dev), 10);
    shell_advance_to(shell, 12'500);
    EXPECT_EQ(get_sender_reading(shell.dev), 250);
    EXPECT_EQ(shell.fuel_text, "Fuel : 250");
    shell_key_down(shell, KEY_UP);
    shell_key_down(shell, KEY_UP);
    EXPECT_EQ(get_speed(shell.dev, SpeedSource::Current), 200);
    shell_advance_to(shell, 13'999);
    EXPECT_EQ(get_speed(shell.dev, SpeedSource::Current), 200);
    shell_advance_to(shell, 14'000);
    EXPECT_EQ(get_speed(shell.dev, SpeedSource::Current), 300) << "the next row wins";
    EXPECT_EQ(get_sender_reading(shell.dev), 250) << "a row without the reading keeps it";
    // 1.5 s at 20 km/h from the keys: the tick at 14 s still counts the quarter before it.
    EXPECT_EQ(interval_m(shell), 8);
}

TEST_F(DrivePlaying, TheExampleDriveCountsItsIntegralWithinAPulse) {
    std::vector<DriveRow> rows;
    std::string error;
    const auto csv =
        std::filesystem::path(__FILE__).parent_path() / "../../../examples/town_and_country.csv";
    ASSERT_TRUE(load_drive_file(csv, rows, error)) << error;
    double metres = 0;
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        metres +=
            rows[i].speed_tenths / 36.0 * static_cast<double>(rows[i + 1].ms - rows[i].ms) / 1000.0;
    EXPECT_EQ(rows.back().ms, 1'200'000u) << "a 20-minute drive";
    EXPECT_GT(metres, 10'000.0);
    shell_start_drive(shell, rows);
    shell_advance_to(shell, rows.back().ms);
    std::uint32_t pulses = 0;
    get_pulse_count(shell.dev, pulses);
    EXPECT_LE(std::fabs(pulses - metres), 1.0) << metres;
}

TEST(SettingsAtExit, TheStoreIsWrittenWhenTheShellCloses) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ql730_exit_" + std::to_string(::getpid()));
    {
        Shell shell;
        shell.settings_file = file.string();
        shell_paint(shell);
        ASSERT_TRUE(std::filesystem::exists(file)) << "written at power-on";
        std::filesystem::remove(file);
        shell.dev.settings.contrast = 40;
    }
    Settings settings{};
    bool present = false;
    std::string error;
    ASSERT_TRUE(load_settings_file(file.string(), settings, present, error)) << error;
    EXPECT_TRUE(present);
    EXPECT_EQ(settings.contrast, 40);
    std::filesystem::remove(file);
}

} // namespace
} // namespace ql
