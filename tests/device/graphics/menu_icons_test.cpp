#include "resources/menu_icons.hpp"
#include "resources/service_icons.hpp"
#include "support/picture.hpp"
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace ql {
namespace {

// A bitmap read back from the device format, so that the tests see what the screens draw.
struct Dots {
    int width = 0;
    int height = 0;
    std::vector<std::string> lines;

    bool dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               lines[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
    }
    int count_clear(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                n += dark(x, y) ? 0 : 1;
        return n;
    }
    bool operator==(const Dots&) const = default;
};

template <std::size_t W, std::size_t H> Dots dots_of(const Picture<W, H>& p) {
    return Dots{static_cast<int>(W), static_cast<int>(H), test::picture_lines(p)};
}

using Named = std::vector<std::pair<const char*, Dots>>;

void expect_all_different(const Named& icons) {
    for (std::size_t i = 0; i < icons.size(); ++i)
        for (std::size_t j = i + 1; j < icons.size(); ++j)
            EXPECT_NE(icons[i].second, icons[j].second) << icons[i].first << " " << icons[j].first;
}

TEST(MenuFrames, SelectedIsSolidWithTheFourCornerDotsClear) {
    const Dots f = dots_of(MenuFrameSelected);
    ASSERT_EQ(f.width, 27);
    ASSERT_EQ(f.height, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 27; ++x) {
            const bool corner = (x == 0 || x == 26) && (y == 0 || y == 24);
            EXPECT_EQ(f.dark(x, y), !corner) << x << "," << y;
        }
}

TEST(MenuFrames, OtherIsADottedOutlineWithAClearInside) {
    const Dots f = dots_of(MenuFrameOther);
    ASSERT_EQ(f.width, 27);
    ASSERT_EQ(f.height, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 27; ++x) {
            const bool on_top_or_bottom = (y == 0 || y == 24) && x % 2 == 1;
            const bool on_left_or_right = (x == 0 || x == 26) && y % 2 == 1;
            EXPECT_EQ(f.dark(x, y), on_top_or_bottom || on_left_or_right) << x << "," << y;
        }
}

TEST(MenuIcons, SevenDifferentPicturesOfTheIconSize) {
    const Named icons = {{"About", dots_of(AboutMenuIcon)},
                         {"SetDistance", dots_of(SetDistanceMenuIcon)},
                         {"Calibration", dots_of(CalibrationMenuIcon)},
                         {"Settings", dots_of(SettingsMenuIcon)},
                         {"FuelGauge", dots_of(FuelGaugeMenuIcon)},
                         {"Performance", dots_of(PerformanceMenuIcon)},
                         {"SpeedAlarm", dots_of(SpeedAlarmMenuIcon)}};
    for (const auto& [name, d] : icons) {
        EXPECT_EQ(d.width, 25) << name;
        EXPECT_EQ(d.height, 23) << name;
        EXPECT_LT(d.count_clear(0, 0, 24, 22), 25 * 23) << name << " is blank";
    }
    expect_all_different(icons);
}

// A title icon is a dark square with rounded corners; its symbol is clear dots inside it, so
// the square's edge stays dark apart from the rounding.
TEST(TitleIcons, DarkRoundedSquareWithAClearSymbolInside) {
    const Named icons = {{"Spanner", dots_of(SpannerTitleIcon)},
                         {"Arrow", dots_of(ArrowTitleIcon)},
                         {"Letters", dots_of(LettersTitleIcon)},
                         {"Dial", dots_of(DialTitleIcon)},
                         {"Plug", dots_of(PlugTitleIcon)},
                         {"Ruler", dots_of(RulerTitleIcon)},
                         {"DoubleArrow", dots_of(DoubleArrowTitleIcon)},
                         {"Bell", dots_of(BellTitleIcon)},
                         {"Calibration", dots_of(CalibrationIcon)},
                         {"Performance", dots_of(PerformanceIcon)}};
    for (const auto& [name, d] : icons) {
        ASSERT_EQ(d.width, 17) << name;
        ASSERT_EQ(d.height, 17) << name;
        for (int i = 0; i < 17; ++i) {
            const bool near_corner = i < 2 || i > 14;
            for (const auto& [x, y] : {std::pair{i, 0}, {i, 16}, {0, i}, {16, i}})
                EXPECT_TRUE(near_corner || d.dark(x, y)) << name << " edge at " << x << "," << y;
        }
        for (const auto& [x, y] : {std::pair{0, 0}, {16, 0}, {0, 16}, {16, 16}})
            EXPECT_FALSE(d.dark(x, y)) << name << " corner " << x << "," << y;
        EXPECT_GE(d.count_clear(1, 1, 15, 15), 10) << name << " carries no symbol";
    }
    expect_all_different(icons);
}

TEST(ContrastSymbol, CircleWithOneHalfFilled) {
    const Dots d = dots_of(ContrastSymbol);
    ASSERT_EQ(d.width, 10);
    ASSERT_EQ(d.height, 10);
    for (const auto& [x, y] : {std::pair{0, 0}, {9, 0}, {0, 9}, {9, 9}})
        EXPECT_FALSE(d.dark(x, y)) << "corner " << x << "," << y;
    for (const auto& [x, y] : {std::pair{4, 0}, {0, 4}, {9, 5}, {5, 9}})
        EXPECT_TRUE(d.dark(x, y)) << "outline " << x << "," << y;
    const int left_clear = d.count_clear(1, 3, 3, 6);
    const int right_clear = d.count_clear(6, 3, 8, 6);
    EXPECT_TRUE((left_clear == 0 && right_clear == 12) || (left_clear == 12 && right_clear == 0))
        << left_clear << " " << right_clear;
}

// A result symbol is a dark disc that fills its box; the sign, in clear dots, stays off the
// disc's rim.
TEST(ResultIcons, DarkDiscWithAClearSignInside) {
    const Named icons = {{"Tick", dots_of(ResultTickIcon)},
                         {"Cross", dots_of(ResultCrossIcon)},
                         {"Warn", dots_of(ResultWarnIcon)},
                         {"Question", dots_of(ResultQuestionIcon)}};
    for (const auto& [name, d] : icons) {
        ASSERT_EQ(d.width, 19) << name;
        ASSERT_EQ(d.height, 19) << name;
        int sign = 0;
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 19; ++x) {
                const double r = std::hypot(x - 9, y - 9);
                const bool outside = r > 9.5, rim = r >= 7.5 && r <= 9.0;
                EXPECT_TRUE(!outside || !d.dark(x, y)) << name << " outside at " << x << "," << y;
                EXPECT_TRUE(!rim || d.dark(x, y)) << name << " rim at " << x << "," << y;
                if (r < 7.5 && !d.dark(x, y)) ++sign;
            }
        EXPECT_GE(sign, 5) << name << " carries no sign";
    }
    expect_all_different(icons);
}

TEST(ProgressDots, SolidDotIsCentredRunsOfThreeFiveSevenSevenSevenFiveThree) {
    const Dots d = dots_of(ProgressDotSolid);
    ASSERT_EQ(d.width, 7);
    ASSERT_EQ(d.height, 7);
    const int widths[7] = {3, 5, 7, 7, 7, 5, 3};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(d.dark(x, y), std::abs(x - 3) <= widths[y] / 2) << x << "," << y;
}

// The ring holds every dot of the solid dot that borders the outside, and none further in.
TEST(ProgressDots, RingIsTheOutlineOfTheSolidDot) {
    const Dots solid = dots_of(ProgressDotSolid);
    const Dots ring = dots_of(ProgressDotRing);
    ASSERT_EQ(ring.width, 7);
    ASSERT_EQ(ring.height, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            bool side_open = false, any_open = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const bool open = !solid.dark(x + dx, y + dy);
                    any_open = any_open || open;
                    side_open = side_open || (open && (dx == 0 || dy == 0));
                }
            const bool edge = solid.dark(x, y) && side_open;
            EXPECT_TRUE(!edge || ring.dark(x, y)) << "edge missing at " << x << "," << y;
            EXPECT_TRUE(!ring.dark(x, y) || (solid.dark(x, y) && any_open)) << x << "," << y;
        }
}

// The About screen starts the logo at the identity line's first column, and the fuel gauge
// centres the empty word by its box: each must reach the ends of its box.
TEST(WordPictures, SizesAndFillTheirBoxes) {
    struct Expected {
        const char* name;
        Dots dots;
        int width, height;
    };
    const Expected words[] = {{"BrandLogo", dots_of(BrandLogo), 33, 10},
                              {"English", dots_of(EmptyWordEnglish), 30, 5},
                              {"French", dots_of(EmptyWordFrench), 14, 5},
                              {"Italian", dots_of(EmptyWordItalian), 22, 5},
                              {"Spanish", dots_of(EmptyWordSpanish), 20, 5},
                              {"German", dots_of(EmptyWordGerman), 16, 5}};
    for (const auto& [name, d, width, height] : words) {
        ASSERT_EQ(d.width, width) << name;
        ASSERT_EQ(d.height, height) << name;
        EXPECT_LT(d.count_clear(0, 0, 0, height - 1), height) << name << " left edge";
        EXPECT_LT(d.count_clear(width - 1, 0, width - 1, height - 1), height) << name;
        EXPECT_LT(d.count_clear(0, 0, width - 1, 0), width) << name << " top row";
        EXPECT_LT(d.count_clear(0, height - 1, width - 1, height - 1), width) << name;
    }
}

TEST(StopwatchIcon, SizeOfThePerformanceRunScreen) {
    EXPECT_EQ(StopwatchIcon.width, 11);
    EXPECT_EQ(StopwatchIcon.height, 14);
}

} // namespace
} // namespace ql
