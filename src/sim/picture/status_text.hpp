#pragma once
#include "sim/picture/image.hpp"
#include <string_view>

namespace ql {

inline constexpr Rgb STATUS_TEXT_COLOUR{0, 0, 0};

// Draws a status-line text with the top-left corner of its first cell at (x, y): dark dots
// only, the background shows through. Characters the font lacks advance like a space.
void draw_status_text(RgbImage& image, int x, int y, std::string_view text);
int status_text_width(std::string_view text);

} // namespace ql
