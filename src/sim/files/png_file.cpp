#include "sim/files/png_file.hpp"
#include "sim/files/atomic_file.hpp"
#include <cstdio>
#include <cstring>
#include <memory>
#include <png.h>

namespace ql {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string describe(const std::filesystem::path& path, const std::string& reason) {
    return "cannot " + reason + " (" + path.string() + ")";
}

// Writes `pixels` (`channels` bytes a pixel, rows top to bottom) as a PNG of that format.
bool write_pixels(const std::filesystem::path& path, int width, int height, int channels,
                  const std::uint8_t* pixels, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(width);
    png.height = static_cast<png_uint_32>(height);
    png.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // Made in memory first (its size asked for, then filled), then written whole.
    png_alloc_size_t size = 0;
    std::string bytes;
    bool made =
        png_image_write_to_memory(&png, nullptr, &size, 0, pixels, width * channels, nullptr) != 0;
    if (made) {
        bytes.resize(size);
        made = png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels, width * channels,
                                         nullptr) != 0;
        bytes.resize(size);
    }
    if (!made) {
        error = describe(path, std::string("write the PNG: ") + png.message);
        png_image_free(&png);
        return false;
    }
    AtomicWriteStep step{};
    if (!write_file_atomically(path, bytes, step)) {
        error = file_error(path, "write the file");
        return false;
    }
    return true;
}

} // namespace

bool write_png(const std::filesystem::path& path, const RgbImage& image, std::string& error) {
    return write_pixels(path, image.width, image.height, 3, image.rgb.data(), error);
}

bool write_png(const std::filesystem::path& path, const RgbaImage& image, std::string& error) {
    return write_pixels(path, image.width, image.height, 4, image.rgba.data(), error);
}

bool read_png(const std::filesystem::path& path, RgbImage& image, std::string& error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = file_error(path, "read the file");
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_stdio(&png, file.get()) == 0) {
        error = describe(path, "read it: the PNG picture is damaged");
        png_image_free(&png);
        return false;
    }
    // Far beyond any picture of this window; refuse before allocating for it.
    if (png.width > 8192 || png.height > 8192) {
        error = describe(path, "use it: the picture is larger than 8192 x 8192");
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    RgbImage out(static_cast<int>(png.width), static_cast<int>(png.height));
    const png_color white{255, 255, 255};
    if (png_image_finish_read(&png, &white, out.rgb.data(), out.width * 3, nullptr) == 0) {
        error = describe(path, "read it: the PNG picture is damaged");
        png_image_free(&png);
        return false;
    }
    image = std::move(out);
    return true;
}

} // namespace ql
