#include "sim/script/drive_file.hpp"
#include "sim/tracks/track.hpp"
#include "sim/tracks/track_reading.hpp"
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace ql {

namespace {

constexpr std::uint64_t SPEED_TOP_TENTHS = 3000;
constexpr std::uint64_t READING_TOP = 255;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> fields_of(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = line.find(',');
        fields.push_back(trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos) return fields;
        line.remove_prefix(comma + 1);
    }
}

// Digits with at most `decimals` digits after a point, scaled by 10^decimals; false for
// anything else (signs, exponents, empty parts) and for more than fifteen digits before it.
bool parse_fixed(std::string_view text, int decimals, std::uint64_t& value) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 15 || (point != std::string_view::npos && fraction.empty()))
        return false;
    if (fraction.size() > static_cast<std::size_t>(decimals)) return false;
    value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    for (int i = 0; i < decimals; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const char c = at < fraction.size() ? fraction[at] : '0';
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

// One data row, or what is wrong with it.
std::string read_row(std::string_view line, std::size_t columns_named, DriveRow& row) {
    const std::vector<std::string_view> fields = fields_of(line);
    if (fields.size() < 2 || fields.size() > 3 || (columns_named == 2 && fields.size() == 3))
        return std::to_string(fields.size()) + (fields.size() == 1 ? " value" : " values") +
               "; a row is " +
               (columns_named == 2 ? "time_s,speed_kmh, as the first line names"
                                   : "time_s,speed_kmh[,fuel_reading]");
    std::uint64_t value = 0;
    if (!parse_fixed(fields[0], 3, value) || value > MAX_DURATION_MS)
        return "time_s " + quoted_text(fields[0]) +
               " is not a time in seconds (at most three decimals, e.g. 12 or 12.25)";
    row.ms = value;
    if (!parse_fixed(fields[1], 1, value))
        return "speed_kmh " + quoted_text(fields[1]) +
               " is not a speed in km/h (at most one decimal, e.g. 50 or 50.5)";
    if (value > SPEED_TOP_TENTHS)
        return "speed_kmh " + std::string(fields[1]) + " is out of range (0 to 300)";
    row.speed_tenths = static_cast<std::uint16_t>(value);
    row.fuel_reading.reset();
    if (fields.size() == 3) {
        if (!parse_fixed(fields[2], 0, value))
            return "fuel_reading " + quoted_text(fields[2]) + " is not a whole number";
        if (value > READING_TOP)
            return "fuel_reading " + std::string(fields[2]) + " is out of range (0 to 255)";
        row.fuel_reading = static_cast<std::uint8_t>(value);
    }
    return {};
}

std::string seconds_text(std::uint64_t ms) {
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        char fraction[8];
        std::snprintf(fraction, sizeof fraction, ".%03u", static_cast<unsigned>(ms % 1000));
        std::string f = fraction;
        while (f.back() == '0')
            f.pop_back();
        text += f;
    }
    return text;
}

} // namespace

bool parse_drive(const std::string& name, std::string_view text, std::vector<DriveRow>& rows,
                 std::string& error) {
    rows.clear();
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t columns_named = 0;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        const std::string_view content = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (content.empty()) continue;
        if (line == 1 && content.starts_with("time_s")) {
            const std::vector<std::string_view> names = fields_of(content);
            const bool known = names.size() >= 2 && names.size() <= 3 && names[0] == "time_s" &&
                               names[1] == "speed_kmh" &&
                               (names.size() == 2 || names[2] == "fuel_reading");
            if (!known) {
                error = name + ":1: the column names must be time_s,speed_kmh or "
                               "time_s,speed_kmh,fuel_reading";
                rows.clear();
                return false;
            }
            columns_named = names.size();
            continue;
        }
        DriveRow row;
        std::string problem = read_row(content, columns_named, row);
        if (problem.empty() && !rows.empty() && row.ms <= rows.back().ms)
            problem = "time_s " + seconds_text(row.ms) + " does not come after the row before (" +
                      seconds_text(rows.back().ms) + ")";
        if (!problem.empty()) {
            error = name + ":" + std::to_string(line) + ": " + problem;
            rows.clear();
            return false;
        }
        rows.push_back(row);
    }
    if (rows.empty()) {
        error = name + ": the drive has no rows of time_s,speed_kmh[,fuel_reading]";
        return false;
    }
    return true;
}

bool load_drive_file(const std::filesystem::path& path, std::vector<DriveRow>& rows,
                     std::string& error, std::string* note) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot read the drive " + path.string() + ": it is a folder";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) {
        error = "cannot read the drive " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return read_drive_text(path.string(), text.str(), rows, error, note);
}

bool read_drive_text(const std::string& name, std::string_view content, std::vector<DriveRow>& rows,
                     std::string& error, std::string* note) {
    std::string track_note;
    bool read = false;
    switch (drive_format(name, content)) {
    case DriveFormat::csv: read = parse_drive(name, content, rows, error); break;
    case DriveFormat::gpx:
    case DriveFormat::nmea:
        read =
            track_drive_file(name, content, drive_format(name, content), rows, track_note, error);
        break;
    case DriveFormat::unknown:
        // Nothing but blanks reads as a CSV without rows.
        if (content.find_first_not_of(" \t\r\n") == std::string::npos)
            return parse_drive(name, content, rows, error);
        error = name + ": neither a CSV drive (time_s,speed_kmh rows), a GPX track nor an NMEA "
                       "log";
        rows.clear();
        return false;
    }
    if (note != nullptr) *note = read ? track_note : std::string();
    return read;
}

} // namespace ql
