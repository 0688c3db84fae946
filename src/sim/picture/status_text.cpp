#include "sim/picture/status_text.hpp"
#include "resources/status_font.hpp"

namespace ql {

namespace {

const status_font::StatusGlyph* find_status_glyph(char ch) {
    for (const status_font::StatusGlyph& g : status_font::GLYPHS)
        if (g.ch == ch) return &g;
    return nullptr;
}

bool glyph_dot(const status_font::StatusGlyph& g, int x, int y) {
    return ((g.bits[(y / 8) * g.width + x] >> (y % 8)) & 1) != 0;
}

int advance(const status_font::StatusGlyph* g) {
    return g != nullptr ? g->width + 1 : status_font::SPACE_ADVANCE;
}

} // namespace

void draw_status_text(RgbImage& image, int x, int y, std::string_view text) {
    for (char ch : text) {
        const status_font::StatusGlyph* g = find_status_glyph(ch);
        if (g != nullptr)
            for (int row = 0; row < status_font::CELL_HEIGHT; ++row)
                for (int col = 0; col < g->width; ++col)
                    if (glyph_dot(*g, col, row)) image.set(x + col, y + row, STATUS_TEXT_COLOUR);
        x += advance(g);
    }
}

int status_text_width(std::string_view text) {
    int width = 0;
    for (char ch : text)
        width += advance(find_status_glyph(ch));
    return width;
}

} // namespace ql
