#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "support/picture.hpp"
#include "support/recording_sink.hpp"
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ql {
namespace {

using test::rows;

const DigitFont* const FONTS[] = {&DigitsSmall, &DigitsMedium, &DigitsLarge};
constexpr char CHARACTERS[] = "0123456789+-.:";

bool glyph_dot(const DigitFont& f, char ch, int x, int y) {
    return ((digit_glyph(f, ch)[(y / 8) * f.width + x] >> (y % 8)) & 1) != 0;
}

// First and last dark row and column of a glyph.
struct Extent {
    int left = 99, right = -1, top = 99, bottom = -1;
};
Extent extent(const DigitFont& f, char ch) {
    Extent e;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            if (glyph_dot(f, ch, x, y)) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

using test::Painted;
using test::RecordingSink;

TEST(DigitFonts, SmallZeroIsTheDevicesBitmap) {
    const std::array<std::uint8_t, 16> zero = {0xFC, 0xFE, 0x07, 0x03, 0x03, 0x07, 0xFE, 0xFC,
                                               0x03, 0x07, 0x0E, 0x0C, 0x0C, 0x0E, 0x07, 0x03};
    std::array<std::uint8_t, 16> drawn{};
    std::copy_n(digit_glyph(DigitsSmall, '0'), 16, drawn.begin());
    EXPECT_EQ(drawn, zero);
}

TEST(DigitFonts, GlyphsFollowEachOtherAtTheStride) {
    EXPECT_EQ(DigitsSmall.stride, 16);
    EXPECT_EQ(DigitsMedium.stride, 20);
    EXPECT_EQ(DigitsLarge.stride, 36);
    for (const DigitFont* f : FONTS) {
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(digit_glyph(*f, CHARACTERS[i]), f->glyphs + i * f->stride);
        EXPECT_EQ(digit_glyph(*f, ' '), nullptr);
        EXPECT_EQ(digit_glyph(*f, 'A'), nullptr);
        // The unused bits under the last row are clear, or they would be drawn.
        const int last_band = (f->height - 1) / 8;
        const auto spare = static_cast<std::uint8_t>(0xFF << (f->height - 8 * last_band));
        for (char ch : std::string(CHARACTERS))
            for (int x = 0; x < f->width; ++x)
                EXPECT_EQ(digit_glyph(*f, ch)[last_band * f->width + x] & spare, 0) << ch;
    }
}

TEST(DigitFonts, DigitsFillTheCellAndTheOneStandsRightOfCentre) {
    for (const DigitFont* f : FONTS) {
        for (char ch = '0'; ch <= '9'; ++ch) {
            const Extent e = extent(*f, ch);
            EXPECT_EQ(e.top, 0) << ch;
            EXPECT_EQ(e.bottom, f->height - 1) << ch;
            if (ch != '1') {
                EXPECT_GE(e.right - e.left, f->width - 2) << ch;
            }
        }
        // The foot of the "1" is its stroke alone.
        int sum = 0, n = 0;
        for (int x = 0; x < f->width; ++x)
            if (glyph_dot(*f, '1', x, f->height - 1)) sum += x, ++n;
        ASSERT_GT(n, 0);
        EXPECT_GT(2 * sum, n * (f->width - 1)) << "the stroke lies right of the centre";
    }
}

TEST(DigitFonts, SignsAreCentredVertically) {
    for (const DigitFont* f : FONTS)
        for (char ch : {'+', '-'}) {
            const Extent e = extent(*f, ch);
            EXPECT_EQ(e.top, f->height - 1 - e.bottom) << ch << " in " << int(f->width);
        }
}

TEST(DigitFonts, PointLandsRightAfterTheShift) {
    struct Case {
        const DigitFont* font;
        int dot_left;
        int dot_width, dot_height;
    };
    // Where the dot of a point drawn at column x lies, as columns after x.
    for (const Case c :
         {Case{&DigitsSmall, 0, 2, 2}, Case{&DigitsMedium, 1, 3, 3}, Case{&DigitsLarge, 0, 3, 4}}) {
        const DigitFont& f = *c.font;
        const Extent point = extent(f, '.');
        EXPECT_EQ(point.left - f.shift, c.dot_left);
        EXPECT_EQ(point.right - point.left + 1, c.dot_width);
        EXPECT_EQ(point.bottom - point.top + 1, c.dot_height);
        EXPECT_EQ(point.bottom, f.height - 1);
        EXPECT_EQ(f.dot_width, c.dot_width);
        const Extent colon = extent(f, ':');
        EXPECT_EQ(colon.left, point.left);
        EXPECT_EQ(colon.right, point.right);
        if (c.font != &DigitsSmall) {
            EXPECT_EQ(colon.top, f.height - 1 - colon.bottom) << "the colon is centred";
        }
    }
    for (int y = 0; y < 12; ++y)
        EXPECT_EQ(glyph_dot(DigitsSmall, ':', 6, y), y == 3 || y == 4 || y == 8 || y == 9) << y;
}

TEST(DigitsDraw, SmallTextWithAPoint) {
    Device dev;
    move_to(dev, 20, 5);
    digits_draw_small(dev, "12.5");
    EXPECT_EQ(dev.draw.cursor.x, 20 + 34);
    EXPECT_EQ(dev.draw.cursor.y, 5);
    EXPECT_EQ(frame_picture(dev.lcd, 20, 5, 34, 12), rows({
                                                         "....##......####........########..",
                                                         "...###.....######.......########..",
                                                         "..####....###..###......##........",
                                                         ".##.##....##....##......##........",
                                                         "....##..........##......######....",
                                                         "....##.........###......#######...",
                                                         "....##........###............###..",
                                                         "....##.......###..............##..",
                                                         "....##......###...............##..",
                                                         "....##.....###..........###..###..",
                                                         "....##....########..##...######...",
                                                         "....##....########..##....####....",
                                                     }));
}

TEST(DigitsDraw, EachFontAdvancesByItsPitch) {
    struct Case {
        void (*draw)(Device&, const char*);
        int advance, point_advance;
    };
    for (const Case c : {Case{digits_draw_small, 10, 4}, Case{digits_draw_medium, 12, 7},
                         Case{digits_draw_large, 14, 6}}) {
        Device dev;
        move_to(dev, 11, 8);
        c.draw(dev, "1 2:3.4");
        EXPECT_EQ(dev.draw.cursor.x, 11 + 5 * c.advance + 2 * c.point_advance);
        EXPECT_EQ(dev.draw.cursor.y, 8);
    }
}

TEST(DigitsDraw, ASpaceIsABlankCell) {
    Device with_blank, without;
    move_to(with_blank, 30, 20);
    digits_draw_large(with_blank, " 7");
    move_to(without, 44, 20);
    digits_draw_large(without, "7");
    EXPECT_EQ(with_blank.lcd.frame_memory, without.lcd.frame_memory);
}

TEST(DigitsDraw, APointNearTheLeftEdgeWrapsTheColumn) {
    Device dev;
    move_to(dev, 2, 0);
    digits_draw_small(dev, ".");
    EXPECT_EQ(dev.draw.cursor.x, 6) << "2 - 6 + 10, modulo 128";
}

// "12.5" drawn small at (20, 30); update() changes it with what the panel receives recorded.
class DigitsUpdateRecorded : public ::testing::Test {
  protected:
    void SetUp() override {
        move_to(dev, 20, 30);
        digits_draw_small(dev, shown);
        dev.lcd.sink = &sink;
    }
    void update(const char* next) {
        move_to(dev, 20, 30);
        digits_update_small(dev, shown, next);
    }
    Device dev;
    RecordingSink sink;
    char shown[5] = "12.5";
};

TEST_F(DigitsUpdateRecorded, EqualTextsDrawNothing) {
    update("12.5");
    EXPECT_TRUE(sink.painted.empty());
    EXPECT_STREQ(shown, "12.5");
}

TEST_F(DigitsUpdateRecorded, OnlyTheChangedCellIsRedrawn) {
    update("12.6");
    ASSERT_FALSE(sink.painted.empty());
    for (const Painted& p : sink.painted) {
        EXPECT_GE(p.column, 20 + 24);
        EXPECT_LE(p.column, 20 + 31);
    }
    EXPECT_STREQ(shown, "12.6");
    EXPECT_EQ(dev.draw.cursor.y, 30);

    Device fresh;
    move_to(fresh, 20, 30);
    digits_draw_small(fresh, "12.6");
    EXPECT_EQ(frame_picture(dev.lcd), frame_picture(fresh.lcd));
}

TEST(DigitsUpdate, ResultMatchesAFreshDrawing) {
    struct Case {
        const char* before;
        const char* after;
    };
    for (const Case c : {Case{"12:34", "12:45"}, Case{"-1.5", "+2.5"}, Case{" 9.9", "10.0"},
                         Case{"10.0", " 9.9"}, Case{"88:88", "  :  "}}) {
        for (bool large : {false, true}) {
            Device dev;
            move_to(dev, 15, 20);
            (large ? digits_draw_large : digits_draw_small)(dev, c.before);
            char shown[8];
            std::snprintf(shown, sizeof shown, "%s", c.before);
            move_to(dev, 15, 20);
            (large ? digits_update_large : digits_update_small)(dev, shown, c.after);
            EXPECT_STREQ(shown, c.after);

            Device fresh;
            move_to(fresh, 15, 20);
            (large ? digits_draw_large : digits_draw_small)(fresh, c.after);
            EXPECT_EQ(frame_picture(dev.lcd), frame_picture(fresh.lcd))
                << c.before << " -> " << c.after << (large ? " large" : " small");
        }
    }
}

TEST(DigitsUpdate, BlankCellsAreDrawnOverAsTheyAre) {
    Device dev;
    // Something in the blank first cell that no text put there: it is not erased.
    move_to(dev, 10, 10);
    draw_rect(dev, 1, 1, RECT_SET);
    move_to(dev, 20, 10);
    digits_draw_small(dev, "5");
    char shown[] = " 5";
    move_to(dev, 10, 10);
    digits_update_small(dev, shown, "45");
    EXPECT_EQ(frame_dot(dev.lcd, 10, 10), !glyph_dot(DigitsSmall, '4', 0, 0));
    EXPECT_TRUE(frame_dot(dev.lcd, 10, 10)) << "4 has no dot in its top-left corner";
}

TEST(DigitsUpdate, ASpaceErasesTheOldCellAndDrawsNothing) {
    Device dev;
    move_to(dev, 40, 16);
    digits_draw_large(dev, "45");
    char shown[] = "45";
    move_to(dev, 40, 16);
    digits_update_large(dev, shown, " 5");
    EXPECT_EQ(frame_picture(dev.lcd, 40, 16, 14, 17), frame_picture(Device{}.lcd, 40, 16, 14, 17));
    Device fresh;
    move_to(fresh, 54, 16);
    digits_draw_large(fresh, "5");
    EXPECT_EQ(dev.lcd.frame_memory, fresh.lcd.frame_memory);
}

} // namespace
} // namespace ql
