#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace ql {

// One row of a recorded drive: from `ms` after the drive starts, the vehicle goes at
// `speed_tenths` (0.1 km/h) and, when given, the fuel sender reads `fuel_reading`.
struct DriveRow {
    std::uint64_t ms = 0;
    std::uint16_t speed_tenths = 0;
    std::optional<std::uint8_t> fuel_reading;
};

// A drive as it plays: the rows, the instant the drive started and the next row to apply.
struct DrivePlayback {
    std::vector<DriveRow> rows;
    std::uint64_t start_ms = 0;
    std::size_t next = 0;
};

// When the next row is due, in the shell's time; empty when the drive has ended.
inline std::optional<std::uint64_t> drive_next_due(const DrivePlayback& drive) {
    if (drive.next >= drive.rows.size()) return std::nullopt;
    return drive.start_ms + drive.rows[drive.next].ms;
}

} // namespace ql
