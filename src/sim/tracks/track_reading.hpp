#pragma once
// What the GPX and NMEA readers share: lines, quoting, coordinates and the order of fixes.
#include "sim/tracks/track.hpp"
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// "NAME:LINE: " for a message about one line of a file.
std::string at_line(const std::string& name, int line);

// Text as a person can read it in one line: at most 20 characters, control bytes as '?'.
std::string quoted_text(std::string_view text);

// A decimal number as written in a track (optional sign, digits, an optional point); false
// for anything else, exponents and spaces included.
bool parse_decimal(std::string_view text, double& value);

// Adds a fix, or says why it cannot come after the ones before: false with `error` set.
bool add_fix(const std::string& name, const TrackPoint& point, std::vector<TrackPoint>& points,
             std::string& error);

} // namespace ql
