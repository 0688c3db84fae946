#include "sim/tracks/track_time.hpp"
#include <cstdio>

namespace ql {

namespace {

bool two_digits(std::string_view text, std::size_t at, unsigned& value) {
    if (at + 2 > text.size()) return false;
    const char a = text[at];
    const char b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return false;
    value = static_cast<unsigned>((a - '0') * 10 + (b - '0'));
    return true;
}

} // namespace

std::int64_t days_from_civil(int year, unsigned month, unsigned day) {
    // Howard Hinnant's algorithm: years counted from March, in eras of 400 years.
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (static_cast<std::int64_t>(month) + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + static_cast<std::int64_t>(day) - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool valid_date(int year, unsigned month, unsigned day) {
    static constexpr unsigned DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= DAYS[month - 1] + (month == 2 && leap ? 1u : 0u);
}

bool parse_time_of_day(std::string_view text, bool colons, std::int64_t& ms) {
    const std::size_t step = colons ? 3 : 2;
    unsigned h = 0, m = 0, s = 0;
    if (!two_digits(text, 0, h) || !two_digits(text, step, m) || !two_digits(text, 2 * step, s))
        return false;
    if (colons && (text.size() < 8 || text[2] != ':' || text[5] != ':')) return false;
    if (h > 23 || m > 59 || s > 60) return false;
    std::string_view rest = text.substr(2 * step + 2);
    std::int64_t fraction_ms = 0;
    if (!rest.empty()) {
        if (rest.front() != '.' || rest.size() < 2) return false;
        rest.remove_prefix(1);
        std::int64_t scale = 100;
        for (char c : rest) {
            if (c < '0' || c > '9') return false;
            fraction_ms += (c - '0') * scale;
            scale /= 10;
        }
    }
    ms = ((static_cast<std::int64_t>(h) * 60 + m) * 60 + s) * 1000 + fraction_ms;
    return true;
}

std::string utc_text(std::int64_t ms) {
    std::int64_t days = ms >= 0 ? ms / 86'400'000 : (ms - 86'399'999) / 86'400'000;
    std::int64_t in_day = ms - days * 86'400'000;
    // Back from days to a civil date (the inverse of days_from_civil).
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char text[48];
    const auto frac = static_cast<int>(in_day % 1000);
    in_day /= 1000;
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", static_cast<int>(y),
                  static_cast<int>(m), static_cast<int>(d), static_cast<int>(in_day / 3600),
                  static_cast<int>(in_day / 60 % 60), static_cast<int>(in_day % 60));
    std::string out = text;
    if (frac != 0) {
        std::snprintf(text, sizeof text, ".%03d", frac);
        out += text;
    }
    return out + "Z";
}

} // namespace ql
