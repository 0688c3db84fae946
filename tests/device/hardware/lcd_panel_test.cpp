#include "device/device.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "support/recording_sink.hpp"
#include <gtest/gtest.h>
#include <vector>

namespace ql {
namespace {

using test::Painted;
using test::RecordingSink;

TEST(LcdPanel, AddressIsMaskedIntoRange) {
    Device dev;
    lcd_set_address(dev, 200, 9);
    EXPECT_EQ(dev.lcd.column, 72);
    EXPECT_EQ(dev.lcd.page, 1);
}

TEST(LcdPanel, WritesStopAtTheLastColumn) {
    Device dev;
    lcd_set_address(dev, 0, 3);
    for (int i = 0; i < 130; ++i)
        lcd_write(dev, static_cast<std::uint8_t>(i + 1));
    for (int col = 0; col < 127; ++col)
        EXPECT_EQ(frame_byte(dev.lcd, col, 3), col + 1);
    EXPECT_EQ(frame_byte(dev.lcd, 127, 3), 130);
    EXPECT_EQ(dev.lcd.column, 127);
    EXPECT_EQ(frame_byte(dev.lcd, 0, 4), 0) << "no wrap into the next page";
}

TEST(LcdPanel, ReadLeavesTheAddressAndWriteReplacesWhatWasRead) {
    Device dev;
    lcd_set_address(dev, 10, 2);
    lcd_write(dev, 0x5A);
    lcd_set_address(dev, 10, 2);
    EXPECT_EQ(lcd_read(dev), 0x5A);
    EXPECT_EQ(lcd_read(dev), 0x5A);
    EXPECT_EQ(dev.lcd.column, 10);
    lcd_write(dev, static_cast<std::uint8_t>(lcd_read(dev) | 0x81));
    EXPECT_EQ(frame_byte(dev.lcd, 10, 2), 0xDB);
    EXPECT_EQ(dev.lcd.column, 11);
}

TEST(LcdPanel, EveryWriteIsPaintedAtOnce) {
    Device dev;
    RecordingSink sink;
    dev.lcd.sink = &sink;
    lcd_set_address(dev, 5, 2);
    lcd_write(dev, 0x01);
    lcd_write(dev, 0x80);
    EXPECT_EQ(sink.painted, (std::vector<Painted>{{5, 2, 0x01}, {6, 2, 0x80}}));
    EXPECT_TRUE(frame_dot(dev.lcd, 5, 16));
    EXPECT_TRUE(frame_dot(dev.lcd, 6, 23));
}

TEST(LcdPanel, PaintAllGoesColumnByColumnThenPageByPage) {
    Device dev;
    lcd_set_address(dev, 127, 7);
    lcd_write(dev, 0x80);
    RecordingSink sink;
    lcd_paint_all(dev, sink);
    ASSERT_EQ(sink.painted.size(), 1024u);
    EXPECT_EQ(sink.painted[0], (Painted{0, 0, 0}));
    EXPECT_EQ(sink.painted[1], (Painted{0, 1, 0}));
    EXPECT_EQ(sink.painted[8], (Painted{1, 0, 0}));
    EXPECT_EQ(sink.painted[1023], (Painted{127, 7, 0x80}));
}

TEST(LcdPanel, InitHomesTheAddressAndKeepsTheMemory) {
    Device dev;
    lcd_set_address(dev, 40, 5);
    lcd_write(dev, 0xFF);
    lcd_init(dev);
    EXPECT_EQ(dev.lcd.column, 0);
    EXPECT_EQ(dev.lcd.page, 0);
    EXPECT_TRUE(dev.lcd.colours_ready);
    EXPECT_EQ(frame_byte(dev.lcd, 40, 5), 0xFF);
    lcd_release(dev);
    EXPECT_FALSE(dev.lcd.colours_ready);
}

} // namespace
} // namespace ql

namespace ql {
namespace {

// Only a byte changed through an address past the panel counts: the empty carry pass below
// a picture at the bottom wraps to page 0 and changes nothing.
TEST(LcdPanel, CountsChangesMadeOutsideThePanel) {
    Device dev;
    lcd_set_address(dev, 10, 8); // page 8 wraps to page 0
    lcd_write(dev, 0x00);
    EXPECT_EQ(dev.lcd.out_of_range_writes, 0u);
    lcd_write(dev, 0x01);
    EXPECT_EQ(dev.lcd.out_of_range_writes, 1u);
    lcd_set_address(dev, 130, 0);
    lcd_write(dev, 0x02);
    EXPECT_EQ(dev.lcd.out_of_range_writes, 2u);

    lcd_set_address(dev, 126, 3);
    lcd_write(dev, 0x10);
    lcd_write(dev, 0x20); // column 127, still on the panel
    EXPECT_EQ(dev.lcd.out_of_range_writes, 2u);
    lcd_write(dev, 0x20); // past the edge, the same byte
    EXPECT_EQ(dev.lcd.out_of_range_writes, 2u);
    lcd_write(dev, 0x30); // past the edge, overwriting column 127
    EXPECT_EQ(dev.lcd.out_of_range_writes, 3u);
    EXPECT_EQ(frame_byte(dev.lcd, 127, 3), 0x30);

    lcd_set_address(dev, 127, 3); // a new run may write column 127 again
    lcd_write(dev, 0x40);
    EXPECT_EQ(dev.lcd.out_of_range_writes, 3u);
}

} // namespace
} // namespace ql
