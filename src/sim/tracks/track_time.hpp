#pragma once
// Dates and times of track fixes, in UTC milliseconds since 1970.
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t days_from_civil(int year, unsigned month, unsigned day);

// "2024-05-01T08:30:00Z" (with ".250" when the second has a fraction).
std::string utc_text(std::int64_t ms);

// hh, mm, ss and an optional fraction ("083000", "08:30:00.5") into milliseconds of the day;
// false unless every part is in range. `colons` says whether the parts are separated.
bool parse_time_of_day(std::string_view text, bool colons, std::int64_t& ms);

// The range a valid calendar date has.
bool valid_date(int year, unsigned month, unsigned day);

} // namespace ql
