#include "device/hardware/lcd_panel.hpp"
#include "sim/picture/faceplate.hpp"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace ql {
namespace {

// The window shows the faceplate with its corner at (10, 10); the click regions and the
// panel are known in window coordinates.
constexpr int kOffset = 10;

struct Region {
    int left, top, right, bottom; // window coordinates, half-open
};

constexpr Region kButtonRegions[4] = {
    {38, 50, 90, 97}, {38, 129, 90, 176}, {412, 129, 461, 177}, {412, 50, 461, 97}};

class Faceplate : public ::testing::Test {
  protected:
    const RgbImage image = make_faceplate();
    // Colour at window point (x, y).
    Rgb at_window(int x, int y) const { return image.at(x - kOffset, y - kOffset); }
};

bool light_grey(Rgb c) {
    const int lo = std::min({c.r, c.g, c.b}), hi = std::max({c.r, c.g, c.b});
    return lo >= 140 && hi - lo <= 10;
}

bool dark(Rgb c) {
    return std::max({c.r, c.g, c.b}) <= 60;
}

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

TEST_F(Faceplate, Is480By240) {
    EXPECT_EQ(image.width, 480);
    EXPECT_EQ(image.height, 240);
    EXPECT_EQ(image.rgb.size(), 480u * 240u * 3u);
}

TEST_F(Faceplate, EveryClickRegionIsALightGreyButton) {
    for (const Region& r : kButtonRegions)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                ASSERT_TRUE(light_grey(at_window(x, y)))
                    << "window (" << x << ", " << y << ") is " << describe(at_window(x, y));
}

// The button ends where its region ends: a click just beside it lands on the dark bezel.
TEST_F(Faceplate, BezelAroundEachButtonIsDark) {
    for (const Region& r : kButtonRegions)
        for (int gap = 1; gap <= 8; ++gap) {
            for (int x = r.left - gap; x < r.right + gap; ++x)
                for (int y : {r.top - gap, r.bottom - 1 + gap})
                    ASSERT_TRUE(dark(at_window(x, y)))
                        << "window (" << x << ", " << y << ") is " << describe(at_window(x, y));
            for (int y = r.top - gap; y < r.bottom + gap; ++y)
                for (int x : {r.left - gap, r.right - 1 + gap})
                    ASSERT_TRUE(dark(at_window(x, y)))
                        << "window (" << x << ", " << y << ") is " << describe(at_window(x, y));
        }
}

TEST_F(Faceplate, BehindThePanelIsTheOffColour) {
    for (int y = 49; y <= 176; ++y)
        for (int x = 123; x <= 378; ++x)
            ASSERT_EQ(at_window(x, y), LCD_OFF_COLOUR)
                << "window (" << x << ", " << y << ") is " << describe(at_window(x, y));
}

// The display window is framed: well beyond the panel's edge the glass has ended.
TEST_F(Faceplate, DisplayWindowHasAFrame) {
    for (int x = 123; x <= 378; x += 5) {
        EXPECT_NE(at_window(x, 49 - 9), LCD_OFF_COLOUR) << x;
        EXPECT_NE(at_window(x, 176 + 9), LCD_OFF_COLOUR) << x;
    }
    for (int y = 49; y <= 176; y += 5) {
        EXPECT_NE(at_window(123 - 9, y), LCD_OFF_COLOUR) << y;
        EXPECT_NE(at_window(378 + 9, y), LCD_OFF_COLOUR) << y;
    }
}

TEST_F(Faceplate, CornersOutsideTheRoundedBezelAreWhite) {
    const Rgb white{255, 255, 255};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(image.at(i, i), white);
        EXPECT_EQ(image.at(479 - i, i), white);
        EXPECT_EQ(image.at(i, 239 - i), white);
        EXPECT_EQ(image.at(479 - i, 239 - i), white);
    }
    // Away from the corners the bezel runs to the picture's edge.
    for (const auto& [x, y] : {std::pair{240, 0}, {240, 239}, {0, 120}, {479, 120}})
        EXPECT_FALSE(light_grey(image.at(x, y)) || image.at(x, y) == white) << x << ", " << y;
}

TEST_F(Faceplate, LetteringBelowTheDisplayWindow) {
    int light_below = 0;
    for (int y = 180; y < 240; ++y)
        for (int x = 0; x < 480; ++x) {
            const Rgb c = image.at(x, y);
            if (std::min({c.r, c.g, c.b}) >= 200 && !(c == Rgb{255, 255, 255})) ++light_below;
        }
    // Two words of letters with 2-dot strokes leave several hundred light pixels.
    EXPECT_GT(light_below, 300);
}

} // namespace
} // namespace ql
