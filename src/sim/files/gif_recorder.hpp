#pragma once
#include "sim/picture/image.hpp"
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct GifFileType;

namespace ql {

// Longest delay one GIF frame can carry, in hundredths of a second; a longer still picture is
// carried by repeating a single unchanged pixel.
inline constexpr std::uint64_t GIF_MAX_DELAY_CS = 65'535;

// An animated GIF of a picture that changes now and then. A frame is kept only when the picture
// differs from the one before, and stays for the time until the next change, so the GIF plays
// at the recorded speed and a still picture costs one frame however long it stands. Times are
// in milliseconds; GIF delays are hundredths of a second, each rounded down with the remainder
// carried, so that the delays add up to the whole recording exactly. Each frame holds only the
// rectangle that changed. The file is written as a part beside FILE and renamed to FILE at the end,
// so no one sees half a GIF; an unfinished recording leaves nothing behind.
class GifRecorder {
  public:
    GifRecorder() = default;
    ~GifRecorder();
    GifRecorder(const GifRecorder&) = delete;
    GifRecorder& operator=(const GifRecorder&) = delete;

    // Opens the file and takes `picture` as the first frame at `now_ms`.
    bool start(const std::filesystem::path& path, const RgbImage& picture, std::uint64_t now_ms,
               std::string& error);
    // The picture at `now_ms` (never before the last one): a new frame when it changed.
    bool add(const RgbImage& picture, std::uint64_t now_ms, std::string& error);
    // The last frame stays until `now_ms`; the GIF is completed and renamed into place.
    bool finish(std::uint64_t now_ms, std::string& error);
    // Stops without a GIF: the partial file is removed.
    void abandon();

    bool recording() const { return file_ != nullptr; }
    const std::filesystem::path& path() const { return path_; }
    // Frames written so far, the one still waiting for its delay included.
    std::uint64_t frames() const { return frames_ + (recording() ? 1 : 0); }

  private:
    bool write_pending(std::uint64_t delay_cs, std::string& error);
    bool write_frame(const RgbImage& picture, int x, int y, int width, int height,
                     std::uint64_t delay_cs, std::string& error);
    bool fail(std::string& error, const char* what);

    GifFileType* file_ = nullptr;
    std::filesystem::path path_;
    std::filesystem::path part_; // written until finished, then renamed to path_
    RgbImage written_;           // the picture as the frames written so far leave it
    RgbImage pending_;           // the newest picture, written once its delay is known
    std::uint64_t start_ms_ = 0;
    std::uint64_t written_cs_ = 0; // the delays written so far
    std::uint64_t frames_ = 0;
    std::vector<std::uint32_t> palette_; // the global colour table, 0xRRGGBB, sorted
};

} // namespace ql
