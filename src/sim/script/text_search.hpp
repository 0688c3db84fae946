#pragma once
#include "device/hardware/lcd_panel.hpp"
#include <string>
#include <string_view>

namespace ql {

// A region of the LCD in dots.
struct LcdRegion {
    int x = 0;
    int y = 0;
    int width = LCD_COLUMNS;
    int height = LCD_ROWS;
};

// UTF-8 (as scripts are written) to the device's Latin-1 texts. False for a character the
// device cannot show (past U+00FF) or for bytes that are not UTF-8.
bool utf8_to_latin1(std::string_view utf8, std::string& latin1);
std::string latin1_to_utf8(std::string_view latin1);

// Whether `text` (Latin-1), drawn by the device's own text routines, shows inside the region:
// dark on clear, or clear on dark as in a highlighted row. The dots between the letters must
// match too; the text's blank edges may be anything.
bool lcd_shows_text(const LcdPanel& lcd, const std::string& text, const LcdRegion& region);

} // namespace ql
