#include "sim/tracks/track_reading.hpp"
#include "sim/tracks/track_time.hpp"

namespace ql {

std::string at_line(const std::string& name, int line) {
    return name + ":" + std::to_string(line) + ": ";
}

std::string quoted_text(std::string_view text) {
    constexpr std::size_t LONGEST = 20;
    std::string out(text.substr(0, LONGEST));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    return "\"" + out + (text.size() > LONGEST ? "...\"" : "\"");
}

bool parse_decimal(std::string_view text, double& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 30) return false;
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    bool point = false;
    bool digits = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return false;
        }
    }
    if (!digits) return false;
    value = (whole + fraction) * (negative ? -1 : 1);
    return true;
}

bool add_fix(const std::string& name, const TrackPoint& point, std::vector<TrackPoint>& points,
             std::string& error) {
    if (!points.empty() && point.ms < points.back().ms) {
        error = at_line(name, point.line) + "time " + utc_text(point.ms) +
                " comes before the time of the point before, " + utc_text(points.back().ms) +
                " (line " + std::to_string(points.back().line) + ")";
        return false;
    }
    points.push_back(point);
    return true;
}

} // namespace ql
