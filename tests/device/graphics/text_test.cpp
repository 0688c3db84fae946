#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/text.hpp"
#include "device/graphics/text_font.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "support/picture.hpp"
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <string>

namespace ql {
namespace {

using test::rows;

// Columns [first, last] that hold any dark dot in rows y..y+h-1, or {-1, -1}.
std::pair<int, int> ink_columns(const Device& dev, int y, int h) {
    int first = -1, last = -1;
    for (int x = 0; x < 128; ++x)
        for (int row = y; row < y + h; ++row)
            if (frame_dot(dev.lcd, x, row)) {
                if (first < 0) first = x;
                last = x;
            }
    return {first, last};
}

TEST(TextWidth, SpacingAndKerningRules) {
    Device dev;
    const struct {
        const char* text;
        int width;
    } cases[] = {
        {"A", 6},    {"AB", 13},  {"OK", 14},  {"100", 19}, {"ff", 7},
        {"a b", 14}, {"f b", 11}, {"t b", 13}, {"x ", 8},   {" x", 8},
        {"", 0},     {"  ", 6},   {"Ta", 12},  {"LT", 12},  {"a,", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text_width(dev, c.text), c.width) << '"' << c.text << '"';
}

TEST(TextWidth, LeavesTheCursorWhereItWas) {
    Device dev;
    move_to(dev, 33, 21);
    EXPECT_EQ(text_width(dev, "Hallo"), text_width(dev, "Hallo"));
    EXPECT_EQ(dev.draw.cursor.x, 33);
    EXPECT_EQ(dev.draw.cursor.y, 21);
}

TEST(TextWidth, UncoveredBytesAreTwoColumnBlanks) {
    Device dev;
    for (const char* blank : {"\xDF", "\xB0", "\xA1", "\x7F", "\x01", "\xF0", "\xFF"})
        EXPECT_EQ(text_width(dev, blank), 2) << int(static_cast<unsigned char>(blank[0]));
    EXPECT_EQ(text_width(dev, "a\xDF"
                              "b"),
              text_width(dev, "a b"));
    move_to(dev, 0, 0);
    text_draw(dev, "\xDF\xB0\xA1");
    EXPECT_EQ(frame_picture(dev.lcd), frame_picture(Device{}.lcd)) << "blanks draw nothing";
}

TEST(TextDraw, GlyphsLandAtTheCursorAndTheCursorMovesOn) {
    Device dev;
    move_to(dev, 3, 10);
    text_draw(dev, "A");
    EXPECT_EQ(dev.draw.cursor.x, 9);
    EXPECT_EQ(dev.draw.cursor.y, 10);
    EXPECT_EQ(frame_picture(dev.lcd, 3, 10, 6, 8), rows({
                                                       "......",
                                                       "..##..",
                                                       "..##..",
                                                       ".#..#.",
                                                       ".#..#.",
                                                       "######",
                                                       "#....#",
                                                       "#....#",
                                                   }));
}

TEST(TextDraw, DrawingTheSameTextTwiceErasesIt) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 60, 20, RECT_SET);
    const std::string before = frame_picture(dev.lcd);
    for (int i = 0; i < 2; ++i)
        text_draw_at(dev, 5, 5, ALIGN_LEFT, "Qg\xC9t\xE9");
    EXPECT_EQ(frame_picture(dev.lcd), before);
}

TEST(TextDraw, RaisedCapitalAtTheTopRowWrapsItsAccentIntoPageSeven) {
    Device dev;
    text_draw_at(dev, 10, 0, ALIGN_LEFT, "\xC9");
    EXPECT_EQ(frame_byte(dev.lcd, 11, 7), 0x80) << "accent row 63";
    EXPECT_EQ(frame_byte(dev.lcd, 12, 7), 0x40) << "accent row 62";
    EXPECT_EQ(frame_byte(dev.lcd, 10, 0), 0xFE);
    EXPECT_EQ(dev.draw.cursor.y, 0) << "the cursor row is restored";
}

TEST(TextDraw, RaisedCapitalKeepsItsAccentAboveTheCell) {
    Device dev;
    text_draw_at(dev, 10, 20, ALIGN_LEFT, "\xC9");
    EXPECT_EQ(frame_picture(dev.lcd, 10, 18, 5, 10), rows({
                                                         "..#..",
                                                         ".#...",
                                                         ".....",
                                                         "#####",
                                                         "#....",
                                                         "#....",
                                                         "####.",
                                                         "#....",
                                                         "#....",
                                                         "#####",
                                                     }));
}

TEST(TextDrawAt, AlignmentNamesTheMiddleOrTheLastColumn) {
    Device centred;
    text_draw_at(centred, 64, 8, ALIGN_CENTRE, "OK");
    EXPECT_EQ(ink_columns(centred, 8, 8), std::make_pair(58, 71));
    EXPECT_EQ(centred.draw.cursor.x, 72);
    Device right;
    text_draw_at(right, 127, 8, ALIGN_RIGHT, "OK");
    EXPECT_EQ(ink_columns(right, 8, 8), std::make_pair(114, 127));
    Device odd;
    text_draw_at(odd, 64, 8, static_cast<Align>(7),
                 "OK"); // an unknown alignment draws left-aligned
    EXPECT_EQ(ink_columns(odd, 8, 8).first, 64);
}

TEST(TextDrawAt, EmptyAndOneColumnTextsCentreOnX) {
    Device dev;
    text_draw_at(dev, 40, 8, ALIGN_CENTRE, "i");
    EXPECT_EQ(ink_columns(dev, 8, 8), std::make_pair(40, 40));
    text_draw_at(dev, 90, 8, ALIGN_CENTRE, "");
    EXPECT_EQ(dev.draw.cursor.x, 90);
}

TEST(TextDrawAt, OverlongTextIsCutAt127CharactersAndWraps) {
    Device dev;
    const std::string long_text(300, 'l');
    text_draw_at(dev, 0, 0, ALIGN_LEFT, long_text.c_str());
    // 127 one-column letters with a 2-column gap: x wraps modulo 128 on the way.
    EXPECT_EQ(dev.draw.cursor.x, (127 * 3 - 2) % 128);
    EXPECT_STREQ(text_scratch(dev, long_text.c_str()), long_text.substr(0, 127).c_str());
}

TEST(TextCopy, CopiesWithTheTerminator) {
    char buf[8] = "xxxxxxx";
    text_copy(buf, "km");
    EXPECT_STREQ(buf, "km");
    EXPECT_EQ(buf[3], 'x');
    Device dev;
    EXPECT_STREQ(text_scratch(dev, "ora"), "ora");
    EXPECT_EQ(text_scratch(dev, "x"), dev.text.scratch.data());
}

// Every word the screens show in the five languages must use letters the font has; set
// QL730_SHOW_TEXT=1 to print the samples as pictures.
TEST(TextSamples, EveryLanguageUsesOnlyCoveredLetters) {
    const char* samples[] = {
        "Distance Speed Fuel",
        "Settings Clock max. kph",
        "Vitesse Carburant",
        "R\xE9glage Pr\xE9\x63\xE9\x64\x65nt",
        "Distanza Velocit\xE0",
        "Impostazioni litri",
        "Velocidad m\xE1x. k/h",
        "\xBF"
        "Borrar? A\xF1o",
        "Entfernung km/h i.D.",
        "\xC4nderung \xDC"
        "ber Men\xFC",
        "\xC0 \xC9 \xC8 \xCA \xD1 \xD6 \xDC \xC7 \xE7",
    };
    Device dev;
    for (const char* sample : samples) {
        for (const char* p = sample; *p != '\0'; ++p) {
            Glyph g{};
            if (*p != ' ') {
                EXPECT_TRUE(find_glyph(static_cast<std::uint8_t>(*p), g)) << sample;
            }
        }
        if (std::getenv("QL730_SHOW_TEXT") != nullptr) {
            Device show;
            text_draw_at(show, 0, 2, ALIGN_LEFT, sample);
            std::cout << frame_picture(show.lcd, 0, 0, 128, 12) << '\n';
        }
    }
}

} // namespace
} // namespace ql
