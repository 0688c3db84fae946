#include "device/hardware/vehicle.hpp"
#include "sim/host/shell.hpp"
#include "sim/script/drive_file.hpp"
#include "sim/tracks/track.hpp"
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace ql {
namespace {

// A fix of a made-up track: seconds from the start and the position in degrees.
struct Fix {
    double s;
    double lat;
    double lon;
};

std::string gpx_of(const std::vector<Fix>& fixes) {
    std::string text = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" "
                       "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><trkseg>\n";
    char line[200];
    for (const Fix& f : fixes) {
        const auto ms = static_cast<long>(std::lround(f.s * 1000));
        std::snprintf(line, sizeof line,
                      "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>12</ele><time>2024-05-01T%02ld:%02ld:"
                      "%02ld.%03ldZ</time></trkpt>\n",
                      f.lat, f.lon, 8 + ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60,
                      ms % 1000);
        text += line;
    }
    return text + "</trkseg></trk>\n</gpx>\n";
}

std::string nmea_of(const std::vector<Fix>& fixes) {
    std::string text = "# a made-up log\n";
    char body[160];
    char sentence[200];
    for (const Fix& f : fixes) {
        const auto ms = static_cast<long>(std::lround(f.s * 1000));
        const double lat = std::fabs(f.lat);
        const double lon = std::fabs(f.lon);
        std::snprintf(body, sizeof body,
                      "GPRMC,%02ld%02ld%02ld.%02ld,A,%02d%07.4f,%c,%03d%07.4f,%c,0.0,0.0,010524,,",
                      8 + ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000 / 10,
                      static_cast<int>(lat), (lat - std::floor(lat)) * 60, f.lat < 0 ? 'S' : 'N',
                      static_cast<int>(lon), (lon - std::floor(lon)) * 60, f.lon < 0 ? 'W' : 'E');
        unsigned sum = 0;
        for (const char* c = body; *c != '\0'; ++c)
            sum ^= static_cast<unsigned char>(*c);
        std::snprintf(sentence, sizeof sentence, "$%s*%02X\r\n$GPGSA,A,3,,,,*30\r\n", body, sum);
        text += sentence;
    }
    return text;
}

// `count` fixes `step_s` apart, each `dlat`, `dlon` from the one before.
void add_leg(std::vector<Fix>& fixes, int count, double step_s, double dlat, double dlon) {
    for (int i = 0; i < count; ++i) {
        const Fix& last = fixes.back();
        fixes.push_back({last.s + step_s, last.lat + dlat, last.lon + dlon});
    }
}

// Along the equator or a meridian, one degree in 2000 steps: at 100 km/h, 133 km/h with
// fixes between the ticks, a minute's stop with one fix a second, 200 km/h, then 54 km/h.
std::vector<Fix> one_degree(bool meridian) {
    const double d = 1.0 / 2000;
    std::vector<Fix> fixes{{0, 0, 0}};
    const double dlat = meridian ? d : 0;
    const double dlon = meridian ? 0 : d;
    add_leg(fixes, 500, 2.0, dlat, dlon);
    add_leg(fixes, 500, 1.5, dlat, dlon);
    add_leg(fixes, 60, 1.0, 0, 0);
    add_leg(fixes, 500, 1.0, dlat, dlon);
    add_leg(fixes, 500, 3.7, dlat, dlon);
    return fixes;
}

std::vector<DriveRow> rows_of(const std::string& name, const std::string& text,
                              std::string* note = nullptr) {
    const std::string path =
        testing::TempDir() + "ql730_track_" + std::to_string(::getpid()) + "_" + name;
    std::ofstream(path, std::ios::binary) << text;
    std::vector<DriveRow> rows;
    std::string error;
    EXPECT_TRUE(load_drive_file(path, rows, error, note)) << error;
    std::filesystem::remove(path);
    return rows;
}

std::int32_t total_m(Shell& shell) {
    std::int32_t metres = 0;
    get_distance_counter(shell.dev, COUNTER_TOTAL, metres);
    return metres;
}

// Plays `rows` from a quarter second of its own and the device's total at each fix.
std::vector<std::int32_t> totals_at_fixes(const std::vector<DriveRow>& rows,
                                          const std::vector<Fix>& fixes) {
    Shell shell(ShellConfig{});
    shell_paint(shell);
    shell_advance_to(shell, 1000);
    shell_start_drive(shell, rows);
    std::vector<std::int32_t> totals;
    for (const Fix& f : fixes) {
        shell_advance_to(shell, 1000 + static_cast<std::uint64_t>(std::lround(f.s * 1000)));
        totals.push_back(total_m(shell));
    }
    shell_advance_to(shell, shell.now_ms + 60'000);
    totals.push_back(total_m(shell));
    return totals;
}

TEST(TrackDrive, OneDegreeOfEquatorAndOfMeridianIsCountedAtEveryFix) {
    for (const bool meridian : {false, true}) {
        SCOPED_TRACE(meridian ? "meridian" : "equator");
        const std::vector<Fix> fixes = one_degree(meridian);
        const double length = meridian ? 110'574.389 : 111'319.491;
        std::vector<TrackPoint> points;
        for (const Fix& f : fixes)
            points.push_back({std::lround(f.s * 1000), f.lat, f.lon, 0});
        const TrackDrive planned = drive_of_track(points);
        EXPECT_NEAR(planned.length_m, length, 0.001);
        EXPECT_EQ(planned.limited_ms, 0u);
        EXPECT_EQ(planned.gaps, 0u);

        const std::vector<std::int32_t> totals =
            totals_at_fixes(rows_of("one.gpx", gpx_of(fixes)), fixes);
        // Along the equator the length so far is proportional to the longitude.
        for (std::size_t i = 0; !meridian && i < fixes.size(); ++i)
            ASSERT_LE(std::fabs(totals[i] - fixes[i].lon * length), 1.0) << "fix " << i;
        EXPECT_LE(std::fabs(totals.back() - length), 1.0 + length * 1e-4);
        EXPECT_EQ(totals[1060], totals[1000]) << "standing for a minute counts nothing";
    }
}

TEST(TrackDrive, TheSameStageAsGpxAndAsNmeaCountsTheSame) {
    // A winding stage in the southern and western hemispheres, with a gap of 15 s.
    std::vector<Fix> fixes{{0, -33.45, -70.66}};
    add_leg(fixes, 300, 1.0, 0.0002, 0.0001);
    add_leg(fixes, 200, 2.0, -0.0001, 0.0003);
    fixes.push_back({fixes.back().s + 15, fixes.back().lat + 0.003, fixes.back().lon});
    add_leg(fixes, 300, 1.0, 0.00015, -0.0002);
    std::string gpx_note;
    std::string nmea_note;
    const std::vector<std::int32_t> gpx =
        totals_at_fixes(rows_of("s.gpx", gpx_of(fixes), &gpx_note), fixes);
    const std::vector<std::int32_t> nmea =
        totals_at_fixes(rows_of("s.nmea", nmea_of(fixes), &nmea_note), fixes);
    EXPECT_GT(gpx.back(), 5000);
    EXPECT_LE(std::abs(gpx.back() - nmea.back()), 1);
    EXPECT_EQ(gpx[501], gpx[500]) << "a gap without a fix is a stop";
    EXPECT_EQ(gpx_note.substr(gpx_note.find(": ")),
              ": 1 gap of 10 s or more without a fix is a stop: the 333 m across it are not "
              "counted");
}

TEST(TrackDrive, SpeedsAbove300AreHeldAndTheShortfallNamed) {
    // 10 km in 100 s is 360 km/h, then 5 minutes standing still at the end.
    std::vector<Fix> fixes{{0, 0, 0}};
    add_leg(fixes, 100, 1.0, 0, 0.1 / 111.319491);
    add_leg(fixes, 300, 1.0, 0, 0);
    std::string note;
    const std::vector<DriveRow> rows = rows_of("fast.gpx", gpx_of(fixes), &note);
    for (const DriveRow& row : rows)
        EXPECT_LE(row.speed_tenths, 3000);
    const std::vector<std::int32_t> totals = totals_at_fixes(rows, fixes);
    // 300 km/h for 100 s is 8333 m, and the rest is not made up while the track stands.
    EXPECT_NEAR(totals[50], 4167, 1);
    EXPECT_NEAR(totals[100], 8333, 1);
    EXPECT_EQ(totals.back(), totals[100]);
    EXPECT_EQ(note.substr(note.find(": ")), ": speeds above 300 km/h held at 300 for 100 s: the "
                                            "device counts 1667 m less than the track's 10000 m");
}

} // namespace
} // namespace ql
