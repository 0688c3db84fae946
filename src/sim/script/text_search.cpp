#include "sim/script/text_search.hpp"
#include "device/device.hpp"
#include "device/graphics/text.hpp"
#include "device/wiring.hpp"
#include <algorithm>
#include <memory>
#include <vector>

namespace ql {

namespace {

bool dot(const LcdPanel& lcd, int x, int y) {
    return (frame_byte(lcd, x, y / 8) >> (y % 8) & 1) != 0;
}

} // namespace

bool utf8_to_latin1(std::string_view utf8, std::string& latin1) {
    latin1.clear();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            latin1 += static_cast<char>(c);
            continue;
        }
        // Two-byte sequences C2 80 .. C3 BF are U+0080 .. U+00FF.
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size()) return false;
        const auto next = static_cast<unsigned char>(utf8[i + 1]);
        if ((next & 0xC0) != 0x80) return false;
        latin1 += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
        ++i;
    }
    return true;
}

std::string latin1_to_utf8(std::string_view latin1) {
    std::string utf8;
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

bool lcd_shows_text(const LcdPanel& lcd, const std::string& text, const LcdRegion& region) {
    // The text drawn on a scratch device of its own, so that the one under test is untouched.
    const auto scratch = std::make_unique<Device>();
    device_create(*scratch);
    text_draw_at(*scratch, 0, 0, Align::Left, text.c_str());
    const LcdPanel& drawn = scratch->lcd;
    int left = LCD_COLUMNS, right = -1, top = LCD_ROWS, bottom = -1;
    for (int y = 0; y < LCD_ROWS; ++y)
        for (int x = 0; x < LCD_COLUMNS; ++x)
            if (dot(drawn, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    device_destroy(*scratch);
    if (right < 0) return true; // only spaces: anything shows them
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    std::vector<bool> pattern(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pattern[static_cast<std::size_t>(y * width + x)] = dot(drawn, left + x, top + y);
    const int x0 = std::max(region.x, 0);
    const int y0 = std::max(region.y, 0);
    const int x1 = std::min(region.x + region.width, LCD_COLUMNS) - width;
    const int y1 = std::min(region.y + region.height, LCD_ROWS) - height;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (bool inverted : {false, true}) {
                bool same = true;
                for (int py = 0; py < height && same; ++py)
                    for (int px = 0; px < width && same; ++px)
                        same = (dot(lcd, x + px, y + py) != inverted) ==
                               pattern[static_cast<std::size_t>(py * width + px)];
                if (same) return true;
            }
    return false;
}

} // namespace ql
