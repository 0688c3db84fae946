#include "sim/files/gif_recorder.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/files/png_file.hpp"
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <gif_lib.h>
#include <limits>
#include <map>
#include <unistd.h>

namespace ql {

namespace {

constexpr int MAX_COLOURS = 256;

std::uint32_t colour_at(const RgbImage& image, int x, int y) {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                           static_cast<std::size_t>(x)) *
                          3;
    return static_cast<std::uint32_t>(image.rgb[i]) << 16 |
           static_cast<std::uint32_t>(image.rgb[i + 1]) << 8 | image.rgb[i + 2];
}

// The colours of an area, at most 256 of them: all when there are no more, else the most used.
// Sorted, for lookup.
std::vector<std::uint32_t> colour_table(const RgbImage& image, int x, int y, int width,
                                        int height) {
    std::map<std::uint32_t, std::uint64_t> used;
    for (int row = y; row < y + height; ++row)
        for (int col = x; col < x + width; ++col)
            ++used[colour_at(image, col, row)];
    std::vector<std::pair<std::uint64_t, std::uint32_t>> by_use;
    for (const auto& [colour, count] : used)
        by_use.emplace_back(count, colour);
    std::stable_sort(by_use.begin(), by_use.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::uint32_t> table;
    for (std::size_t i = 0; i < by_use.size() && i < MAX_COLOURS; ++i)
        table.push_back(by_use[i].second);
    std::sort(table.begin(), table.end());
    return table;
}

bool holds(const std::vector<std::uint32_t>& table, std::uint32_t colour) {
    return std::binary_search(table.begin(), table.end(), colour);
}

int channel(std::uint32_t colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

// The colour's index in the table, or the nearest colour's when it is not there.
GifPixelType index_in(const std::vector<std::uint32_t>& table, std::uint32_t colour) {
    const auto found = std::lower_bound(table.begin(), table.end(), colour);
    if (found != table.end() && *found == colour)
        return static_cast<GifPixelType>(found - table.begin());
    std::size_t best = 0;
    int best_distance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < table.size(); ++i) {
        int distance = 0;
        for (int shift : {16, 8, 0}) {
            const int d = channel(table[i], shift) - channel(colour, shift);
            distance += d * d;
        }
        if (distance < best_distance) {
            best_distance = distance;
            best = i;
        }
    }
    return static_cast<GifPixelType>(best);
}

// A GIF colour map holds a power of two of colours; the rest are black.
ColorMapObject* colour_map(const std::vector<std::uint32_t>& table) {
    int size = 2;
    while (size < static_cast<int>(table.size()))
        size *= 2;
    ColorMapObject* map = GifMakeMapObject(size, nullptr);
    if (map == nullptr) return nullptr;
    for (int i = 0; i < size; ++i) {
        const std::uint32_t c =
            i < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(i)] : 0;
        map->Colors[i] =
            GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                         static_cast<GifByteType>(c)};
    }
    return map;
}

// giflib keeps its own copy of a frame's colour table and never frees it: done once the frame
// is written, and before the file is closed.
void free_frame_colours(GifFileType* gif) {
    if (gif->Image.ColorMap == nullptr) return;
    GifFreeMapObject(gif->Image.ColorMap);
    gif->Image.ColorMap = nullptr;
}

} // namespace

GifRecorder::~GifRecorder() {
    abandon();
}

bool GifRecorder::fail(std::string& error, const char* what) {
    error = file_error(path_, what);
    abandon();
    return false;
}

bool GifRecorder::start(const std::filesystem::path& path, const RgbImage& picture,
                        std::uint64_t now_ms, std::string& error) {
    abandon();
    path_ = path;
    part_ = part_name(path);
    int code = 0;
    errno = 0;
    // Opened here rather than by giflib, so that the file gets the usual permissions.
    const int fd = open_part(part_);
    if (fd < 0) {
        error = file_error(path, "write the file");
        return false;
    }
    file_ = EGifOpenFileHandle(fd, &code);
    if (file_ == nullptr) {
        ::close(fd);
        error = file_error(path, "write the file");
        std::error_code ec;
        std::filesystem::remove(part_, ec);
        return false;
    }
    EGifSetGifVersion(file_, true);
    palette_ = colour_table(picture, 0, 0, picture.width, picture.height);
    ColorMapObject* map = colour_map(palette_);
    const bool described = map != nullptr && EGifPutScreenDesc(file_, picture.width, picture.height,
                                                               map->BitsPerPixel, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!described) return fail(error, "write the file");
    // Played over and over, as viewers expect of a recording.
    static const char NETSCAPE[] = "NETSCAPE2.0";
    static const GifByteType LOOP_FOREVER[] = {1, 0, 0};
    if (EGifPutExtensionLeader(file_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(file_, 11, NETSCAPE) != GIF_OK ||
        EGifPutExtensionBlock(file_, 3, LOOP_FOREVER) != GIF_OK ||
        EGifPutExtensionTrailer(file_) != GIF_OK)
        return fail(error, "write the file");
    written_ = RgbImage();
    pending_ = picture;
    start_ms_ = now_ms;
    written_cs_ = 0;
    frames_ = 0;
    return true;
}

bool GifRecorder::add(const RgbImage& picture, std::uint64_t now_ms, std::string& error) {
    if (!recording() || picture.rgb == pending_.rgb) return true;
    const std::uint64_t elapsed_cs = (std::max(now_ms, start_ms_) - start_ms_) / 10;
    const std::uint64_t delay_cs = elapsed_cs - written_cs_;
    // Within the same hundredth of a second the newer picture replaces the waiting one.
    if (delay_cs > 0 && !write_pending(delay_cs, error)) return false;
    pending_ = picture;
    return true;
}

bool GifRecorder::finish(std::uint64_t now_ms, std::string& error) {
    if (!recording()) return true;
    const std::uint64_t elapsed_cs = (std::max(now_ms, start_ms_) - start_ms_) / 10;
    if (!write_pending(elapsed_cs - written_cs_, error)) return false;
    int code = 0;
    errno = 0;
    const int closed = EGifCloseFile(file_, &code);
    file_ = nullptr;
    std::error_code ec;
    if (closed != GIF_OK) {
        error = file_error(path_, "write the file");
        std::filesystem::remove(part_, ec);
        return false;
    }
    if (!commit_part(part_, path_)) {
        error = file_error(path_, "write the file");
        return false;
    }
    return true;
}

void GifRecorder::abandon() {
    if (file_ == nullptr) return;
    int code = 0;
    free_frame_colours(file_);
    EGifCloseFile(file_, &code);
    file_ = nullptr;
    std::error_code ec;
    std::filesystem::remove(part_, ec);
}

// The waiting picture as a frame of `delay_cs`: the rectangle where it differs from what the
// frames before it left. A delay longer than one frame can carry goes on in frames of one
// unchanged pixel.
bool GifRecorder::write_pending(std::uint64_t delay_cs, std::string& error) {
    int left = 0, top = 0, right = pending_.width - 1, bottom = pending_.height - 1;
    if (written_.width == pending_.width && written_.height == pending_.height) {
        left = pending_.width;
        top = pending_.height;
        right = bottom = -1;
        for (int y = 0; y < pending_.height; ++y)
            for (int x = 0; x < pending_.width; ++x)
                if (colour_at(pending_, x, y) != colour_at(written_, x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        if (right < 0) left = top = right = bottom = 0; // unchanged: one pixel carries the delay
    }
    std::uint64_t first = std::min(delay_cs, GIF_MAX_DELAY_CS);
    if (!write_frame(pending_, left, top, right - left + 1, bottom - top + 1, first, error))
        return false;
    for (std::uint64_t rest = delay_cs - first; rest > 0; rest -= first) {
        first = std::min(rest, GIF_MAX_DELAY_CS);
        if (!write_frame(pending_, 0, 0, 1, 1, first, error)) return false;
    }
    written_cs_ += delay_cs;
    written_ = pending_;
    return true;
}

bool GifRecorder::write_frame(const RgbImage& picture, int x, int y, int width, int height,
                              std::uint64_t delay_cs, std::string& error) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT; // each frame draws over the ones before
    control.UserInputFlag = false;
    control.DelayTime = static_cast<int>(delay_cs);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(file_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
        GIF_OK)
        return fail(error, "write the file");
    // The screen's colours when they serve; a table of the frame's own for colours new to it.
    bool global = true;
    for (int row = y; row < y + height && global; ++row)
        for (int col = x; col < x + width && global; ++col)
            global = holds(palette_, colour_at(picture, col, row));
    const std::vector<std::uint32_t> local =
        global ? std::vector<std::uint32_t>() : colour_table(picture, x, y, width, height);
    const std::vector<std::uint32_t>& table = global ? palette_ : local;
    ColorMapObject* map = global ? nullptr : colour_map(local);
    const bool described = (global || map != nullptr) &&
                           EGifPutImageDesc(file_, x, y, width, height, false, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!described) return fail(error, "write the file");
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col)
            line[static_cast<std::size_t>(col - x)] = index_in(table, colour_at(picture, col, row));
        if (EGifPutLine(file_, line.data(), width) != GIF_OK) return fail(error, "write the file");
    }
    free_frame_colours(file_);
    ++frames_;
    return true;
}

} // namespace ql
