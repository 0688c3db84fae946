#include "device/graphics/digits.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "resources/digits.hpp"

namespace ql {

const DigitFont DigitsSmall{8, 12, 16, 10, 6, 2, DIGITS_SMALL_GLYPHS.data()};
const DigitFont DigitsMedium{10, 14, 20, 12, 5, 3, DIGITS_MEDIUM_GLYPHS.data()};
const DigitFont DigitsLarge{12, 17, 36, 14, 8, 3, DIGITS_LARGE_GLYPHS.data()};

static_assert(DIGITS_SMALL_GLYPHS.size() == 14 * 16);
static_assert(DIGITS_MEDIUM_GLYPHS.size() == 14 * 20);
static_assert(DIGITS_LARGE_GLYPHS.size() == 14 * 36);

namespace {

int glyph_index(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    switch (ch) {
    case '+': return 10;
    case '-': return 11;
    case '.': return 12;
    case ':': return 13;
    default: return -1;
    }
}

void digits_update(Device& dev, const DigitFont& font, char* shown, const char* next) {
    DrawCursor& c = dev.draw.cursor;
    const std::uint8_t y = c.y;
    std::uint8_t column = c.x;
    for (std::size_t i = 0; next[i] != '\0'; ++i) {
        if (next[i] != shown[i]) {
            // A blank cell has nothing to erase, so it is drawn over as it is.
            if (shown[i] != ' ') {
                move_to(dev, column, y);
                draw_rect(dev, is_digit_separator(shown[i]) ? font.dot_width : font.width,
                          font.height, RECT_CLEAR);
            }
            move_to(dev, column, y);
            digits_draw_char(dev, font, next[i]);
        }
        column = static_cast<std::uint8_t>((column + digit_advance(font, next[i])) % 128);
        shown[i] = next[i];
    }
    move_to(dev, column, y);
}

} // namespace

const std::uint8_t* digit_glyph(const DigitFont& font, char ch) {
    const int index = glyph_index(ch);
    if (index < 0) return nullptr;
    return font.glyphs + index * font.stride;
}

std::uint8_t digit_advance(const DigitFont& font, char ch) {
    return is_digit_separator(ch) ? static_cast<std::uint8_t>(font.advance - font.shift)
                                  : font.advance;
}

void digits_draw_char(Device& dev, const DigitFont& font, char ch) {
    DrawCursor& c = dev.draw.cursor;
    if (is_digit_separator(ch)) c.x = static_cast<std::uint8_t>((c.x + 128 - font.shift) % 128);
    if (const std::uint8_t* glyph = digit_glyph(font, ch))
        blit_xor(dev, font.width, font.height, glyph);
    c.x = static_cast<std::uint8_t>((c.x + font.advance) % 128);
}

void digits_draw(Device& dev, const DigitFont& font, const char* text) {
    for (; *text != '\0'; ++text)
        digits_draw_char(dev, font, *text);
}

void digits_draw_small(Device& dev, const char* text) {
    digits_draw(dev, DigitsSmall, text);
}
void digits_draw_medium(Device& dev, const char* text) {
    digits_draw(dev, DigitsMedium, text);
}
void digits_draw_large(Device& dev, const char* text) {
    digits_draw(dev, DigitsLarge, text);
}

void digits_update_small(Device& dev, char* shown, const char* next) {
    digits_update(dev, DigitsSmall, shown, next);
}
void digits_update_large(Device& dev, char* shown, const char* next) {
    digits_update(dev, DigitsLarge, shown, next);
}

} // namespace ql
