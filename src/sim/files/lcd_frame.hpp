#pragma once
#include "sim/picture/image.hpp"
#include <filesystem>
#include <string>

namespace ql {

// The panel as a picture of 128 x 64 pixels, one pixel per dot, in the panel's two colours.
RgbImage lcd_image(const LcdPanel& lcd);

// Writes the panel to FILE: a PNG when the name ends in .png, otherwise the print-lcd text.
bool write_frame(const std::filesystem::path& path, const LcdPanel& lcd, std::string& error);

// Reads an expected panel picture: a PNG of 128 x 64 pixels (each pixel taken as the panel
// colour it is nearer to) or a text of 64 lines of 128 '#' (dark) or '.' (clear). `frame`
// receives it in the print-lcd form.
bool read_frame(const std::filesystem::path& path, std::string& frame, std::string& error);

// A print-lcd picture kept in an eighth of the room, one bit a dot (a loaded suite holds
// thousands), and the picture again. A text not in the print-lcd form is kept as it is.
std::string packed_frame(const std::string& frame);
std::string unpacked_frame(const std::string& packed);

// Empty when the panel shows `expected` (print-lcd or packed); otherwise what frame_difference
// says.
std::string lcd_difference(const std::string& expected, const LcdPanel& lcd);

// Empty when the two print-lcd pictures agree; otherwise how many rows differ, and the first
// few of them, expected above found, with the differing dots marked.
std::string frame_difference(const std::string& expected, const std::string& found);

} // namespace ql
