#include "device/graphics/text.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/text_font.hpp"
#include <string_view>

namespace ql {

namespace {

// Letters whose shape leaves room on one side: the gap next to them is one column less.
constexpr std::string_view NARROW_AFTER = "&(/FLT\\_rt}";
constexpr std::string_view NARROW_BEFORE = "),/;JT\\_fjt{";

bool in_set(std::string_view set, std::uint8_t ch) {
    return ch != 0 && set.find(static_cast<char>(ch)) != std::string_view::npos;
}

// Copies at most the 127 characters a text may have, always terminated.
void copy_bounded(char* destination, const char* source) {
    std::size_t i = 0;
    for (; i + 1 < TEXT_SCRATCH_SIZE && source[i] != '\0'; ++i)
        destination[i] = source[i];
    destination[i] = '\0';
}

} // namespace

void text_render(Device& dev, const char* text, bool draw) {
    DrawCursor& cursor = dev.draw.cursor;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
    std::uint8_t previous = 0;
    for (std::size_t i = 0; bytes[i] != 0; ++i) {
        std::uint8_t ch = bytes[i];
        const std::uint8_t next = bytes[i + 1];
        Glyph glyph{};
        if (find_glyph(ch, glyph)) {
            if (draw) {
                // A raised glyph's upper band holds the accent above the cell.
                if (glyph.raised) cursor.y = static_cast<std::uint8_t>(cursor.y - 8);
                blit_xor(dev, glyph.width, glyph.height, glyph.bitmap);
                if (glyph.raised) cursor.y = static_cast<std::uint8_t>(cursor.y + 8);
            }
            cursor.x = static_cast<std::uint8_t>(cursor.x + glyph.width);
        } else {
            // A blank is two columns, three after the letters that lean right.
            cursor.x = static_cast<std::uint8_t>(cursor.x + 2);
            if (previous == 'f' || previous == 't' || previous == 'r') ++cursor.x;
            ch = previous; // the gap after a blank is the one its left neighbour would have
        }
        if (next != 0) {
            int gap = 2;
            if (in_set(NARROW_AFTER, ch)) gap -= 1;
            if (ch == 'f') gap -= 2;
            if (in_set(NARROW_BEFORE, next)) gap -= 1;
            cursor.x = static_cast<std::uint8_t>(cursor.x + gap);
        }
        cursor.x = static_cast<std::uint8_t>(cursor.x % 128);
        previous = bytes[i];
    }
}

void text_draw(Device& dev, const char* text) {
    text_render(dev, text, true);
}

std::uint8_t text_width(Device& dev, const char* text) {
    const std::uint8_t saved = dev.draw.cursor.x;
    dev.draw.cursor.x = 0;
    text_render(dev, text, false);
    const std::uint8_t width = dev.draw.cursor.x;
    dev.draw.cursor.x = saved;
    return width;
}

void text_draw_at(Device& dev, std::uint8_t x, std::uint8_t y, Align align, const char* text) {
    char local[TEXT_SCRATCH_SIZE];
    copy_bounded(local, text);
    const std::uint8_t w = text_width(dev, local);
    std::uint8_t start = x;
    // Byte arithmetic, like the device: (w - 1) / 2 truncates toward zero, so w = 0 starts at x.
    if (align == ALIGN_CENTRE) start = static_cast<std::uint8_t>(x - (w - 1) / 2);
    if (align == ALIGN_RIGHT) start = static_cast<std::uint8_t>(x + 1 - w);
    dev.draw.cursor.x = start;
    dev.draw.cursor.y = y;
    text_render(dev, local, true);
}

void text_copy(char* destination, const char* source) {
    std::size_t i = 0;
    for (; source[i] != '\0'; ++i)
        destination[i] = source[i];
    destination[i] = '\0';
}

char* text_scratch(Device& dev, const char* source) {
    copy_bounded(dev.text.scratch.data(), source);
    return dev.text.scratch.data();
}

} // namespace ql
