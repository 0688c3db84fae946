#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// One row of a recorded drive: from `ms` after the drive starts, the vehicle goes at
// `speed_tenths` (0.1 km/h) and, when given, the fuel sender reads `fuel_reading`.
struct DriveRow {
    std::uint64_t ms = 0;
    std::uint16_t speed_tenths = 0;
    std::optional<std::uint8_t> fuel_reading;
};

// A CSV of `time_s,speed_kmh[,fuel_reading]` rows: time in seconds (at most three decimals,
// increasing from row to row), speed 0-300 km/h (at most one decimal), reading 0-255. A first
// line of column names is skipped, blank lines too. On the first bad row, returns false and
// sets `error` to "NAME:LINE: what is wrong" (lines counted from 1, the names included).
bool parse_drive(const std::string& name, std::string_view text, std::vector<DriveRow>& rows,
                 std::string& error);

// Reads and parses a drive file; `error` names it as `path` is written.
bool load_drive_file(const std::filesystem::path& path, std::vector<DriveRow>& rows,
                     std::string& error);

// A drive as it plays: the rows, the instant the drive started and the next row to apply.
struct DrivePlayback {
    std::vector<DriveRow> rows;
    std::uint64_t start_ms = 0;
    std::size_t next = 0;
};

// When the next row is due, in the shell's time; empty when the drive has ended.
std::optional<std::uint64_t> drive_next_due(const DrivePlayback& drive);

} // namespace ql
