// GPX 1.1 tracks: every trkpt of every trkseg of every trk, in the file's order. The
// elevation and any speed extension are not used: the speed comes from the positions.
#include "sim/tracks/track.hpp"
#include "sim/tracks/track_reading.hpp"
#include "sim/tracks/track_time.hpp"
#include <algorithm>
#include <pugixml.hpp>

namespace ql {

namespace {

int line_at(std::string_view text, std::ptrdiff_t offset) {
    const auto end = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, offset));
    const std::string_view before = text.substr(0, std::min(end, text.size()));
    return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
}

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// "2024-05-01T08:30:00Z", with an optional fraction of the second and an optional offset
// from UTC ("+02:00"); without a zone the time is taken as UTC.
bool parse_gpx_time(std::string_view text, std::int64_t& ms) {
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T') return false;
    int year = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        year = year * 10 + (text[i] - '0');
    }
    const auto digits2 = [&](std::size_t at, unsigned& v) {
        if (text[at] < '0' || text[at] > '9' || text[at + 1] < '0' || text[at + 1] > '9')
            return false;
        v = static_cast<unsigned>((text[at] - '0') * 10 + (text[at + 1] - '0'));
        return true;
    };
    unsigned month = 0, day = 0;
    if (!digits2(5, month) || !digits2(8, day) || !valid_date(year, month, day)) return false;
    std::string_view clock = text.substr(11);
    std::int64_t offset_ms = 0;
    if (clock.ends_with('Z')) {
        clock.remove_suffix(1);
    } else if (clock.size() > 6 &&
               (clock[clock.size() - 6] == '+' || clock[clock.size() - 6] == '-') &&
               clock[clock.size() - 3] == ':') {
        const std::string_view zone = clock.substr(clock.size() - 6);
        unsigned h = 0, m = 0;
        const std::string zone_text(zone);
        const auto zd = [&](std::size_t at, unsigned& v) {
            if (zone_text[at] < '0' || zone_text[at] > '9' || zone_text[at + 1] < '0' ||
                zone_text[at + 1] > '9')
                return false;
            v = static_cast<unsigned>((zone_text[at] - '0') * 10 + (zone_text[at + 1] - '0'));
            return true;
        };
        if (!zd(1, h) || !zd(4, m) || h > 14 || m > 59) return false;
        offset_ms = (static_cast<std::int64_t>(h) * 60 + m) * 60'000 * (zone[0] == '-' ? -1 : 1);
        clock.remove_suffix(6);
    }
    std::int64_t in_day = 0;
    if (!parse_time_of_day(clock, true, in_day)) return false;
    ms = days_from_civil(year, month, day) * 86'400'000 + in_day - offset_ms;
    return true;
}

bool read_coordinate(const std::string& where, const pugi::xml_node& point, const char* name,
                     double limit, TrackPoint& out, std::string& error) {
    const pugi::xml_attribute attribute = point.attribute(name);
    const char* what = limit == 90 ? "latitude" : "longitude";
    if (!attribute) {
        error = where + "the track point has no " + name + " (its " + what + ")";
        return false;
    }
    const std::string_view text = trimmed(attribute.value());
    double value = 0;
    if (!parse_decimal(text, value) || value < -limit || value > limit) {
        error = where + name + " " + quoted_text(text) + " is not a " + what + " (-" +
                std::to_string(static_cast<int>(limit)) + " to " +
                std::to_string(static_cast<int>(limit)) + " degrees)";
        return false;
    }
    (limit == 90 ? out.lat : out.lon) = value;
    return true;
}

} // namespace

bool read_gpx(const std::string& name, std::string_view text, std::vector<TrackPoint>& points,
              std::string& error) {
    points.clear();
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        error = at_line(name, line_at(text, parsed.offset)) +
                "the file is not well-formed XML, so not a GPX track";
        return false;
    }
    const pugi::xml_node root = doc.document_element();
    if (std::string_view(root.name()) != "gpx") {
        error = name + ": an XML file but not a GPX track (its first element is <" +
                std::string(root.name()) + ">, not <gpx>)";
        return false;
    }
    for (const pugi::xml_node trk : root.children("trk"))
        for (const pugi::xml_node seg : trk.children("trkseg"))
            for (const pugi::xml_node pt : seg.children("trkpt")) {
                TrackPoint point;
                point.line = line_at(text, pt.offset_debug());
                const std::string where = at_line(name, point.line);
                if (!read_coordinate(where, pt, "lat", 90, point, error) ||
                    !read_coordinate(where, pt, "lon", 180, point, error))
                    return false;
                const pugi::xml_node time = pt.child("time");
                if (!time) {
                    error = where + "the track point has no time";
                    return false;
                }
                const std::string_view when = trimmed(time.child_value());
                if (!parse_gpx_time(when, point.ms)) {
                    error = where + "time " + quoted_text(when) +
                            " is not a date and time like 2024-05-01T08:30:00Z";
                    return false;
                }
                if (!add_fix(name, point, points, error)) return false;
            }
    if (points.empty()) {
        error = name + ": the GPX file has no track points (trk, trkseg, trkpt)";
        return false;
    }
    return true;
}

} // namespace ql
