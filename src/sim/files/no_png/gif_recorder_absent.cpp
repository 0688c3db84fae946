// The shell without giflib (the browser build): GIF files are refused in our own words.
#include "sim/files/gif_recorder.hpp"

namespace ql {

GifRecorder::~GifRecorder() = default;

bool GifRecorder::start(const std::filesystem::path& path, const RgbImage&, std::uint64_t,
                        std::string& error) {
    error = "cannot use " + path.string() + ": this build has no GIF recordings";
    return false;
}

bool GifRecorder::add(const RgbImage&, std::uint64_t, std::string&) {
    return false;
}

bool GifRecorder::finish(std::uint64_t, std::string&) {
    return false;
}

void GifRecorder::abandon() {}

} // namespace ql
