#pragma once
#include <cstdint>

namespace ql {

struct Device;

// A fixed-pitch digit font: 14 glyphs "0"-"9", "+", "-", ".", ":", each a whole cell stored
// `stride` bytes after the one before. The point and the colon are drawn `shift` columns left
// of the running column, so they take only advance - shift columns of the line.
struct DigitFont {
    std::uint8_t width;
    std::uint8_t height;
    std::uint8_t stride;
    std::uint8_t advance;
    std::uint8_t shift;
    std::uint8_t dot_width; // columns of the point's dot, cleared when a point is replaced
    const std::uint8_t* glyphs;
};

extern const DigitFont DigitsSmall;  // 8 x 12
extern const DigitFont DigitsMedium; // 10 x 14
extern const DigitFont DigitsLarge;  // 12 x 17

// The point and the colon: narrower than a digit cell, and never edited.
constexpr bool is_digit_separator(char ch) {
    return ch == '.' || ch == ':';
}

// The glyph of ch, or nullptr for a character the font does not have (a blank cell).
const std::uint8_t* digit_glyph(const DigitFont& font, char ch);
// Columns the running position moves for ch: the advance, less the shift for "." and ":".
std::uint8_t digit_advance(const DigitFont& font, char ch);

// Draw a numeric text from the cursor; x ends after the text. A space leaves its cell blank.
void digits_draw(Device& dev, const DigitFont& font, const char* text);
void digits_draw_char(Device& dev, const DigitFont& font, char ch);
void digits_draw_small(Device& dev, const char* text);
void digits_draw_medium(Device& dev, const char* text);
void digits_draw_large(Device& dev, const char* text);

// Bring the text on screen at the cursor from `shown` to `next`, redrawing only the cells that
// differ, and copy `next` into `shown`. `shown` must be at least as long as `next`, with its
// points and colons in the same places.
void digits_update_small(Device& dev, char* shown, const char* next);
void digits_update_large(Device& dev, char* shown, const char* next);

} // namespace ql
