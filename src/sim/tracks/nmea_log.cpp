// NMEA 0183 logs: the RMC sentence of any talker ($GPRMC, $GNRMC, ...) with an active fix
// gives a point; every sentence's checksum is verified; other sentences, void fixes, blank
// lines and '#' comments (as gpsfake's logs have them) are skipped.
#include "sim/tracks/track.hpp"
#include "sim/tracks/track_reading.hpp"
#include "sim/tracks/track_time.hpp"
#include <cstdio>
#include <vector>

namespace ql {

namespace {

std::vector<std::string_view> fields_of(std::string_view body) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = body.find(',');
        fields.push_back(body.substr(0, comma));
        if (comma == std::string_view::npos) return fields;
        body.remove_prefix(comma + 1);
    }
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The body between '$' and '*' when its checksum is right, else what is wrong.
std::string check_sentence(std::string_view line, std::string_view& body) {
    const std::size_t star = line.rfind('*');
    if (star == std::string_view::npos)
        return "the sentence " + quoted_text(line) + " has no checksum (*hh at its end)";
    body = line.substr(1, star - 1);
    const std::string_view given = line.substr(star + 1);
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char computed[4];
    std::snprintf(computed, sizeof computed, "%02X", sum);
    if (given.size() != 2 || hex_value(given[0]) < 0 || hex_value(given[1]) < 0)
        return "the checksum " + quoted_text(given) + " is not two hex digits";
    if (static_cast<unsigned>(hex_value(given[0]) * 16 + hex_value(given[1])) != sum)
        return "bad checksum: the sentence says " + std::string(given) + ", its characters give " +
               computed;
    return {};
}

// "4916.4500" with "N" -> 49.274166...; false unless both are a valid latitude (or, with
// `degree_digits` 3 and E/W, longitude).
bool parse_angle(std::string_view text, std::string_view hemisphere, int degree_digits,
                 double& value) {
    const char positive = degree_digits == 2 ? 'N' : 'E';
    const char negative = degree_digits == 2 ? 'S' : 'W';
    const std::size_t point = text.find('.');
    const std::size_t whole = point == std::string_view::npos ? text.size() : point;
    if (whole != static_cast<std::size_t>(degree_digits) + 2 || text.front() == '-' ||
        text.front() == '+')
        return false;
    double degrees = 0;
    double minutes = 0;
    if (!parse_decimal(text.substr(0, static_cast<std::size_t>(degree_digits)), degrees) ||
        !parse_decimal(text.substr(static_cast<std::size_t>(degree_digits)), minutes) ||
        minutes >= 60)
        return false;
    value = degrees + minutes / 60;
    const double limit = degree_digits == 2 ? 90 : 180;
    if (value > limit || hemisphere.size() != 1) return false;
    if (hemisphere[0] == negative)
        value = -value;
    else if (hemisphere[0] != positive)
        return false;
    return true;
}

// hhmmss(.ss) and ddmmyy; years 80-99 are 1980-1999, 00-79 are 2000-2079.
bool parse_fix_time(std::string_view clock, std::string_view date, std::int64_t& ms) {
    std::int64_t in_day = 0;
    if (!parse_time_of_day(clock, false, in_day) || date.size() != 6) return false;
    for (char c : date)
        if (c < '0' || c > '9') return false;
    const auto day = static_cast<unsigned>((date[0] - '0') * 10 + (date[1] - '0'));
    const auto month = static_cast<unsigned>((date[2] - '0') * 10 + (date[3] - '0'));
    const int yy = (date[4] - '0') * 10 + (date[5] - '0');
    const int year = yy < 80 ? 2000 + yy : 1900 + yy;
    if (!valid_date(year, month, day)) return false;
    ms = days_from_civil(year, month, day) * 86'400'000 + in_day;
    return true;
}

// A line's fix, if it is an RMC sentence with one; what is wrong with it otherwise.
std::string read_line(std::string_view line, bool& fix, TrackPoint& point) {
    fix = false;
    if (line.front() != '$' && line.front() != '!')
        return "not an NMEA sentence (a sentence starts with $)";
    std::string_view body;
    if (std::string problem = check_sentence(line, body); !problem.empty()) return problem;
    const std::vector<std::string_view> f = fields_of(body);
    if (f[0].size() != 5 || !f[0].ends_with("RMC")) return {};
    if (f.size() < 10)
        return "the RMC sentence has " + std::to_string(f.size()) + " fields; it needs at least 10";
    if (f[2] != "A") return {}; // "V": no fix
    if (!parse_angle(f[3], f[4], 2, point.lat))
        return "latitude " + quoted_text(std::string(f[3]) + "," + std::string(f[4])) +
               " is not a latitude (ddmm.mmmm,N or S, at most 90 degrees)";
    if (!parse_angle(f[5], f[6], 3, point.lon))
        return "longitude " + quoted_text(std::string(f[5]) + "," + std::string(f[6])) +
               " is not a longitude (dddmm.mmmm,E or W, at most 180 degrees)";
    if (!parse_fix_time(f[1], f[9], point.ms))
        return "time " + quoted_text(f[1]) + " and date " + quoted_text(f[9]) +
               " are not a time hhmmss and a date ddmmyy";
    fix = true;
    return {};
}

} // namespace

bool read_nmea(const std::string& name, std::string_view text, std::vector<TrackPoint>& points,
               std::string& error) {
    points.clear();
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!content.empty() && (content.back() == '\r' || content.back() == ' '))
            content.remove_suffix(1);
        if (content.empty() || content.front() == '#') continue;
        TrackPoint point;
        point.line = line;
        bool fix = false;
        if (std::string problem = read_line(content, fix, point); !problem.empty()) {
            error = at_line(name, line) + problem;
            return false;
        }
        if (fix && !add_fix(name, point, points, error)) return false;
    }
    if (points.empty()) {
        error = name + ": the NMEA log has no fix (an RMC sentence, $GPRMC or $GNRMC, with "
                       "status A)";
        return false;
    }
    return true;
}

} // namespace ql
