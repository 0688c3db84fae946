// Which reader a drive file goes to. Built everywhere, the browser's build too.
#include "sim/tracks/track.hpp"
#include <algorithm>
#include <cctype>
#include <filesystem>

namespace ql {

namespace {

std::string lower_extension(const std::string& name) {
    std::string ext = std::filesystem::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

DriveFormat drive_format(const std::string& name, std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) {
        const char c = text[first];
        if (c == '<') return DriveFormat::gpx;
        if (c == '$') return DriveFormat::nmea;
        if (c == '#' && text.substr(first).find("\n$") != std::string_view::npos)
            return DriveFormat::nmea; // a log with comment lines before its sentences
        if ((c >= '0' && c <= '9') || text.substr(first).starts_with("time_s"))
            return DriveFormat::csv;
    }
    const std::string ext = lower_extension(name);
    if (ext == ".gpx") return DriveFormat::gpx;
    if (ext == ".nmea") return DriveFormat::nmea;
    if (ext == ".csv") return DriveFormat::csv;
    return DriveFormat::unknown;
}

} // namespace ql
