#pragma once
#include "sim/files/file_error.hpp"
#include "sim/picture/image.hpp"
#include <filesystem>
#include <string>

namespace ql {

// 8-bit RGB PNG files. On failure `error` names the file and the reason.
bool write_png(const std::filesystem::path& path, const RgbImage& image, std::string& error);
// An 8-bit RGBA PNG file, the same way.
bool write_png(const std::filesystem::path& path, const RgbaImage& image, std::string& error);
// Any PNG libpng understands, converted to RGB (transparency over white).
bool read_png(const std::filesystem::path& path, RgbImage& image, std::string& error);

} // namespace ql
