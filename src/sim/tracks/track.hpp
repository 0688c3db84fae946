#pragma once
#include "sim/host/drive_playback.hpp"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// One fix of a recorded track: where and when, and the line of the file it came from.
struct TrackPoint {
    std::int64_t ms = 0; // milliseconds since 1970-01-01 00:00 UTC
    double lat = 0;      // degrees, -90 to 90
    double lon = 0;      // degrees, -180 to 180
    int line = 0;
};

// What a file handed to `drive` holds, by its first characters, else by its extension.
enum class DriveFormat { csv, gpx, nmea, unknown };
DriveFormat drive_format(const std::string& name, std::string_view text);

// Fixes this far apart in time are a stop: the vehicle stands, the step between them is not
// driven.
inline constexpr std::int64_t TRACK_GAP_MS = 10'000;

// A track turned into rows of a drive, one a 250 ms tick whose speed changes.
struct TrackDrive {
    std::vector<DriveRow> rows;
    double length_m = 0;          // the track's geodesic length, without the steps across gaps
    double counted_m = 0;         // what the device counts from 0 when it replays the rows
    double gap_m = 0;             // the steps across gaps, not driven
    std::size_t gaps = 0;         // how many
    std::uint64_t limited_ms = 0; // how long the track asked for more than 300 km/h
};

// The rows that make the device's distance follow the track: at each 250 ms tick the speed
// whose metres, added as the device adds them, bring its count nearest to the track's length
// at that instant (at a track point's instant when one falls before the next tick). Each
// tick's rounding is carried into the next. Speeds above 300 km/h are held at 300.
TrackDrive drive_of_track(const std::vector<TrackPoint>& points);

// The geodesic between two points on the WGS84 ellipsoid, in metres.
double geodesic_m(double lat1, double lon1, double lat2, double lon2);

// The fixes of a GPX 1.1 track or an NMEA 0183 log (RMC sentences). On the first mistake,
// false, with `error` "NAME:LINE: what is wrong" (or "NAME: ..." for the whole file).
bool read_gpx(const std::string& name, std::string_view text, std::vector<TrackPoint>& points,
              std::string& error);
bool read_nmea(const std::string& name, std::string_view text, std::vector<TrackPoint>& points,
               std::string& error);

// A GPX track or an NMEA log as the rows of a drive. `note` is one line, empty unless the
// device cannot count the whole track (speeds held at 300 km/h, gaps without a fix).
bool track_drive_file(const std::string& name, std::string_view text, DriveFormat format,
                      std::vector<DriveRow>& rows, std::string& note, std::string& error);

} // namespace ql
