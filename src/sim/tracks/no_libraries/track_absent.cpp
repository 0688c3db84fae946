// The browser's build carries no XML or geodesic library: it replays CSV drives only.
#include "sim/tracks/track.hpp"

namespace ql {

bool track_drive_file(const std::string& name, std::string_view, DriveFormat format,
                      std::vector<DriveRow>& rows, std::string& note, std::string& error) {
    rows.clear();
    note.clear();
    error = name + ": " + (format == DriveFormat::gpx ? "a GPX track" : "an NMEA log") +
            " is replayed by ql730-sim on the desktop; this build reads only CSV drives "
            "(time_s,speed_kmh rows)";
    return false;
}

} // namespace ql
