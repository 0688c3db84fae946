#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/text.hpp"
#include "device/graphics/text_font.hpp"
#include "support/picture.hpp"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ql {
namespace {

using test::rows;

// A character of a Latin-1 string as the byte it is, for lookups and messages.
std::uint8_t byte(char c) {
    return static_cast<std::uint8_t>(c);
}

Glyph glyph_of(std::uint8_t ch) {
    Glyph g{};
    EXPECT_TRUE(find_glyph(ch, g)) << "no glyph for byte " << int{ch};
    return g;
}

std::vector<std::uint8_t> bytes_of(const Glyph& g) {
    return {g.bitmap, g.bitmap + g.width * (g.height / 8)};
}

// A glyph read back from its stored bitmap, addressed by row of the character cell: rows -8 to
// -1 are the band above the cell of a raised glyph, rows 8 to 15 the band below a descending one.
struct CellDots {
    int top = 0;
    std::vector<std::string> lines;

    explicit CellDots(std::uint8_t ch) {
        const Glyph g = glyph_of(ch);
        top = g.raised ? -8 : 0;
        for (int y = 0; y < g.height; ++y) {
            std::string line;
            for (int x = 0; x < g.width; ++x)
                line += (g.bitmap[(y / 8) * g.width + x] >> (y % 8)) & 1 ? '#' : '.';
            lines.push_back(line);
        }
    }
    int width() const { return static_cast<int>(lines.front().size()); }
    std::string row(int y) const {
        const int i = y - top;
        if (i < 0 || i >= static_cast<int>(lines.size()))
            return std::string(static_cast<std::size_t>(width()), '.');
        return lines[static_cast<std::size_t>(i)];
    }
    bool inked(int y) const { return row(y).find('#') != std::string::npos; }
    // The rows outside [first, last] hold no ink.
    bool only_in(int first, int last) const {
        for (int y = -8; y < 16; ++y)
            if ((y < first || y > last) && inked(y)) return false;
        return true;
    }
};

// The font as its table lists it.
const std::vector<std::pair<int, std::string>> WIDTHS = {
    {1, "'.il|"},
    {2, ",:[]j\xEC\xED"},
    {3, "!\"()-;Irz\xCC\xCD\xCE\xCF\xEE\xEF"},
    {4, "/?J\\`abcdefghknopqstuvxy\xBF\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xF1\xF2\xF3\xF4"
        "\xF5\xF6\xF9\xFA\xFB\xFC"},
    {5, "#$*+0123456789<=>BEFKLPRSXYZ^w{}~\xC8\xC9\xCA\xCB"},
    {6, "&ACDGHNUV_\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xD1\xD9\xDA\xDB\xDC"},
    {7, "MOQTWm\xD2\xD3\xD4\xD5\xD6\xE6"},
    {8, "@\xC6"},
    {9, "%"},
};
const std::string DESCENDING = "$(),/;@Q[\\]_gjpqy{|}\xC7\xE7";
const std::string RAISED =
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD6\xD9\xDA\xDB"
    "\xDC";

bool covered(int ch) {
    return (ch >= 0x21 && ch <= 0x7E) || (ch >= 0xBF && ch <= 0xCF) || (ch >= 0xD1 && ch <= 0xD6) ||
           (ch >= 0xD9 && ch <= 0xDC) || (ch >= 0xE0 && ch <= 0xEF) || (ch >= 0xF1 && ch <= 0xF6) ||
           (ch >= 0xF9 && ch <= 0xFC);
}

TEST(TextFontStorage, CapitalAIsStoredAsTheDeviceHasIt) {
    EXPECT_EQ(ascii_glyph_set().index['A' - 0x21], 0x00A8);
    const Glyph a = glyph_of('A');
    EXPECT_EQ(a.width, 6);
    EXPECT_EQ(a.height, 8);
    EXPECT_FALSE(a.raised);
    EXPECT_FALSE(a.descending);
    EXPECT_EQ(bytes_of(a), (std::vector<std::uint8_t>{0xE0, 0x38, 0x26, 0x26, 0x38, 0xE0}));
}

TEST(TextFontStorage, SmallGDescendsIntoTheBandBelow) {
    const std::uint16_t* index = ascii_glyph_set().index;
    EXPECT_EQ(index['g' - 0x21], 0x817D);
    EXPECT_EQ(index['h' - 0x21], 0x0185);
    const Glyph g = glyph_of('g');
    EXPECT_EQ(g.width, 4);
    EXPECT_EQ(g.height, 16);
    EXPECT_TRUE(g.descending);
    EXPECT_FALSE(g.raised);
    EXPECT_EQ(bytes_of(g),
              (std::vector<std::uint8_t>{0x70, 0x88, 0x88, 0xF8, 0x00, 0x02, 0x02, 0x01}));
}

TEST(TextFontStorage, CapitalEAcuteIsRaisedForItsAccent) {
    const std::uint16_t* index = latin1_glyph_set().index;
    EXPECT_EQ(index[0xC9 - 0xBF], 0x406A);
    EXPECT_EQ(index[0xCA - 0xBF], 0x4074);
    const Glyph e = glyph_of(0xC9);
    EXPECT_EQ(e.width, 5);
    EXPECT_EQ(e.height, 16);
    EXPECT_TRUE(e.raised);
    EXPECT_FALSE(e.descending);
    EXPECT_EQ(bytes_of(e), (std::vector<std::uint8_t>{0x00, 0x80, 0x40, 0x00, 0x00, 0xFE, 0x92,
                                                      0x92, 0x92, 0x82}));
}

TEST(TextFontStorage, RaisedGlyphDrawnEightRowsUpPutsItsAccentAboveTheCell) {
    Device dev;
    const Glyph e = glyph_of(0xC9);
    // Its cell starts at row 8, so it is drawn from row 0.
    move_to(dev, 10, 0);
    blit_xor(dev, e.width, e.height, e.bitmap);
    // The same glyph written as text at row 8 is drawn from row 0 the same way.
    Device text;
    text_draw_at(text, 10, 8, ALIGN_LEFT, "\xC9");
    EXPECT_EQ(frame_picture(dev.lcd, 10, 0, 5, 16), frame_picture(text.lcd, 10, 0, 5, 16));
    EXPECT_EQ(frame_picture(dev.lcd, 10, 6, 5, 1), "..#..\n") << "the accent at row 6";
    EXPECT_EQ(frame_picture(dev.lcd, 10, 9, 5, 1), "#####\n") << "the cell's top at row 9";
}

TEST(TextFontStorage, BlocksHoldTheirGlyphsBackToBack) {
    const GlyphSet& ascii = ascii_glyph_set();
    const GlyphSet& latin1 = latin1_glyph_set();
    EXPECT_EQ(ascii.glyph_count, 94u);
    EXPECT_EQ(latin1.glyph_count, 53u);
    EXPECT_EQ(ascii.bitmap_bytes, 501u);
    EXPECT_EQ(latin1.bitmap_bytes, 395u);

    // Each glyph's bytes end where the next glyph's begin, so no glyph reads another's.
    for (const GlyphSet* set : {&ascii, &latin1}) {
        EXPECT_EQ(set->index[0] & GLYPH_OFFSET_MASK, 0);
        for (std::size_t i = 0; i < set->glyph_count; ++i) {
            const std::uint16_t entry = set->index[i];
            const int bands = entry & (GLYPH_RAISED | GLYPH_DESCENDING) ? 2 : 1;
            const int width = static_cast<std::uint8_t>(set->index[i + 1] - entry) / bands;
            EXPECT_EQ((set->index[i + 1] & GLYPH_OFFSET_MASK) - (entry & GLYPH_OFFSET_MASK),
                      width * bands)
                << "glyph " << i;
        }
    }
    // The end entry of the ASCII set marks the end of "~"; the block's last byte is spare.
    EXPECT_EQ(ascii.index[94], 500);
    EXPECT_EQ(ascii.bitmaps[500], 0);
    EXPECT_EQ(latin1.index[53], 395);
}

TEST(TextFontStorage, LookupFollowsTheIndexOrderOfEachSet) {
    const auto stored_at = [](const GlyphSet& set, std::size_t i) {
        return set.bitmaps + (set.index[i] & GLYPH_OFFSET_MASK);
    };
    EXPECT_EQ(glyph_of('!').bitmap, stored_at(ascii_glyph_set(), 0));
    EXPECT_EQ(glyph_of('~').bitmap, stored_at(ascii_glyph_set(), 93));
    const std::pair<int, std::size_t> latin1[] = {{0xBF, 0},  {0xCF, 16}, {0xD1, 17}, {0xD6, 22},
                                                  {0xD9, 23}, {0xDC, 26}, {0xE0, 27}, {0xEF, 42},
                                                  {0xF1, 43}, {0xF6, 48}, {0xF9, 49}, {0xFC, 52}};
    for (const auto& [ch, i] : latin1)
        EXPECT_EQ(glyph_of(static_cast<std::uint8_t>(ch)).bitmap, stored_at(latin1_glyph_set(), i))
            << "byte " << ch;
}

TEST(TextFontCoverage, BytesWithoutAGlyphAreNotFound) {
    for (int ch = 0; ch < 256; ++ch) {
        Glyph g{};
        EXPECT_EQ(find_glyph(static_cast<std::uint8_t>(ch), g), covered(ch)) << "byte " << ch;
    }
    Glyph g{};
    EXPECT_FALSE(find_glyph(' ', g));
    EXPECT_FALSE(find_glyph(0xDF, g)); // sharp s
    EXPECT_FALSE(find_glyph(0xB0, g)); // degree sign
    EXPECT_FALSE(find_glyph(0xA1, g)); // inverted exclamation mark
}

TEST(TextFontCoverage, EveryGlyphHasTheWidthAndFlagsOfTheTable) {
    int listed = 0;
    for (const auto& [width, chars] : WIDTHS) {
        for (const char c : chars) {
            const std::uint8_t ch = byte(c);
            const Glyph g = glyph_of(ch);
            const bool descending = DESCENDING.find(c) != std::string::npos;
            const bool raised = RAISED.find(c) != std::string::npos;
            EXPECT_EQ(g.width, width) << "byte " << int{ch};
            EXPECT_EQ(g.descending, descending) << "byte " << int{ch};
            EXPECT_EQ(g.raised, raised) << "byte " << int{ch};
            EXPECT_EQ(g.height, descending || raised ? 16 : 8) << "byte " << int{ch};
            ++listed;
        }
    }
    EXPECT_EQ(listed, 94 + 53);
}

// Capitals and digits stand in rows 1-7; row 0 stays clear so that lines never touch.
TEST(TextFontMetrics, CapitalsAndDigitsFillRowsOneToSeven) {
    const std::string tall = "ABCDEFGHIJKLMNOPRSTUVWXYZ0123456789\xC6";
    for (const char c : tall) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.only_in(1, 7)) << c;
        EXPECT_TRUE(d.inked(1) && d.inked(7)) << c;
    }
    const CellDots q('Q');
    EXPECT_TRUE(q.only_in(1, 9));
    EXPECT_TRUE(q.inked(1) && q.inked(7) && q.inked(8));
}

TEST(TextFontMetrics, SmallLettersShareTheXHeightAndBaseline) {
    for (const char c : std::string("acemnorsuvwxz\xE6")) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.only_in(3, 7)) << c;
        EXPECT_TRUE(d.inked(3) && d.inked(7)) << c;
    }
    for (const char c : std::string("bdfhkl")) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.only_in(1, 7)) << c;
        EXPECT_TRUE(d.inked(1) && d.inked(7)) << c;
    }
    const CellDots t('t');
    EXPECT_TRUE(t.only_in(1, 7) && t.inked(7));
    EXPECT_TRUE(t.inked(1) || t.inked(2));
    EXPECT_TRUE(CellDots('i').only_in(1, 7));
}

TEST(TextFontMetrics, PunctuationSitsOnTheBaseline) {
    EXPECT_TRUE(CellDots('.').only_in(7, 7));
    for (const char c : std::string(",;")) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.inked(7) && d.only_in(0, 9)) << c;
    }
    for (const char c : std::string(":!?")) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.inked(7) && !d.inked(6) && d.only_in(0, 7)) << c;
    }
}

TEST(TextFontMetrics, DescendersReachTwoRowsBelowTheBaseline) {
    for (const char c : std::string("gjpqy")) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.only_in(1, 9)) << c;
        EXPECT_TRUE(d.inked(7) && d.inked(9)) << c;
    }
    // No descending glyph reaches further than two rows into the line below.
    for (const char c : DESCENDING)
        EXPECT_TRUE(CellDots(byte(c)).only_in(-8, 9)) << int{byte(c)};
    const CellDots underline('_');
    EXPECT_TRUE(underline.only_in(8, 8));
    EXPECT_EQ(underline.row(8), "######");
}

TEST(TextFontMetrics, AccentsOfCapitalsTakeTheTwoRowsAboveTheCell) {
    for (const char c : RAISED) {
        const CellDots d(byte(c));
        EXPECT_TRUE(d.only_in(-2, 7)) << int{byte(c)};
        EXPECT_TRUE(d.inked(-1) && !d.inked(0)) << int{byte(c)};
    }
}

enum class Accent { Grave, Acute, Circumflex, Tilde, Diaeresis, Ring };

struct Accented {
    int ch;
    char base;
    Accent accent;
};

const Accented ACCENTED[] = {
    {0xC0, 'A', Accent::Grave},      {0xC1, 'A', Accent::Acute},
    {0xC2, 'A', Accent::Circumflex}, {0xC3, 'A', Accent::Tilde},
    {0xC4, 'A', Accent::Diaeresis},  {0xC5, 'A', Accent::Ring},
    {0xC8, 'E', Accent::Grave},      {0xC9, 'E', Accent::Acute},
    {0xCA, 'E', Accent::Circumflex}, {0xCB, 'E', Accent::Diaeresis},
    {0xCC, 'I', Accent::Grave},      {0xCD, 'I', Accent::Acute},
    {0xCE, 'I', Accent::Circumflex}, {0xCF, 'I', Accent::Diaeresis},
    {0xD1, 'N', Accent::Tilde},      {0xD2, 'O', Accent::Grave},
    {0xD3, 'O', Accent::Acute},      {0xD4, 'O', Accent::Circumflex},
    {0xD5, 'O', Accent::Tilde},      {0xD6, 'O', Accent::Diaeresis},
    {0xD9, 'U', Accent::Grave},      {0xDA, 'U', Accent::Acute},
    {0xDB, 'U', Accent::Circumflex}, {0xDC, 'U', Accent::Diaeresis},
    {0xE0, 'a', Accent::Grave},      {0xE1, 'a', Accent::Acute},
    {0xE2, 'a', Accent::Circumflex}, {0xE3, 'a', Accent::Tilde},
    {0xE4, 'a', Accent::Diaeresis},  {0xE5, 'a', Accent::Ring},
    {0xE8, 'e', Accent::Grave},      {0xE9, 'e', Accent::Acute},
    {0xEA, 'e', Accent::Circumflex}, {0xEB, 'e', Accent::Diaeresis},
    {0xEC, 'i', Accent::Grave},      {0xED, 'i', Accent::Acute},
    {0xEE, 'i', Accent::Circumflex}, {0xEF, 'i', Accent::Diaeresis},
    {0xF1, 'n', Accent::Tilde},      {0xF2, 'o', Accent::Grave},
    {0xF3, 'o', Accent::Acute},      {0xF4, 'o', Accent::Circumflex},
    {0xF5, 'o', Accent::Tilde},      {0xF6, 'o', Accent::Diaeresis},
    {0xF9, 'u', Accent::Grave},      {0xFA, 'u', Accent::Acute},
    {0xFB, 'u', Accent::Circumflex}, {0xFC, 'u', Accent::Diaeresis},
};

// The two rows that hold the accent: above the cell of a capital, at its top for a small letter.
int accent_row(const CellDots& d) {
    return d.top < 0 ? -2 : 0;
}

// The accent's dots in its two rows, cut to the columns that hold ink.
std::vector<std::string> mark_of(const CellDots& d) {
    const int y = accent_row(d);
    const std::string a = d.row(y), b = d.row(y + 1);
    std::size_t first = d.lines.front().size(), last = 0;
    for (std::size_t x = 0; x < a.size(); ++x)
        if (a[x] == '#' || b[x] == '#') {
            first = std::min(first, x);
            last = x;
        }
    if (first > last) return {};
    return {a.substr(first, last - first + 1), b.substr(first, last - first + 1)};
}

// Clear columns to the left and to the right of the accent.
std::pair<int, int> margins_of(const CellDots& d) {
    const int y = accent_row(d);
    const std::string both = d.row(y) + "|" + d.row(y + 1);
    const int w = d.width();
    int left = w, right = w;
    for (int x = 0; x < w; ++x)
        if (both[static_cast<std::size_t>(x)] == '#' ||
            both[static_cast<std::size_t>(w + 1 + x)] == '#') {
            left = std::min(left, x);
            right = w - 1 - x;
        }
    return {left, right};
}

TEST(TextFontAccents, AccentedLettersKeepTheirBaseLetterUnchanged) {
    for (const Accented& a : ACCENTED) {
        const CellDots d(static_cast<std::uint8_t>(a.ch));
        const CellDots base(static_cast<std::uint8_t>(a.base));
        // A small letter keeps the rows below its accent; the dot of "i" gives way to the accent.
        const int first = d.top < 0 ? 0 : 2;
        bool found = false;
        for (int at = 0; at + base.width() <= d.width() && !found; ++at) {
            bool same = true;
            for (int y = first; y < 10; ++y) {
                const std::string expected =
                    std::string(static_cast<std::size_t>(at), '.') + base.row(y) +
                    std::string(static_cast<std::size_t>(d.width() - base.width() - at), '.');
                same = same && d.row(y) == expected;
            }
            found = same;
        }
        EXPECT_TRUE(found) << "byte " << a.ch << " does not hold " << a.base;
        EXPECT_TRUE(d.inked(accent_row(d)) || d.inked(accent_row(d) + 1)) << "byte " << a.ch;
    }
    // The cedilla hangs below an unchanged "C" and "c".
    for (const auto& [ch, base] : {std::pair<int, char>{0xC7, 'C'}, {0xE7, 'c'}}) {
        const CellDots d(static_cast<std::uint8_t>(ch));
        const CellDots plain(static_cast<std::uint8_t>(base));
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(d.row(y), plain.row(y)) << "byte " << ch << " row " << y;
        EXPECT_TRUE(d.only_in(1, 9) && d.inked(8) && d.inked(9)) << "byte " << ch;
    }
}

TEST(TextFontAccents, SmallLettersCarryTheirAccentInTheTopTwoRows) {
    for (const Accented& a : ACCENTED) {
        const CellDots d(static_cast<std::uint8_t>(a.ch));
        if (d.top < 0) continue;
        EXPECT_TRUE(d.only_in(0, 7)) << "byte " << a.ch;
        EXPECT_FALSE(d.inked(2)) << "byte " << a.ch;
    }
}

TEST(TextFontAccents, EachAccentHasOneDesignOverEveryLetter) {
    const std::vector<std::string> acute = mark_of(CellDots(0xC9));
    ASSERT_EQ(acute, (std::vector<std::string>{".#", "#."}));
    const std::vector<std::string> grave = {"#.", ".#"};
    const std::vector<std::string> tilde = mark_of(CellDots(0xF1));
    const std::vector<std::string> ring = mark_of(CellDots(0xE5));
    // A roof has a point over an odd width and a flat top of two dots over an even one.
    const std::vector<std::string> roofs[] = {{".#.", "#.#"}, {".##.", "#..#"}};

    for (const Accented& a : ACCENTED) {
        const CellDots d(static_cast<std::uint8_t>(a.ch));
        const std::vector<std::string> mark = mark_of(d);
        switch (a.accent) {
        case Accent::Acute: EXPECT_EQ(mark, acute) << "byte " << a.ch; break;
        case Accent::Grave: EXPECT_EQ(mark, grave) << "byte " << a.ch; break;
        case Accent::Tilde: EXPECT_EQ(mark, tilde) << "byte " << a.ch; break;
        case Accent::Ring: EXPECT_EQ(mark, ring) << "byte " << a.ch; break;
        case Accent::Circumflex:
            EXPECT_EQ(mark, roofs[d.width() % 2 == 0 ? 1 : 0]) << "byte " << a.ch;
            break;
        case Accent::Diaeresis:
            // Two single dots side by side in the row nearest the letter.
            ASSERT_EQ(mark.size(), 2u) << "byte " << a.ch;
            EXPECT_EQ(mark[0].find('#'), std::string::npos) << "byte " << a.ch;
            EXPECT_EQ(std::count(mark[1].begin(), mark[1].end(), '#'), 2) << "byte " << a.ch;
            EXPECT_GE(mark[1].size(), 3u) << "byte " << a.ch;
            break;
        }
        // Every accent stands over the middle of its letter.
        const auto [left, right] = margins_of(d);
        EXPECT_LE(std::abs(left - right), 1) << "byte " << a.ch;
    }
}

} // namespace
} // namespace ql
