#include "device/graphics/frame_picture.hpp"
#include "device/hardware/lcd_panel.hpp"

namespace ql {

std::string frame_picture(const LcdPanel& lcd, int x, int y, int width, int height) {
    std::string out;
    out.reserve(static_cast<std::size_t>((width + 1) * height));
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col) {
            const bool inside = col >= 0 && col < LCD_COLUMNS && row >= 0 && row < LCD_ROWS;
            out += inside && frame_dot(lcd, col, row) ? '#' : '.';
        }
        out += '\n';
    }
    return out;
}

} // namespace ql
