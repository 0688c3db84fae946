#pragma once
#include <cstdint>

namespace ql {

// Where a glyph of the text font sits on the 8-row character cell of its line.
enum class GlyphForm : std::uint8_t {
    Cell,       // 8 rows: the cell itself
    Raised,     // 16 rows: the band above the cell, for the accent of a capital, then the cell
    Descending, // 16 rows: the cell, then the band below it for the descender
};

// One glyph of the text font as a picture, '#' a dark dot and '.' a clear one, every row as wide
// as the glyph: 8 rows for a glyph in its cell, 16 for a raised or descending one. The pictures
// are packed into the font's storage when the program is built.
struct GlyphArt {
    std::uint8_t code; // the Latin-1 byte the glyph draws
    GlyphForm form;
    const char* rows[16];
};

} // namespace ql
