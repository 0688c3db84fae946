#include "device/device.hpp"
#include "device/graphics/digits.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/graphics/legends.hpp"
#include "device/settings/languages.hpp"
#include "device/settings/settings.hpp"
#include "device/ui/number_editor.hpp"
#include "support/picture.hpp"
#include <gtest/gtest.h>
#include <string>

namespace ql {
namespace {

using test::rows;

void speak(Device& dev, std::uint8_t language) {
    set_language_mask(dev, LANG_ENGLISH | LANG_FRENCH | LANG_ITALIAN | LANG_SPANISH | LANG_GERMAN);
    set_language(dev, language);
}

// What the upper or lower half of the left bar shows with `legend` on it.
std::string left_bar_with(const std::uint8_t* legend, bool upper) {
    Device dev;
    draw_side_bars(dev);
    (upper ? legend_top_left : legend_bottom_left)(dev, legend);
    return frame_picture(dev.lcd, 0, upper ? 0 : 33, 11, 31);
}
std::string upper_left(const Device& dev) {
    return frame_picture(dev.lcd, 0, 0, 11, 31);
}
std::string lower_left(const Device& dev) {
    return frame_picture(dev.lcd, 0, 33, 11, 31);
}

// The content area as it should be: the text drawn and one rectangle inverted.
std::string content_with(void (*draw)(Device&, const char*), const char* text, int x, int y, int hx,
                         int hy, int hw, int hh) {
    Device dev;
    move_to(dev, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
    draw(dev, text);
    move_to(dev, static_cast<std::uint8_t>(hx), static_cast<std::uint8_t>(hy));
    draw_rect(dev, static_cast<std::uint8_t>(hw), static_cast<std::uint8_t>(hh), RECT_INVERT);
    return frame_picture(dev.lcd, 11, 0, 106, 64);
}
std::string content(const Device& dev) {
    return frame_picture(dev.lcd, 11, 0, 106, 64);
}

TEST(NumberEditorOpen, DrawsTheTextWithItsFirstCellHighlighted) {
    Device dev;
    speak(dev, LANG_ENGLISH);
    char text[] = "512.5";
    numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
    EXPECT_EQ(numedit_position(dev), 0);
    EXPECT_EQ(frame_picture(dev.lcd, 29, 18, 10, 16), rows({
                                                          "##########",
                                                          "##########",
                                                          "#........#",
                                                          "#........#",
                                                          "#..#######",
                                                          "#..#######",
                                                          "#......###",
                                                          "#.......##",
                                                          "######...#",
                                                          "#######..#",
                                                          "#######..#",
                                                          "#...##...#",
                                                          "##......##",
                                                          "###....###",
                                                          "##########",
                                                          "##########",
                                                      }));
    EXPECT_EQ(content(dev), content_with(digits_draw_small, text, 30, 20, 29, 18, 10, 16));
}

TEST(NumberEditorOpen, HighlightFitsEachFont) {
    struct Case {
        EditorSize size;
        void (*draw)(Device&, const char*);
        int dx, dy, w, h;
    };
    for (const Case c : {Case{NUMEDIT_MEDIUM, digits_draw_medium, 1, 3, 12, 20},
                         Case{NUMEDIT_LARGE, digits_draw_large, 2, 3, 15, 23}}) {
        Device dev;
        char text[] = "07:45";
        numedit_open(dev, c.size, 40, 20, text);
        EXPECT_EQ(content(dev),
                  content_with(c.draw, "07:45", 40, 20, 40 - c.dx, 20 - c.dy, c.w, c.h));
    }
}

TEST(NumberEditorOpen, RightLegendsAreMinusBelowAndPlusAbove) {
    Device dev;
    char text[] = "12";
    numedit_open(dev, NUMEDIT_SMALL, 40, 20, text);
    Device ref;
    draw_side_bars(ref);
    legend_bottom_right(ref, legend_symbol(LegendSymbol::Minus));
    legend_top_right(ref, legend_symbol(LegendSymbol::Plus));
    EXPECT_EQ(frame_picture(dev.lcd, 117, 0, 11, 64), frame_picture(ref.lcd, 117, 0, 11, 64));
}

TEST(NumberEditorLegends, BackAtTheFirstPositionThenChevronLeft) {
    Device dev;
    speak(dev, LANG_ITALIAN);
    char text[] = "0012.5";
    numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
    EXPECT_EQ(upper_left(dev), left_bar_with(legend_word(Legend::Back, LANG_ITALIAN), true));
    EXPECT_EQ(lower_left(dev), left_bar_with(legend_symbol(LegendSymbol::Right), false));
    ASSERT_TRUE(numedit_next(dev));
    EXPECT_EQ(upper_left(dev), left_bar_with(legend_symbol(LegendSymbol::Left), true));
    ASSERT_TRUE(numedit_prev(dev));
    EXPECT_EQ(upper_left(dev), left_bar_with(legend_word(Legend::Back, LANG_ITALIAN), true));
}

TEST(NumberEditorLegends, SetAtTheLastPosition) {
    Device dev;
    speak(dev, LANG_GERMAN);
    char text[] = "1.5";
    numedit_open(dev, NUMEDIT_MEDIUM, 30, 20, text);
    ASSERT_TRUE(numedit_next(dev));
    EXPECT_EQ(numedit_position(dev), 2);
    EXPECT_EQ(lower_left(dev), left_bar_with(legend_word(Legend::Set, LANG_GERMAN), false));
    EXPECT_EQ(upper_left(dev), left_bar_with(legend_symbol(LegendSymbol::Left), true));
}

TEST(NumberEditorLegends, OneCharacterShowsBackAndSet) {
    Device dev;
    speak(dev, LANG_FRENCH);
    char text[] = "7";
    numedit_open(dev, NUMEDIT_LARGE, 30, 20, text);
    EXPECT_EQ(upper_left(dev), left_bar_with(legend_word(Legend::Back, LANG_FRENCH), true));
    EXPECT_EQ(lower_left(dev), left_bar_with(legend_word(Legend::Set, LANG_FRENCH), false));
}

TEST(NumberEditorMoves, StepOverThePoint) {
    Device dev;
    char text[] = "0012.5";
    numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(numedit_next(dev));
    EXPECT_EQ(numedit_position(dev), 3);
    EXPECT_EQ(dev.ui.editor.x, 60);
    ASSERT_TRUE(numedit_next(dev));
    EXPECT_EQ(numedit_position(dev), 5);
    EXPECT_EQ(dev.ui.editor.x, 60 + 4 + 10);
    EXPECT_EQ(content(dev), content_with(digits_draw_small, text, 30, 20, 73, 18, 10, 16))
        << "only the last cell is highlighted";
    ASSERT_TRUE(numedit_prev(dev));
    EXPECT_EQ(numedit_position(dev), 3);
    EXPECT_EQ(dev.ui.editor.x, 60);
    EXPECT_EQ(content(dev), content_with(digits_draw_small, text, 30, 20, 59, 18, 10, 16));
}

TEST(NumberEditorMoves, StepOverTheColonInTheLargeFont) {
    Device dev;
    char text[] = "12:30";
    numedit_open(dev, NUMEDIT_LARGE, 20, 20, text);
    ASSERT_TRUE(numedit_next(dev));
    ASSERT_TRUE(numedit_next(dev));
    EXPECT_EQ(numedit_position(dev), 3);
    EXPECT_EQ(dev.ui.editor.x, 20 + 14 + 6 + 14);
}

class PaintCounter final : public PaintSink {
  public:
    void paint_byte(std::uint8_t, std::uint8_t, std::uint8_t) override { ++writes; }
    int writes = 0;
};

TEST(NumberEditorMoves, NothingHappensAtEitherEnd) {
    Device dev;
    char text[] = "4.2";
    numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
    PaintCounter counter;
    dev.lcd.sink = &counter;
    EXPECT_FALSE(numedit_prev(dev));
    EXPECT_EQ(counter.writes, 0);
    dev.lcd.sink = nullptr;
    ASSERT_TRUE(numedit_next(dev));
    dev.lcd.sink = &counter;
    EXPECT_FALSE(numedit_next(dev));
    EXPECT_EQ(counter.writes, 0);
    EXPECT_EQ(numedit_position(dev), 2);
}

TEST(NumberEditorMoves, APointThatEndsTheTextIsNotAPosition) {
    Device dev;
    speak(dev, LANG_ENGLISH);
    char text[] = "12.";
    numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
    ASSERT_TRUE(numedit_next(dev));
    EXPECT_FALSE(numedit_next(dev));
    EXPECT_EQ(numedit_position(dev), 1);
    EXPECT_EQ(lower_left(dev), left_bar_with(legend_word(Legend::Set, LANG_ENGLISH), false));
}

TEST(NumberEditorChanges, DigitsWrapWithoutCarry) {
    Device dev;
    char text[] = "09";
    numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
    numedit_decrement(dev);
    EXPECT_STREQ(text, "99");
    numedit_increment(dev);
    EXPECT_STREQ(text, "09");
    ASSERT_TRUE(numedit_next(dev));
    numedit_increment(dev);
    EXPECT_STREQ(text, "00");
    numedit_increment(dev);
    EXPECT_STREQ(text, "01");
    numedit_decrement(dev);
    numedit_decrement(dev);
    EXPECT_STREQ(text, "09");
}

TEST(NumberEditorChanges, SignsSwapEitherWay) {
    Device dev;
    char text[] = "+5";
    numedit_open(dev, NUMEDIT_MEDIUM, 30, 20, text);
    numedit_increment(dev);
    EXPECT_STREQ(text, "-5");
    numedit_increment(dev);
    EXPECT_STREQ(text, "+5");
    numedit_decrement(dev);
    EXPECT_STREQ(text, "-5");
}

TEST(NumberEditorChanges, TheChangedCellShowsLightOnTheHighlight) {
    for (EditorSize size : {NUMEDIT_SMALL, NUMEDIT_MEDIUM, NUMEDIT_LARGE}) {
        Device dev;
        char text[] = "0012.5";
        numedit_open(dev, size, 20, 20, text);
        numedit_next(dev);
        numedit_next(dev);
        numedit_next(dev);
        numedit_next(dev);
        numedit_decrement(dev);
        EXPECT_STREQ(text, "0012.4");

        Device ref;
        char same[] = "0012.4";
        numedit_open(ref, size, 20, 20, same);
        for (int i = 0; i < 4; ++i)
            numedit_next(ref);
        EXPECT_EQ(frame_picture(dev.lcd), frame_picture(ref.lcd)) << "size " << int(size);
    }
}

TEST(NumberEditorValue, PointsAndColonsAreLeftOut) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    for (const Case c : {Case{"012.5", 125}, Case{"-00:30", -30}, Case{"+0005", 5},
                         Case{"1:02:03", 10203}, Case{"0", 0}, Case{" 12.5", 125}}) {
        Device dev;
        char text[16];
        std::snprintf(text, sizeof text, "%s", c.text);
        numedit_open(dev, NUMEDIT_SMALL, 30, 20, text);
        std::int32_t value = -1;
        numedit_value(dev, value);
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(NumberEditorValue, ReadsTheEditedText) {
    Device dev;
    char text[] = "012.5";
    numedit_open(dev, NUMEDIT_LARGE, 30, 20, text);
    numedit_increment(dev);
    numedit_next(dev);
    numedit_next(dev);
    numedit_next(dev);
    numedit_decrement(dev);
    std::int32_t value = 0;
    numedit_value(dev, value);
    EXPECT_EQ(value, 1124);
}

} // namespace
} // namespace ql
