#include "device/graphics/text_font.hpp"
#include "resources/bitmap.hpp"
#include "resources/font/ascii_glyphs.hpp"
#include "resources/font/latin1_glyphs.hpp"
#include <array>
#include <string_view>

namespace ql {
namespace {

struct GlyphSlot {
    bool found;
    bool latin1;
    std::size_t index;
};

// The Latin-1 set runs on without gaps over the letters the five languages need, skipping the
// bytes the font leaves out.
struct Latin1Run {
    std::uint8_t first;
    std::uint8_t last;
    std::size_t index;
};
constexpr Latin1Run LATIN1_RUNS[] = {
    {0xBF, 0xCF, 0},  {0xD1, 0xD6, 17}, {0xD9, 0xDC, 23},
    {0xE0, 0xEF, 27}, {0xF1, 0xF6, 43}, {0xF9, 0xFC, 49},
};

constexpr GlyphSlot slot_of(std::uint8_t ch) {
    if (ch >= 0x21 && ch <= 0x7E) return {true, false, ch - 0x21u};
    for (const Latin1Run& run : LATIN1_RUNS)
        if (ch >= run.first && ch <= run.last) return {true, true, run.index + (ch - run.first)};
    return {false, false, 0};
}

constexpr std::size_t rows_of(const GlyphArt& g) {
    return g.form == GlyphForm::Cell ? 8 : 16;
}
constexpr std::size_t width_of(const GlyphArt& g) {
    return std::string_view(g.rows[0]).size();
}

template <std::size_t N> constexpr std::size_t glyph_bytes(const GlyphArt (&art)[N]) {
    std::size_t total = 0;
    for (const GlyphArt& g : art)
        total += bitmap_bytes(width_of(g), rows_of(g));
    return total;
}

template <std::size_t N, std::size_t Bytes> struct PackedSet {
    std::array<std::uint16_t, N + 1> index{};
    std::array<std::uint8_t, Bytes> bitmaps{};
};

// Packs the pictures one after the other into the bitmap block and writes the index. Evaluated
// while building, so a picture out of byte order, with the wrong number of rows or too big for
// the index stops the build.
template <std::size_t Bytes, std::size_t N>
consteval PackedSet<N, Bytes> pack_set(const GlyphArt (&art)[N], bool latin1) {
    PackedSet<N, Bytes> set;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const GlyphArt& g = art[i];
        const GlyphSlot slot = slot_of(g.code);
        if (!slot.found || slot.latin1 != latin1 || slot.index != i)
            throw "glyph pictures must follow the byte order of their set";
        const std::size_t height = rows_of(g);
        for (std::size_t row = 0; row < 16; ++row)
            if ((row < height) != (g.rows[row] != nullptr))
                throw "a glyph picture has 8 rows, or 16 when raised or descending";
        const std::size_t width = width_of(g);
        const std::size_t bytes = bitmap_bytes(width, height);
        // Widths are read back from the low bytes of neighbouring entries.
        if (width == 0 || bytes > 0xFF) throw "glyph too wide for the index";
        if (offset + bytes > Bytes || offset + bytes > GLYPH_OFFSET_MASK)
            throw "glyphs overflow the bitmap block";
        std::uint16_t entry = static_cast<std::uint16_t>(offset);
        if (g.form == GlyphForm::Raised) entry |= GLYPH_RAISED;
        if (g.form == GlyphForm::Descending) entry |= GLYPH_DESCENDING;
        set.index[i] = entry;
        pack_picture(g.rows, width, height, set.bitmaps.data() + offset);
        offset += bytes;
    }
    set.index[N] = static_cast<std::uint16_t>(offset);
    return set;
}

// The ASCII block has one spare zero byte after "~", outside every glyph, which keeps it the
// size of the device's own block; the index's end entry still marks where "~" ends.
constexpr auto ASCII = pack_set<glyph_bytes(ASCII_GLYPHS) + 1>(ASCII_GLYPHS, false);
constexpr auto LATIN1 = pack_set<glyph_bytes(LATIN1_GLYPHS)>(LATIN1_GLYPHS, true);

constexpr GlyphSet ASCII_SET{ASCII.index.data(), ASCII.index.size() - 1, ASCII.bitmaps.data(),
                             ASCII.bitmaps.size()};
constexpr GlyphSet LATIN1_SET{LATIN1.index.data(), LATIN1.index.size() - 1, LATIN1.bitmaps.data(),
                              LATIN1.bitmaps.size()};

} // namespace

const GlyphSet& ascii_glyph_set() {
    return ASCII_SET;
}
const GlyphSet& latin1_glyph_set() {
    return LATIN1_SET;
}

bool find_glyph(std::uint8_t ch, Glyph& out) {
    const GlyphSlot slot = slot_of(ch);
    if (!slot.found) return false;
    const GlyphSet& set = slot.latin1 ? LATIN1_SET : ASCII_SET;
    const std::uint16_t entry = set.index[slot.index];
    const std::uint16_t next = set.index[slot.index + 1];
    out.raised = (entry & GLYPH_RAISED) != 0;
    out.descending = (entry & GLYPH_DESCENDING) != 0;
    const bool tall = out.raised || out.descending;
    // Only the low bytes count: the flags of the next entry do not matter.
    const auto span = static_cast<std::uint8_t>((next & 0xFF) - (entry & 0xFF));
    out.width = tall ? static_cast<std::uint8_t>(span / 2) : span;
    out.height = tall ? 16 : 8;
    out.bitmap = set.bitmaps + (entry & GLYPH_OFFSET_MASK);
    return true;
}

} // namespace ql
