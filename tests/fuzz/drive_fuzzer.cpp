// Arbitrary bytes as a drive file, read as the `drive` command reads one: as a CSV, a GPX track
// or an NMEA log by its first characters, else by its name's extension (each name whose
// extension changes the reading is tried). A refusal names the file in one line; a drive that
// is taken has rows in order of time within a year, speeds of 0 to 300 km/h, fuel readings
// only from a CSV, and rows that written as a CSV read back the same; the device plays its
// first two minutes.
#include "sim/host/shell.hpp"
#include "sim/script/drive_file.hpp"
#include "sim/tracks/track.hpp"
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint64_t PLAY_MS = 2 * 60 * 1000;

std::string as_csv(const std::vector<ql::DriveRow>& rows) {
    std::string csv = "time_s,speed_kmh,fuel_reading\n";
    char line[64];
    for (const ql::DriveRow& r : rows) {
        std::snprintf(line, sizeof line, "%llu.%03u,%u.%u", //
                      static_cast<unsigned long long>(r.ms / 1000),
                      static_cast<unsigned>(r.ms % 1000), r.speed_tenths / 10u,
                      r.speed_tenths % 10u);
        csv += line;
        if (r.fuel_reading) csv += "," + std::to_string(*r.fuel_reading);
        csv += '\n';
    }
    return csv;
}

void check_drive(const std::string& name, std::string_view text, ql::DriveFormat format) {
    std::vector<ql::DriveRow> rows;
    std::string error;
    std::string note;
    if (!ql::read_drive_text(name, text, rows, error, &note)) {
        if (error.rfind(name + ":", 0) != 0 || error.find('\n') != std::string::npos ||
            !rows.empty())
            __builtin_trap();
        return;
    }
    if (rows.empty() || note.find('\n') != std::string::npos) __builtin_trap();
    if (format == ql::DriveFormat::csv && !note.empty()) __builtin_trap();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ql::DriveRow& r = rows[i];
        if (r.ms > ql::MAX_DURATION_MS || r.speed_tenths > 3000) __builtin_trap();
        if (i > 0 && r.ms <= rows[i - 1].ms) __builtin_trap();
        if (r.fuel_reading && format != ql::DriveFormat::csv) __builtin_trap();
    }
    std::vector<ql::DriveRow> back;
    if (!ql::parse_drive("back.csv", as_csv(rows), back, error) || back.size() != rows.size())
        __builtin_trap();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (back[i].ms != rows[i].ms || back[i].speed_tenths != rows[i].speed_tenths ||
            back[i].fuel_reading != rows[i].fuel_reading)
            __builtin_trap();

    ql::Shell shell;
    ql::shell_start_drive(shell, rows);
    ql::shell_advance_to(shell, PLAY_MS);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    bool tried[4] = {};
    for (const char* name : {"fuzz.csv", "fuzz.gpx", "fuzz.nmea", "fuzz.drive"}) {
        const ql::DriveFormat format = ql::drive_format(name, text);
        if (tried[static_cast<int>(format)]) continue;
        tried[static_cast<int>(format)] = true;
        check_drive(name, text, format);
    }
    return 0;
}
