#pragma once
#include <cstddef>
#include <cstdint>

namespace ql {

// TextFont, the one proportional font of every word on the screens, is held in two glyph sets
// of the same format. The index has one 16-bit entry per glyph in byte order plus a final entry
// holding where the last glyph ends: bits 0-13 the glyph's offset in the bitmap block, bit 14 a
// raised glyph, bit 15 a descending one. A glyph's width is the difference of the low bytes of
// its entry and the next, halved for a 16-row glyph, so the index stores no widths.
struct GlyphSet {
    const std::uint16_t* index; // glyph_count + 1 entries
    std::size_t glyph_count;
    const std::uint8_t* bitmaps;
    std::size_t bitmap_bytes;
};

inline constexpr std::uint16_t GLYPH_OFFSET_MASK = 0x3FFF;
inline constexpr std::uint16_t GLYPH_RAISED = 0x4000;
inline constexpr std::uint16_t GLYPH_DESCENDING = 0x8000;

// "!" to "~", indexed by byte - 0x21.
const GlyphSet& ascii_glyph_set();
// The inverted question mark and the accented capitals and small letters, in byte order with
// no gaps for the bytes the font leaves out.
const GlyphSet& latin1_glyph_set();

struct Glyph {
    const std::uint8_t* bitmap;
    std::uint8_t width;
    std::uint8_t height; // 8, or 16 for a raised or descending glyph
    bool raised;         // drawn starting 8 rows above the cursor row
    bool descending;     // drawn starting at the cursor row, reaching into the line below
};

// Looks a Latin-1 byte up; false for bytes without a glyph (space, control bytes, 0x7F-0xBE,
// 0xD0, 0xD7, 0xD8, 0xDD-0xDF, 0xF0, 0xF7, 0xF8, 0xFD-0xFF), which text draws as blanks.
bool find_glyph(std::uint8_t ch, Glyph& out);

} // namespace ql
