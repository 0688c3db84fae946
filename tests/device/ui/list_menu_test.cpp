#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/text.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "device/ui/list_menu.hpp"
#include "support/picture.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

using test::rows;

// A row mark of the test's own, a dot at column 112 of the text row it is given.
void dot_at_text_row(Device& dev, std::uint8_t text_y) {
    move_to(dev, 112, text_y);
    draw_rect(dev, 1, 1, RECT_SET);
}

struct EightItems {
    ListItem items[8] = {
        {"Units", list_submenu_marker}, {"Telemetry", nullptr}, {"Auxiliary A", nullptr},
        {"Auxiliary B", nullptr},       {"Advanced", nullptr},  {"Language", nullptr},
        {"Backlight", dot_at_text_row}, {"Contrast", nullptr},
    };
    ListMenu menu{0, 0, 8, items};
};

// The panel after drawing the list afresh with the given selection and scroll.
std::string drawn_afresh(ListItem* items, std::uint8_t count, std::uint8_t selected,
                         std::uint8_t top) {
    Device dev;
    ListMenu menu{selected, top, count, items};
    list_attach(dev, menu);
    list_draw(dev);
    return frame_picture(dev.lcd);
}

std::string region(const Device& dev, int x, int y, int w, int h) {
    return frame_picture(dev.lcd, x, y, w, h);
}

std::string text_alone(const char* text, int x, int y, int w, int h) {
    Device dev;
    move_to(dev, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
    text_draw(dev, text);
    return region(dev, x, y, w, h);
}

class PaintCounter final : public PaintSink {
  public:
    void paint_byte(std::uint8_t, std::uint8_t, std::uint8_t) override { ++writes; }
    int writes = 0;
};

TEST(ListDraw, TwoItemsLeaveTheThirdRowBlankAndReadOneOfTwo) {
    Device dev;
    ListItem items[2] = {{"Units", nullptr}, {"Language", list_submenu_marker}};
    ListMenu menu{0, 0, 2, items};
    list_attach(dev, menu);
    list_draw(dev);

    EXPECT_EQ(region(dev, 15, 3, 16, 10), text_alone("1/2", 15, 3, 16, 10));
    EXPECT_EQ(region(dev, 13, 51, 102, 13), region(Device{}, 13, 51, 102, 13));

    // The first row light on dark, the second dark on light with its marker.
    Device first;
    move_to(first, 17, 27);
    text_draw(first, "Units");
    move_to(first, 13, 25);
    draw_rect(first, 102, 13, RECT_INVERT);
    EXPECT_EQ(region(dev, 13, 25, 102, 13), region(first, 13, 25, 102, 13));
    Device second;
    move_to(second, 17, 40);
    text_draw(second, "Language");
    list_submenu_marker(second, 40);
    EXPECT_EQ(region(dev, 13, 38, 102, 13), region(second, 13, 38, 102, 13));
    EXPECT_EQ(region(dev, 0, 0, 128, 3), region(Device{}, 0, 0, 128, 3))
        << "nothing above the indicator";
}

TEST(ListDraw, MarkersSitAtTheRightEndOfTheRow) {
    Device dev;
    list_submenu_marker(dev, 27);
    list_choice_marker(dev, 53);
    EXPECT_EQ(region(dev, 106, 27, 6, 9), rows({
                                              "......",
                                              ".#....",
                                              ".##...",
                                              ".###..",
                                              ".####.",
                                              ".###..",
                                              ".##...",
                                              ".#....",
                                              "......",
                                          }));
    EXPECT_EQ(region(dev, 106, 53, 6, 9), rows({
                                              "......",
                                              "....#.",
                                              "...##.",
                                              "..###.",
                                              ".####.",
                                              "..###.",
                                              "...##.",
                                              "....#.",
                                              "......",
                                          }));
}

TEST(ListDraw, ExtraIsGivenTheTextRowOfItsRow) {
    Device dev;
    ListItem item{"Backlight", dot_at_text_row};
    list_draw_item(dev, item, 2);
    EXPECT_TRUE(frame_dot(dev.lcd, 112, 27 + 26));
    EXPECT_EQ(region(dev, 17, 53, 60, 10), text_alone("Backlight", 17, 53, 60, 10));
}

TEST(ListDraw, ClearRowClearsItsBandOnly) {
    Device dev;
    move_to(dev, 0, 0);
    draw_rect(dev, 128, 64, RECT_SET);
    list_clear_row(dev, 1);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            EXPECT_EQ(frame_dot(dev.lcd, x, y), !(x >= 13 && x <= 114 && y >= 38 && y <= 50))
                << x << "," << y;
}

TEST(ListMoves, DownWithinTheWindowMovesOnlyTheHighlight) {
    EightItems list;
    Device dev;
    list_attach(dev, list.menu);
    list_draw(dev);
    list_down(dev);
    EXPECT_EQ(list.menu.selected, 1);
    EXPECT_EQ(list.menu.top, 0);
    EXPECT_EQ(frame_picture(dev.lcd), drawn_afresh(list.items, 8, 1, 0));
    EXPECT_EQ(region(dev, 15, 3, 16, 10), text_alone("2/8", 15, 3, 16, 10));
}

TEST(ListMoves, EightItemsScrollOneAtATime) {
    EightItems list;
    Device dev;
    list_attach(dev, list.menu);
    list_draw(dev);
    for (int i = 0; i < 3; ++i)
        list_down(dev);
    EXPECT_EQ(list.menu.selected, 3);
    EXPECT_EQ(list.menu.top, 1);
    EXPECT_EQ(frame_picture(dev.lcd), drawn_afresh(list.items, 8, 3, 1));
    EXPECT_EQ(region(dev, 17, 27, 60, 10), text_alone("Telemetry", 17, 27, 60, 10));
    for (int y = 25; y < 64; ++y)
        EXPECT_EQ(frame_dot(dev.lcd, 13, y), y >= 51) << "the third row is highlighted, row " << y;

    for (int i = 0; i < 4; ++i)
        list_down(dev);
    EXPECT_EQ(list.menu.selected, 7);
    EXPECT_EQ(list.menu.top, 5);
    EXPECT_EQ(frame_picture(dev.lcd), drawn_afresh(list.items, 8, 7, 5));

    for (int i = 0; i < 5; ++i)
        list_up(dev);
    EXPECT_EQ(list.menu.selected, 2);
    EXPECT_EQ(list.menu.top, 2);
    EXPECT_EQ(frame_picture(dev.lcd), drawn_afresh(list.items, 8, 2, 2));
    list_up(dev);
    list_up(dev);
    EXPECT_EQ(list.menu.top, 0);
    EXPECT_EQ(frame_picture(dev.lcd), drawn_afresh(list.items, 8, 0, 0));
}

TEST(ListMoves, NothingChangesAtEitherEnd) {
    EightItems list;
    Device dev;
    list_attach(dev, list.menu);
    list_draw(dev);
    PaintCounter counter;
    dev.lcd.sink = &counter;
    const auto before = dev.lcd.frame_memory;
    list_up(dev);
    EXPECT_EQ(counter.writes, 0);
    EXPECT_EQ(list.menu.selected, 0);

    dev.lcd.sink = nullptr;
    for (int i = 0; i < 7; ++i)
        list_down(dev);
    const auto at_end = dev.lcd.frame_memory;
    dev.lcd.sink = &counter;
    list_down(dev);
    EXPECT_EQ(counter.writes, 0);
    EXPECT_EQ(dev.lcd.frame_memory, at_end);
    EXPECT_EQ(list.menu.selected, 7);
    EXPECT_EQ(list.menu.top, 5);
    EXPECT_NE(before, at_end);
}

TEST(ListMoves, ASingleItemNeitherMovesNorScrolls) {
    ListItem item{"Reset", nullptr};
    ListMenu menu{0, 0, 1, &item};
    Device dev;
    list_attach(dev, menu);
    list_draw(dev);
    const auto drawn = dev.lcd.frame_memory;
    list_down(dev);
    list_up(dev);
    EXPECT_EQ(dev.lcd.frame_memory, drawn);
    EXPECT_EQ(region(dev, 15, 3, 16, 10), text_alone("1/1", 15, 3, 16, 10));
}

TEST(ListRedraw, SelectedRowShowsItsNewContent) {
    EightItems list;
    Device dev;
    list_attach(dev, list.menu);
    list_draw(dev);
    list_down(dev);
    list.items[1].text = "Telemetry on";
    list.items[1].draw_extra = list_choice_marker;
    list_redraw_selected(dev);
    EXPECT_EQ(frame_picture(dev.lcd), drawn_afresh(list.items, 8, 1, 0));
}

TEST(ListRobustness, EmptyOrMissingListsDrawNoItems) {
    Device dev;
    list_draw(dev);
    list_down(dev);
    list_up(dev);
    list_redraw_selected(dev);
    EXPECT_EQ(frame_picture(dev.lcd), frame_picture(Device{}.lcd)) << "no list attached";

    ListMenu empty{0, 0, 0, nullptr};
    list_attach(dev, empty);
    move_to(dev, 0, 0);
    draw_rect(dev, 128, 64, RECT_SET);
    list_draw(dev);
    list_down(dev);
    EXPECT_EQ(empty.selected, 0);
    for (int y = 25; y < 64; ++y)
        EXPECT_FALSE(frame_dot(dev.lcd, 60, y)) << "the rows are cleared, row " << y;
}

} // namespace
} // namespace ql
