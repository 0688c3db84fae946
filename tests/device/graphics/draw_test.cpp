#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "resources/bitmap.hpp"
#include "support/picture.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

using test::rows;

constexpr const char* ARROW_ROWS[] = {
    "..#..", ".###.", "#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", "#####",
};
constexpr auto ARROW = picture<5, 10>(ARROW_ROWS);

// The arrow as frame_picture shows it.
std::string arrow_picture() {
    std::string out;
    for (const char* row : ARROW_ROWS)
        out += std::string(row) + '\n';
    return out;
}

std::string whole_panel(const Device& dev) {
    return frame_picture(dev.lcd);
}

TEST(BitmapPicture, PacksBandsOfEightRowsBitZeroOnTop) {
    static_assert(ARROW.width == 5 && ARROW.height == 10);
    static_assert(ARROW.bytes.size() == 10);
    // Band 0: rows 0-7; band 1: rows 8-9.
    const std::array<std::uint8_t, 10> expected{0x04, 0x06, 0xFF, 0x06, 0x04,
                                                0x02, 0x02, 0x03, 0x02, 0x02};
    EXPECT_EQ(ARROW.bytes, expected);
}

TEST(DrawRect, ZeroHeightDrawsNothingButMovesX) {
    Device dev;
    move_to(dev, 20, 5);
    draw_rect(dev, 7, 0, RECT_SET);
    EXPECT_EQ(dev.draw.cursor.x, 27);
    EXPECT_EQ(dev.draw.cursor.y, 5);
    EXPECT_EQ(whole_panel(dev), whole_panel(Device{}));
}

TEST(DrawRect, WithinOnePageTouchesOnlyItsRows) {
    Device dev;
    move_to(dev, 0, 5);
    draw_rect(dev, 3, 2, RECT_SET);
    EXPECT_EQ(frame_byte(dev.lcd, 0, 0), 0x60);
    EXPECT_EQ(frame_byte(dev.lcd, 2, 0), 0x60);
    EXPECT_EQ(frame_byte(dev.lcd, 3, 0), 0x00);
    EXPECT_EQ(dev.draw.cursor.x, 3);
    EXPECT_EQ(dev.draw.cursor.y, 7);
}

TEST(DrawRect, AcrossAPageBoundary) {
    Device dev;
    move_to(dev, 1, 6);
    draw_rect(dev, 2, 4, RECT_SET);
    EXPECT_EQ(frame_picture(dev.lcd, 0, 4, 4, 8), rows({
                                                      "....",
                                                      "....",
                                                      ".##.",
                                                      ".##.",
                                                      ".##.",
                                                      ".##.",
                                                      "....",
                                                      "....",
                                                  }));
    EXPECT_EQ(dev.draw.cursor.y, 10 % 8);
}

TEST(DrawRect, ClearAndInvertCombineWithWhatIsThere) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 6, 6, RECT_SET);
    move_to(dev, 1, 1);
    draw_rect(dev, 4, 4, RECT_CLEAR);
    move_to(dev, 3, 0);
    draw_rect(dev, 3, 3, RECT_INVERT);
    EXPECT_EQ(frame_picture(dev.lcd, 0, 0, 7, 7), rows({
                                                      "###....",
                                                      "#..##..",
                                                      "#..##..",
                                                      "#....#.",
                                                      "#....#.",
                                                      "######.",
                                                      ".......",
                                                  }));
}

TEST(DrawRect, InvertTwiceRestores) {
    Device dev;
    move_to(dev, 10, 3);
    draw_rect(dev, 20, 30, RECT_SET);
    const std::string before = whole_panel(dev);
    for (int i = 0; i < 2; ++i) {
        move_to(dev, 5, 13);
        draw_rect(dev, 40, 21, RECT_INVERT);
    }
    EXPECT_EQ(whole_panel(dev), before);
}

TEST(DrawRect, UnknownModeTouchesNothing) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 10, 10, static_cast<RectMode>(3));
    EXPECT_EQ(whole_panel(dev), whole_panel(Device{}));
    EXPECT_EQ(dev.draw.cursor.x, 10);
}

TEST(DrawRect, XWrapsAndTheRightEdgeKeepsWritingColumn127) {
    Device dev;
    move_to(dev, 120, 0);
    draw_rect(dev, 10, 1, RECT_INVERT);
    EXPECT_EQ(dev.draw.cursor.x, 2);
    // Columns 120-127 inverted once each, then column 127 twice more: odd, so still set.
    for (int c = 120; c < 127; ++c)
        EXPECT_TRUE(frame_dot(dev.lcd, c, 0)) << c;
    EXPECT_TRUE(frame_dot(dev.lcd, 127, 0));
    EXPECT_FALSE(frame_dot(dev.lcd, 0, 0));
}

TEST(DrawRect, PastRow63ContinuesInPageZero) {
    Device dev;
    move_to(dev, 0, 62);
    draw_rect(dev, 1, 4, RECT_SET);
    EXPECT_TRUE(frame_dot(dev.lcd, 0, 62));
    EXPECT_TRUE(frame_dot(dev.lcd, 0, 63));
    EXPECT_TRUE(frame_dot(dev.lcd, 0, 0));
    EXPECT_TRUE(frame_dot(dev.lcd, 0, 1));
    EXPECT_FALSE(frame_dot(dev.lcd, 0, 2));
}

TEST(LcdClear, ClearsEverythingAndHomeAlsoResetsTheCursor) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 128, 64, RECT_SET);
    move_to(dev, 50, 30);
    lcd_clear(dev);
    EXPECT_EQ(whole_panel(dev), whole_panel(Device{}));
    EXPECT_EQ(dev.draw.cursor.x, 50);
    lcd_clear_home(dev);
    EXPECT_EQ(dev.draw.cursor.x, 0);
    EXPECT_EQ(dev.draw.cursor.y, 0);
}

TEST(BlitXor, AtRowZeroDrawsThePictureAsWritten) {
    Device dev;
    move_to(dev, 2, 0);
    blit_xor(dev, ARROW.width, ARROW.height, ARROW.data());
    EXPECT_EQ(frame_picture(dev.lcd, 2, 0, 5, 10), arrow_picture());
    EXPECT_EQ(frame_picture(dev.lcd, 0, 0, 9, 1), "....#....\n") << "nothing beside it";
    EXPECT_EQ(frame_picture(dev.lcd, 2, 10, 5, 1), ".....\n") << "nothing below it";
    EXPECT_EQ(dev.draw.cursor.x, 2) << "the cursor does not move";
}

TEST(BlitXor, ShiftedRowsSpillIntoTheExtraPage) {
    Device dev;
    move_to(dev, 0, 7);
    blit_xor(dev, ARROW.width, ARROW.height, ARROW.data());
    EXPECT_EQ(frame_picture(dev.lcd, 0, 7, 5, 10), arrow_picture());
    EXPECT_EQ(frame_picture(dev.lcd, 0, 6, 5, 1), ".....\n") << "nothing above it";
    EXPECT_EQ(frame_picture(dev.lcd, 0, 17, 5, 1), ".....\n") << "nothing below it";
    // Two bands starting at row 7 reach row 16: the last row went through the carry into
    // page 2, one page past the two the bands were written to.
    EXPECT_EQ(frame_byte(dev.lcd, 0, 2), 0x01);
    EXPECT_EQ(frame_byte(dev.lcd, 2, 2), 0x01);
}

TEST(BlitXor, DrawingTwiceRestoresAndOverSetDotsShowsInverted) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 5, 16, RECT_SET);
    const std::string before = whole_panel(dev);
    move_to(dev, 0, 4);
    blit_xor(dev, ARROW.width, ARROW.height, ARROW.data());
    EXPECT_FALSE(frame_dot(dev.lcd, 2, 4)) << "a dark bitmap dot over a dark dot shows light";
    EXPECT_TRUE(frame_dot(dev.lcd, 0, 4));
    blit_xor(dev, ARROW.width, ARROW.height, ARROW.data());
    EXPECT_EQ(whole_panel(dev), before);
}

TEST(BlitXor, LastPassAfterPageSevenAddressesPageZero) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 5, 1, RECT_SET); // something in page 0 to be disturbed
    const std::uint8_t page0 = frame_byte(dev.lcd, 0, 0);
    constexpr auto bar =
        picture<5, 8>({"#####", ".....", ".....", ".....", ".....", ".....", ".....", "#####"});
    move_to(dev, 0, 56);
    blit_xor(dev, bar.width, bar.height, bar.data());
    EXPECT_EQ(frame_byte(dev.lcd, 0, 0), page0) << "with no shift the extra pass changes nothing";
    EXPECT_EQ(frame_byte(dev.lcd, 0, 7), 0x81);
    // Shifted by one row, the bottom row carries over into row 0.
    move_to(dev, 0, 57);
    blit_xor(dev, bar.width, bar.height, bar.data());
    EXPECT_FALSE(frame_dot(dev.lcd, 0, 0)) << "the carried row inverted the dot at row 0";
}

} // namespace
} // namespace ql
