#include "device/ui/number_editor.hpp"
#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/settings/settings.hpp"

namespace ql {
namespace {

struct EditorFontPlace {
    const DigitFont& font;
    // The highlight: a rectangle around the cell, from (x - left, y - up).
    std::uint8_t width;
    std::uint8_t height;
    std::uint8_t left;
    std::uint8_t up;
};

const EditorFontPlace& editor_font(EditorSize size) {
    static constexpr EditorFontPlace small{DigitsSmall, 10, 16, 1, 2};
    static constexpr EditorFontPlace medium{DigitsMedium, 12, 20, 1, 3};
    static constexpr EditorFontPlace large{DigitsLarge, 15, 23, 2, 3};
    if (size == NUMEDIT_MEDIUM) return medium;
    if (size == NUMEDIT_LARGE) return large;
    return small;
}

void move_to_highlight(Device& dev) {
    const NumberEditor& e = dev.ui.editor;
    const EditorFontPlace& f = editor_font(e.size);
    move_to(dev, static_cast<std::uint8_t>(e.x - f.left), static_cast<std::uint8_t>(e.y - f.up));
}

void toggle_highlight(Device& dev) {
    const EditorFontPlace& f = editor_font(dev.ui.editor.size);
    move_to_highlight(dev);
    draw_rect(dev, f.width, f.height, RECT_INVERT);
}

// Index of the next editable character after pos, or -1. A point or colon is stepped over; one
// that ends the text leaves nothing to move to.
int next_index(const NumberEditor& e) {
    if (e.text[e.pos] == '\0') return -1;
    int i = e.pos + 1;
    if (is_digit_separator(e.text[i])) ++i;
    return e.text[i] == '\0' ? -1 : i;
}

int prev_index(const NumberEditor& e) {
    int i = e.pos - 1;
    if (i >= 0 && is_digit_separator(e.text[i])) --i;
    return i;
}

void draw_left_legends(Device& dev) {
    const NumberEditor& e = dev.ui.editor;
    const std::uint8_t language = get_language(dev);
    legend_erase_top_left(dev);
    legend_top_left(dev, e.pos > 0 ? legend_symbol(LegendSymbol::Left)
                                   : legend_word(Legend::Back, language));
    legend_erase_bottom_left(dev);
    legend_bottom_left(dev, next_index(e) >= 0 ? legend_symbol(LegendSymbol::Right)
                                               : legend_word(Legend::Set, language));
}

// Moves the highlight to `index`, the cell x changing by the advances of the characters
// passed over.
void move_highlight(Device& dev, int index) {
    NumberEditor& e = dev.ui.editor;
    toggle_highlight(dev);
    const auto advance_of = [&e](int i) {
        return is_digit_separator(e.text[i]) ? e.dot_advance : e.advance;
    };
    // One of the two loops runs: forward over the cells passed, or back over them.
    for (int i = e.pos; i < index; ++i)
        e.x = static_cast<std::uint8_t>(e.x + advance_of(i));
    for (int i = index; i < e.pos; ++i)
        e.x = static_cast<std::uint8_t>(e.x - advance_of(i));
    e.pos = static_cast<std::uint8_t>(index);
    toggle_highlight(dev);
    draw_left_legends(dev);
}

char stepped(char ch, bool up) {
    if (ch == '+') return '-';
    if (ch == '-') return '+';
    if (ch < '0' || ch > '9') return ch;
    if (up) return ch == '9' ? '0' : static_cast<char>(ch + 1);
    return ch == '0' ? '9' : static_cast<char>(ch - 1);
}

void step(Device& dev, bool up) {
    NumberEditor& e = dev.ui.editor;
    if (e.text == nullptr) return;
    const char before = e.text[e.pos];
    const char after = stepped(before, up);
    if (after == before) return;
    e.text[e.pos] = after;
    // A solid cell with the new character cut out of it: the highlight stays on.
    const EditorFontPlace& f = editor_font(e.size);
    move_to_highlight(dev);
    draw_rect(dev, f.width, f.height, RECT_SET);
    move_to(dev, e.x, e.y);
    digits_draw_char(dev, f.font, after);
}

} // namespace

void numedit_open(Device& dev, EditorSize size, std::uint8_t x, std::uint8_t y, char* text) {
    draw_side_bars(dev);
    legend_bottom_right(dev, legend_symbol(LegendSymbol::Minus));
    legend_top_right(dev, legend_symbol(LegendSymbol::Plus));
    NumberEditor& e = dev.ui.editor;
    e.size = size;
    e.x = x;
    e.y = y;
    e.text = text;
    e.pos = 0;
    draw_left_legends(dev);
    const DigitFont& font = editor_font(size).font;
    move_to(dev, x, y);
    digits_draw(dev, font, text);
    e.advance = font.advance;
    e.dot_advance = digit_advance(font, '.');
    toggle_highlight(dev);
}

bool numedit_next(Device& dev) {
    const NumberEditor& e = dev.ui.editor;
    if (e.text == nullptr) return false;
    const int index = next_index(e);
    if (index < 0) return false;
    move_highlight(dev, index);
    return true;
}

bool numedit_prev(Device& dev) {
    const NumberEditor& e = dev.ui.editor;
    if (e.text == nullptr) return false;
    const int index = prev_index(e);
    if (index < 0) return false;
    move_highlight(dev, index);
    return true;
}

void numedit_increment(Device& dev) {
    step(dev, true);
}
void numedit_decrement(Device& dev) {
    step(dev, false);
}

std::uint8_t numedit_position(const Device& dev) {
    return dev.ui.editor.pos;
}

void numedit_value(const Device& dev, std::int32_t& out) {
    // Room for a sign and ten digits, all a 32-bit value can hold.
    char digits[12] = {};
    std::size_t n = 0;
    const char* text = dev.ui.editor.text;
    for (; text != nullptr && *text != '\0' && n < sizeof digits - 1; ++text)
        if (!is_digit_separator(*text) && *text != ' ') digits[n++] = *text;
    parse_decimal(digits, out);
}

} // namespace ql
