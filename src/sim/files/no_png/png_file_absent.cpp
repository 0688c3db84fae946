// The shell without libpng (the browser build): PNG files are refused in our own words; the
// print-lcd texts still work.
#include "sim/files/png_file.hpp"

namespace ql {

namespace {

bool refuse(const std::filesystem::path& path, std::string& error) {
    error = "cannot use " + path.string() + ": this build has no PNG pictures";
    return false;
}

} // namespace

bool write_png(const std::filesystem::path& path, const RgbImage&, std::string& error) {
    return refuse(path, error);
}

bool write_png(const std::filesystem::path& path, const RgbaImage&, std::string& error) {
    return refuse(path, error);
}

bool read_png(const std::filesystem::path& path, RgbImage&, std::string& error) {
    return refuse(path, error);
}

} // namespace ql
