#pragma once
#include "sim/host/drive_playback.hpp"
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// The longest time a script step or a drive row may name: a year.
inline constexpr std::uint64_t MAX_DURATION_MS = 1000ull * 3600 * 24 * 365;

// A CSV of `time_s,speed_kmh[,fuel_reading]` rows: time in seconds (at most three decimals,
// increasing from row to row), speed 0-300 km/h (at most one decimal), reading 0-255. A first
// line of column names is skipped, blank lines too. On the first bad row, returns false and
// sets `error` to "NAME:LINE: what is wrong" (lines counted from 1, the names included).
bool parse_drive(const std::string& name, std::string_view text, std::vector<DriveRow>& rows,
                 std::string& error);

// Reads a drive file: a CSV as above, a GPX track or an NMEA log (by their first characters,
// else by the extension .csv, .gpx or .nmea); `error` names it as `path` is written. `note`
// gets one line when the device cannot count all of a track (see track_drive_file).
bool load_drive_file(const std::filesystem::path& path, std::vector<DriveRow>& rows,
                     std::string& error, std::string* note = nullptr);

// What load_drive_file does with the bytes it read from a file named NAME.
bool read_drive_text(const std::string& name, std::string_view content, std::vector<DriveRow>& rows,
                     std::string& error, std::string* note = nullptr);

} // namespace ql
