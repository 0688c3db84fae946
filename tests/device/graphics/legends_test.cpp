#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/legends.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "device/settings/languages.hpp"
#include "support/picture.hpp"
#include <algorithm>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace ql {
namespace {

using test::rows;

constexpr std::uint8_t LANGUAGES[] = {LANG_ENGLISH, LANG_FRENCH, LANG_ITALIAN, LANG_SPANISH,
                                      LANG_GERMAN};
constexpr Legend MEANINGS[] = {Legend::Back, Legend::Set,   Legend::Edit, Legend::Clear,
                               Legend::Mode, Legend::Start, Legend::Stop, Legend::Yes,
                               Legend::No,   Legend::Ok,    Legend::Menu};
constexpr LegendSymbol SYMBOLS[] = {LegendSymbol::Up,    LegendSymbol::Down, LegendSymbol::Left,
                                    LegendSymbol::Right, LegendSymbol::Plus, LegendSymbol::Minus};

// The words of the legend table, meaning by meaning, in the language order above.
const char* const WORD_TABLE[][5] = {
    {"BACK", "PRECE", "INDT", "ATR", "ZRCK"}, {"SET", "REGLA", "IMP", "AJST", "EINST"},
    {"EDIT", "MODIF", "MOD", "MODF", "BEAR"}, {"CLR", "RAZ", "AZZ", "BORR", "LSCH"},
    {"MODE", "MODE", "MODO", "MODO", "MOD"},  {"STRT", "DEMAR", "STRT", "ACTV", "STRT"},
    {"STOP", "STOP", "STOP", "DTEN", "STOP"}, {"YES", "OUI", "SI", "SI", "JA"},
    {"NO", "NON", "NO", "NO", "NEIN"},        {"OK", "OK", "OK", "OK", "OK"},
    {"MENU", "MENU", "MENU", "MENU", "MENU"},
};

using LegendBytes = std::array<std::uint8_t, 21>;

LegendBytes bytes_of(const std::uint8_t* legend) {
    LegendBytes b{};
    std::copy_n(legend, b.size(), b.begin());
    return b;
}

bool dot(const std::uint8_t* legend, int x, int y) {
    return ((legend[(y / 8) * 7 + x] >> (y % 8)) & 1) != 0;
}

// Rows of the legend that hold no light dot, above and below what it shows.
std::pair<int, int> blank_rows_above_and_below(const std::uint8_t* legend) {
    auto row_empty = [&](int y) {
        for (int x = 0; x < 7; ++x)
            if (dot(legend, x, y)) return false;
        return true;
    };
    int above = 0;
    while (above < 24 && row_empty(above))
        ++above;
    int below = 0;
    while (below < 24 && row_empty(23 - below))
        ++below;
    return {above, below};
}

TEST(LegendSet, EnglishBackIsTheDevicesBitmap) {
    const LegendBytes back = {0x00, 0x24, 0xA8, 0x30, 0xA8, 0x24, 0x00, 0x00, 0x63, 0x64, 0x94,
                              0xF4, 0x93, 0x00, 0x00, 0x1C, 0x12, 0x1C, 0x12, 0x1C, 0x00};
    EXPECT_EQ(bytes_of(legend_word(Legend::Back, LANG_ENGLISH)), back);
}

TEST(LegendSet, SameWordSameBitmapAndDifferentWordsDiffer) {
    std::map<std::string, LegendBytes> seen;
    for (std::size_t m = 0; m < std::size(MEANINGS); ++m)
        for (std::size_t l = 0; l < std::size(LANGUAGES); ++l) {
            const std::uint8_t* legend = legend_word(MEANINGS[m], LANGUAGES[l]);
            ASSERT_NE(legend, nullptr);
            const std::string word = WORD_TABLE[m][l];
            const auto [it, inserted] = seen.emplace(word, bytes_of(legend));
            if (!inserted) {
                EXPECT_EQ(it->second, bytes_of(legend)) << word;
            }
        }
    EXPECT_EQ(seen.size(), 36u) << "one bitmap per distinct word";
    for (auto a = seen.begin(); a != seen.end(); ++a)
        for (auto b = std::next(a); b != seen.end(); ++b)
            EXPECT_NE(a->second, b->second) << a->first << " and " << b->first;
}

TEST(LegendSet, UnexpectedLanguageValuesShowEnglish) {
    for (std::uint8_t language :
         {std::uint8_t{0x00}, std::uint8_t{0x03}, std::uint8_t{0x20}, std::uint8_t{0xFF}})
        for (Legend meaning : MEANINGS)
            EXPECT_EQ(legend_word(meaning, language), legend_word(meaning, LANG_ENGLISH));
}

TEST(LegendSet, WordsKeepTheBarEdgesDarkAndSitCentred) {
    for (Legend meaning : MEANINGS)
        for (std::uint8_t language : LANGUAGES) {
            const std::uint8_t* legend = legend_word(meaning, language);
            for (int y = 0; y < 24; ++y) {
                EXPECT_FALSE(dot(legend, 0, y));
                EXPECT_FALSE(dot(legend, 6, y));
            }
            // Capitals are 5 dots high and every word is written in them.
            bool top = false, bottom = false;
            for (int y = 0; y < 24; ++y) {
                top = top || dot(legend, 1, y);
                bottom = bottom || dot(legend, 5, y);
            }
            EXPECT_TRUE(top && bottom);
            const auto [above, below] = blank_rows_above_and_below(legend);
            EXPECT_TRUE(below == above || below == above + 1)
                << "above " << above << ", below " << below;
        }
}

TEST(LegendSet, SymbolsAreDistinctCentredAndMirrored) {
    std::vector<LegendBytes> all;
    for (LegendSymbol s : SYMBOLS) {
        const std::uint8_t* legend = legend_symbol(s);
        ASSERT_NE(legend, nullptr);
        all.push_back(bytes_of(legend));
        const auto [above, below] = blank_rows_above_and_below(legend);
        EXPECT_LE(std::abs(above - below), 1);
    }
    for (std::size_t a = 0; a < all.size(); ++a)
        for (std::size_t b = a + 1; b < all.size(); ++b)
            EXPECT_NE(all[a], all[b]);

    const std::uint8_t* up = legend_symbol(LegendSymbol::Up);
    const std::uint8_t* down = legend_symbol(LegendSymbol::Down);
    const std::uint8_t* left = legend_symbol(LegendSymbol::Left);
    const std::uint8_t* right = legend_symbol(LegendSymbol::Right);
    const std::uint8_t* plus = legend_symbol(LegendSymbol::Plus);
    const std::uint8_t* minus = legend_symbol(LegendSymbol::Minus);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(dot(left, x, y), dot(right, 6 - x, y));
            EXPECT_EQ(dot(up, x, y), dot(down, x, 23 - y));
            EXPECT_EQ(dot(plus, x, y), dot(plus, 6 - x, y));
            if (dot(minus, x, y)) {
                EXPECT_TRUE(dot(plus, x, y)) << "the minus is the plus's bar";
            }
        }
}

TEST(SideBars, SolidWithADottedGapInRow32) {
    Device dev;
    draw_side_bars(dev);
    const std::string solid(11, '#');
    std::string bar;
    for (int y = 0; y < 64; ++y)
        bar += (y == 32 ? std::string("#.#.#.#.#.#") : solid) + '\n';
    EXPECT_EQ(frame_picture(dev.lcd, 0, 0, 11, 64), bar);
    EXPECT_EQ(frame_picture(dev.lcd, 117, 0, 11, 64), bar);
    EXPECT_EQ(frame_picture(dev.lcd, 11, 0, 106, 64), frame_picture(Device{}.lcd, 11, 0, 106, 64))
        << "the content area is left alone";
}

struct Painted {
    std::uint8_t column, page;
};

class AddressSink final : public PaintSink {
  public:
    void paint_byte(std::uint8_t column, std::uint8_t page, std::uint8_t) override {
        painted.push_back({column, page});
    }
    std::vector<Painted> painted;
};

TEST(SideBars, RightBarIsWrittenFirstOnEveryPage) {
    Device dev;
    AddressSink sink;
    dev.lcd.sink = &sink;
    draw_side_bars(dev);
    ASSERT_EQ(sink.painted.size(), 8u * 22u);
    for (std::size_t i = 0; i < sink.painted.size(); ++i) {
        const std::size_t page = i / 22, offset = i % 22;
        const std::size_t column = offset < 11 ? 117 + offset : offset - 11;
        EXPECT_EQ(sink.painted[i].page, page);
        EXPECT_EQ(sink.painted[i].column, column);
    }
}

TEST(LegendPositions, BackShowsLightOnTheUpperLeftBar) {
    Device dev;
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(Legend::Back, LANG_ENGLISH));
    EXPECT_EQ(frame_picture(dev.lcd, 0, 0, 11, 33),
              rows({
                  "###########", "###########", "###########", "###########", "###########",
                  "###########", "###.###.###", "####.#.####", "#####.#####", "###.....###",
                  "###########", "####.#.####", "###.###.###", "###.###.###", "####...####",
                  "###########", "#####...###", "###..#.####", "###..#.####", "#####...###",
                  "###########", "####.#.####", "###.#.#.###", "###.#.#.###", "###.....###",
                  "###########", "###########", "###########", "###########", "###########",
                  "###########", "###########", "#.#.#.#.#.#",
              }));
}

// Where each position puts a legend: the 7 x 24 area that a full legend lights.
struct Position {
    void (*draw)(Device&, const std::uint8_t*);
    int x, y;
};
constexpr Position POSITIONS[] = {
    {legend_top_left, 2, 4},
    {legend_bottom_left, 2, 36},
    {legend_bottom_right, 119, 36},
    {legend_top_right, 119, 4},
};

TEST(LegendPositions, EachLegendStaysInsideItsArea) {
    for (const Position& p : POSITIONS) {
        Device dev;
        p.draw(dev, legend_word(Legend::Start, LANG_FRENCH)); // DEMAR fills all 24 rows
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                if (frame_dot(dev.lcd, x, y)) {
                    EXPECT_TRUE(x >= p.x && x < p.x + 7 && y >= p.y && y < p.y + 24)
                        << "dot at " << x << "," << y;
                }
        bool top = false, bottom = false;
        for (int x = p.x; x < p.x + 7; ++x) {
            top = top || frame_dot(dev.lcd, x, p.y);
            bottom = bottom || frame_dot(dev.lcd, x, p.y + 23);
        }
        EXPECT_TRUE(top && bottom) << "the word reaches both ends of the area";
    }
}

TEST(LegendPositions, DrawingALegendTwiceLeavesTheBarSolid) {
    Device bars;
    draw_side_bars(bars);
    for (const Position& p : POSITIONS) {
        Device dev;
        draw_side_bars(dev);
        p.draw(dev, legend_symbol(LegendSymbol::Plus));
        EXPECT_NE(dev.lcd.frame_memory, bars.lcd.frame_memory);
        p.draw(dev, legend_symbol(LegendSymbol::Plus));
        EXPECT_EQ(dev.lcd.frame_memory, bars.lcd.frame_memory);
    }
}

TEST(LegendPositions, ErasersRestoreTheBarAndKeepTheDottedGap) {
    Device bars;
    draw_side_bars(bars);
    Device dev;
    draw_side_bars(dev);
    // A legend drawn over another leaves a muddle that only an eraser clears.
    legend_top_left(dev, legend_word(Legend::Back, LANG_GERMAN));
    legend_top_left(dev, legend_symbol(LegendSymbol::Left));
    legend_bottom_left(dev, legend_word(Legend::Set, LANG_FRENCH));
    legend_bottom_right(dev, legend_symbol(LegendSymbol::Minus));
    legend_top_right(dev, legend_symbol(LegendSymbol::Plus));
    legend_erase_top_left(dev);
    legend_erase_bottom_left(dev);
    legend_erase_bottom_right(dev);
    legend_top_right(dev, legend_symbol(LegendSymbol::Plus));
    EXPECT_EQ(frame_picture(dev.lcd), frame_picture(bars.lcd));
}

TEST(LegendPositions, ErasersMakeTheirRectangleSolidAndNothingElse) {
    struct Eraser {
        void (*erase)(Device&);
        int x, y;
    };
    for (const Eraser e :
         {Eraser{legend_erase_top_left, 1, 1}, Eraser{legend_erase_bottom_left, 1, 34},
          Eraser{legend_erase_bottom_right, 118, 34}}) {
        Device dev;
        e.erase(dev);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                EXPECT_EQ(frame_dot(dev.lcd, x, y),
                          x >= e.x && x < e.x + 9 && y >= e.y && y < e.y + 29)
                    << x << "," << y;
    }
}

} // namespace
} // namespace ql
