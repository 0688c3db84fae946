// A track's fixes turned into the speeds the device is driven at, tick by tick.
#include "device/hardware/vehicle.hpp"
#include "sim/tracks/track.hpp"
#include "sim/tracks/track_time.hpp"
#include <GeographicLib/Geodesic.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ql {

namespace {

constexpr std::int64_t TICK_MS = 250;
constexpr long SPEED_TOP_TENTHS = 3000;
// The longest track replayed: a year, as a drive's rows.
constexpr std::int64_t LONGEST_TRACK_MS = 1000ll * 3600 * 24 * 365;

// The track's length at each instant: along each step at its constant speed, standing
// across a gap and after the last fix.
class TrackLength {
  public:
    explicit TrackLength(const std::vector<TrackPoint>& points, TrackDrive& drive) {
        const std::int64_t t0 = points.front().ms;
        double length = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0) {
                const TrackPoint& a = points[i - 1];
                const TrackPoint& b = points[i];
                const double step = geodesic_m(a.lat, a.lon, b.lat, b.lon);
                if (b.ms - a.ms >= TRACK_GAP_MS) {
                    drive.gap_m += step;
                    if (step > 0) ++drive.gaps;
                } else {
                    length += step;
                }
            }
            times_.push_back(points[i].ms - t0);
            lengths_.push_back(length);
        }
    }

    std::int64_t end_ms() const { return times_.back(); }
    double total() const { return lengths_.back(); }

    // At `ms`, which never goes back from one call to the next.
    double at(std::int64_t ms) {
        while (next_ < times_.size() && times_[next_] <= ms)
            ++next_;
        if (next_ == 0) return 0;
        const std::size_t i = next_ - 1; // the last fix at or before `ms`
        if (next_ == times_.size()) return lengths_[i];
        const double span = static_cast<double>(times_[next_] - times_[i]);
        return lengths_[i] +
               (lengths_[next_] - lengths_[i]) * static_cast<double>(ms - times_[i]) / span;
    }

    // The last fix's time in [from, until), or `from` when none falls there.
    std::int64_t last_fix_in(std::int64_t from, std::int64_t until) {
        while (fix_ < times_.size() && times_[fix_] < from)
            ++fix_;
        std::int64_t last = from;
        for (std::size_t i = fix_; i < times_.size() && times_[i] < until; ++i)
            last = times_[i];
        return last;
    }

  private:
    std::vector<std::int64_t> times_;
    std::vector<double> lengths_;
    std::size_t next_ = 0;
    std::size_t fix_ = 0;
};

// The speed whose tick brings `counted`, added to as the device adds, nearest to `target`.
long nearest_speed(float counted, double target) {
    const double wanted = (target - counted) / vehicle_tick_metres(1);
    const long guess = std::clamp(std::lround(wanted), 0l, SPEED_TOP_TENTHS);
    long best = guess;
    double best_miss = INFINITY;
    for (long v = std::max(0l, guess - 1); v <= std::min(SPEED_TOP_TENTHS, guess + 1); ++v) {
        const float after =
            static_cast<float>(counted + vehicle_tick_metres(static_cast<std::uint16_t>(v)));
        const double miss = std::fabs(after - target);
        if (miss < best_miss) {
            best_miss = miss;
            best = v;
        }
    }
    return best;
}

std::string metres_text(double m) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f m", m);
    return text;
}

} // namespace

double geodesic_m(double lat1, double lon1, double lat2, double lon2) {
    double s12 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, s12);
    return s12;
}

TrackDrive drive_of_track(const std::vector<TrackPoint>& points) {
    TrackDrive drive;
    if (points.empty()) return drive;
    TrackLength length(points, drive);
    drive.length_m = length.total();
    // The row at tick k's start sets the speed the tick at k + 1 counts with: ticks fire
    // before a row due at the same instant.
    const std::int64_t ticks = (length.end_ms() + TICK_MS - 1) / TICK_MS;
    float counted = 0;
    double lost = 0; // what ticks held at 300 km/h could not count; never caught up
    long speed = -1;
    for (std::int64_t k = 1; k <= ticks; ++k) {
        const std::int64_t at = k * TICK_MS;
        // Until the tick after, the device shows what this one counted: a fix before then
        // is where it must be right.
        const double target = length.at(length.last_fix_in(at, at + TICK_MS)) - lost;
        const long v = nearest_speed(counted, target);
        counted = static_cast<float>(counted + vehicle_tick_metres(static_cast<std::uint16_t>(v)));
        if ((target - counted) > vehicle_tick_metres(1)) {
            drive.limited_ms += TICK_MS;
            lost += target - counted;
        }
        if (v != speed)
            drive.rows.push_back({static_cast<std::uint64_t>(at - TICK_MS),
                                  static_cast<std::uint16_t>(v), std::nullopt});
        speed = v;
    }
    if (speed != 0) drive.rows.push_back({static_cast<std::uint64_t>(ticks * TICK_MS), 0, {}});
    drive.counted_m = counted;
    return drive;
}

bool track_drive_file(const std::string& name, std::string_view text, DriveFormat format,
                      std::vector<DriveRow>& rows, std::string& note, std::string& error) {
    rows.clear();
    note.clear();
    std::vector<TrackPoint> points;
    if (!(format == DriveFormat::gpx ? read_gpx(name, text, points, error)
                                     : read_nmea(name, text, points, error)))
        return false;
    if (points.back().ms - points.front().ms > LONGEST_TRACK_MS) {
        error = name + ": the track lasts longer than a year, from " + utc_text(points.front().ms) +
                " to " + utc_text(points.back().ms);
        return false;
    }
    TrackDrive drive = drive_of_track(points);
    rows = std::move(drive.rows);
    if (drive.limited_ms > 0) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f",
                      static_cast<double>(drive.limited_ms) / 1000.0);
        std::string s = seconds;
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
        note = "speeds above 300 km/h held at 300 for " + s + " s: the device counts " +
               metres_text(std::max(0.0, drive.length_m - drive.counted_m)) +
               " less than the track's " + metres_text(drive.length_m);
    }
    if (drive.gaps > 0)
        note += std::string(note.empty() ? "" : "; ") + std::to_string(drive.gaps) +
                (drive.gaps == 1 ? " gap" : " gaps") + " of 10 s or more without a fix " +
                (drive.gaps == 1 ? "is a stop" : "are stops") + ": the " +
                metres_text(drive.gap_m) + " across " + (drive.gaps == 1 ? "it" : "them") +
                " are not counted";
    if (!note.empty()) note = name + ": " + note;
    return true;
}

} // namespace ql
