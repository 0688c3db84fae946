#include "sim/host/settings_file.hpp"
#include "sim/files/atomic_file.hpp"
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace ql {

namespace {

using Json = nlohmann::json;

// Reads one whole number in [low, high] from `object[key]` into `value`.
template <typename T>
bool read_number(const Json& object, const std::string& key, long low, long high, T& value,
                 std::string& error) {
    if (!object.contains(key)) {
        error = key + ": missing";
        return false;
    }
    const Json& v = object[key];
    if (!v.is_number_integer()) {
        error = key + ": not a whole number";
        return false;
    }
    // Whole numbers from 0 up are unsigned: compared as written, never wrapped into a signed
    // number (2^64 - 1 is not -1), and quoted as written.
    const bool in_range = v.is_number_unsigned()
                              ? v.get<std::uint64_t>() <= static_cast<std::uint64_t>(high)
                              : v.get<std::int64_t>() >= low && v.get<std::int64_t>() <= high;
    if (!in_range) {
        error = key + ": " + v.dump() + " is out of range (" + std::to_string(low) + " to " +
                std::to_string(high) + ")";
        return false;
    }
    value = static_cast<T>(v.get<std::int64_t>());
    return true;
}

template <typename T, std::size_t N>
bool read_array(const Json& object, const std::string& key, const std::string& path, long high,
                std::array<T, N>& values, std::string& error) {
    if (!object.contains(key) || !object[key].is_array() || object[key].size() != N) {
        error = path + ": needs a list of " + std::to_string(N) + " whole numbers";
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        const Json entry = {{"v", object[key][i]}};
        if (!read_number(entry, "v", 0, high, values[i], error)) {
            error = path + "." + std::to_string(i) + error.substr(1);
            return false;
        }
    }
    return true;
}

bool read_settings(const Json& j, Settings& s, std::string& e) {
    if (!j.is_object()) {
        e = "settings: not a JSON object";
        return false;
    }
    // Every value the field's width holds: the device mends what it cannot use when it reads
    // it, as it does with its own memory.
    constexpr long U8 = 255;
    constexpr long U16 = 65535;
    if (!read_number(j, "variant", 0, U8, s.variant, e) ||
        !read_number(j, "language", 0, U8, s.language, e) ||
        !read_number(j, "language_mask", 0, U8, s.language_mask, e) ||
        !read_number(j, "pulses_per_km", 0, U16, s.pulses_per_km, e) ||
        !read_number(j, "pulses_per_mile", 0, U16, s.pulses_per_mile, e) ||
        !read_number(j, "backlight", 0, U8, s.backlight, e) ||
        !read_number(j, "contrast", 0, U8, s.contrast, e) ||
        !read_number(j, "distance_unit", 0, U8, s.distance_unit, e) ||
        !read_number(j, "fuel_unit", 0, U8, s.fuel_unit, e) ||
        !read_number(j, "resolution", 0, U8, s.resolution, e) ||
        !read_number(j, "count_direction", 0, U8, s.count_direction, e) ||
        !read_number(j, "sleep", 0, U8, s.sleep, e) ||
        !read_number(j, "aux_a_function", 0, U8, s.aux_a_function, e) ||
        !read_number(j, "aux_b_function", 0, U8, s.aux_b_function, e) ||
        !read_number(j, "telemetry_mask", 0, U8, s.telemetry_mask, e) ||
        !read_number(j, "alarm_speed", 0, U16, s.alarm_speed, e) ||
        !read_number(j, "alarm_enabled", 0, U8, s.alarm_enabled, e) ||
        !read_number(j, "stored_max_speed", 0, U16, s.stored_max_speed, e) ||
        !read_number(j, "settings_valid_marker", 0, U8, s.settings_valid_marker, e))
        return false;
    if (!j.contains("fuel_table") || !j["fuel_table"].is_object()) {
        e = "fuel_table: missing";
        return false;
    }
    const Json& table = j["fuel_table"];
    if (!read_number(table, "count", -128, 127, s.fuel_count, e)) {
        e = "fuel_table." + e;
        return false;
    }
    return read_array(table, "volumes", "fuel_table.volumes", U16, s.fuel_volumes, e) &&
           read_array(table, "readings", "fuel_table.readings", U8, s.fuel_readings, e);
}

} // namespace

nlohmann::ordered_json settings_state_json(const Settings& s) {
    nlohmann::ordered_json fuel_table = {
        {"count", s.fuel_count},
        {"volumes", s.fuel_volumes},
        {"readings", s.fuel_readings},
    };
    return {
        {"variant", s.variant},
        {"language", s.language},
        {"language_mask", s.language_mask},
        {"pulses_per_km", s.pulses_per_km},
        {"pulses_per_mile", s.pulses_per_mile},
        {"backlight", s.backlight},
        {"contrast", s.contrast},
        {"distance_unit", s.distance_unit},
        {"fuel_unit", s.fuel_unit},
        {"resolution", s.resolution},
        {"count_direction", s.count_direction},
        {"sleep", s.sleep},
        {"aux_a_function", s.aux_a_function},
        {"aux_b_function", s.aux_b_function},
        {"telemetry_mask", s.telemetry_mask},
        {"alarm_speed", s.alarm_speed},
        {"alarm_enabled", s.alarm_enabled},
        {"stored_max_speed", s.stored_max_speed},
        {"settings_valid_marker", s.settings_valid_marker},
        {"fuel_table", fuel_table},
    };
}

bool load_settings_file(const std::string& file, Settings& settings, bool& present,
                        std::string& error) {
    present = false;
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        error = file + ": settings: it is a folder, not a settings file";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) return true;
        error = file + ": settings: cannot read it: " + std::strerror(errno);
        return false;
    }
    present = true;
    std::ostringstream text;
    text << in.rdbuf();
    return read_settings_text(file, text.str(), settings, error);
}

bool read_settings_text(const std::string& name, std::string_view text, Settings& settings,
                        std::string& error) {
    const Json j = Json::parse(text, nullptr, false);
    if (j.is_discarded()) {
        error = name + ": settings: not valid JSON";
        return false;
    }
    Settings loaded{};
    std::string problem;
    if (!read_settings(j, loaded, problem)) {
        error = name + ": " + problem;
        return false;
    }
    settings = loaded;
    return true;
}

bool check_settings_file_writable(const std::string& file, std::string& error) {
    // What saving does first: a new FILE.part beside it.
    const std::string temporary = file + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = file + ": settings: cannot write it: " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    ::unlink(temporary.c_str());
    return true;
}

bool save_settings_file(const std::string& file, const Settings& settings, std::string& error) {
    const std::string text = settings_state_json(settings).dump(2) + "\n";
    AtomicWriteStep step{};
    if (!write_file_atomically(file, text, step, 0644)) {
        error = file + ": settings: cannot write it: " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace ql
