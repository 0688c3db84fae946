#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/frame_picture.hpp"
#include "resources/icons.hpp"
#include "support/picture.hpp"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ql {
namespace {

using test::rows;

// An icon read back from the device format, one string per row, so that shapes can be
// compared and searched without knowing how they were written.
struct Dots {
    std::vector<std::string> lines;

    int width() const { return static_cast<int>(lines.front().size()); }
    int height() const { return static_cast<int>(lines.size()); }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    bool dark(int x, int y) const {
        return inside(x, y) &&
               lines[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
    }

    Dots mirrored() const {
        Dots m = *this;
        for (auto& line : m.lines)
            std::reverse(line.begin(), line.end());
        return m;
    }
    Dots flipped() const {
        Dots f = *this;
        std::reverse(f.lines.begin(), f.lines.end());
        return f;
    }
    friend bool operator==(const Dots&, const Dots&) = default;
};

template <std::size_t W, std::size_t H> Dots dots_of(const Picture<W, H>& p) {
    return Dots{test::picture_lines(p)};
}

// The dots connected to (x, y) that share its state: dark dots join diagonally, as a 1-dot
// outline does; clear dots only side by side, so a closed outline keeps them in.
Dots region(const Dots& d, int x, int y) {
    const bool dark = d.dark(x, y);
    Dots out{std::vector<std::string>(d.lines.size(), std::string(d.lines[0].size(), '.'))};
    std::vector<std::pair<int, int>> todo{{x, y}};
    while (!todo.empty()) {
        const auto [cx, cy] = todo.back();
        todo.pop_back();
        if (!d.inside(cx, cy) || d.dark(cx, cy) != dark || out.dark(cx, cy)) continue;
        out.lines[static_cast<std::size_t>(cy)][static_cast<std::size_t>(cx)] = '#';
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dark || dx == 0 || dy == 0) todo.push_back({cx + dx, cy + dy});
    }
    return out;
}

int count(const Dots& d) {
    int n = 0;
    for (const auto& line : d.lines)
        n += static_cast<int>(std::count(line.begin(), line.end(), '#'));
    return n;
}

// The topmost dark dot, leftmost on its row.
std::pair<int, int> top_dot(const Dots& d) {
    for (int y = 0; y < d.height(); ++y)
        for (int x = 0; x < d.width(); ++x)
            if (d.dark(x, y)) return {x, y};
    return {-1, -1};
}

bool fills_its_box(const Dots& d) {
    bool top = false, bottom = false, left = false, right = false;
    for (int i = 0; i < d.width(); ++i) {
        top = top || d.dark(i, 0);
        bottom = bottom || d.dark(i, d.height() - 1);
    }
    for (int i = 0; i < d.height(); ++i) {
        left = left || d.dark(0, i);
        right = right || d.dark(d.width() - 1, i);
    }
    return top && bottom && left && right;
}

// The panel around an icon drawn at (x, y), with a margin of one dot.
std::string drawn_at(const auto& icon, int x, int y) {
    Device dev;
    move_to(dev, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
    blit_xor(dev, icon.width, icon.height, icon.data());
    return frame_picture(dev.lcd, x - 1, y - 1, icon.width + 2, icon.height + 2);
}

TEST(DirectionMarks, DownwardTriangleWidestOnTop) {
    const std::string expected = rows({
        ".........",
        ".#######.",
        "..#####..",
        "...###...",
        "....#....",
        ".........",
    });
    EXPECT_EQ(drawn_at(DirectionDownIcon, 101, 9), expected);
}

TEST(DirectionMarks, UpwardTriangleWidestAtTheBottom) {
    const std::string expected = rows({
        ".........",
        "....#....",
        "...###...",
        "..#####..",
        ".#######.",
        ".........",
    });
    EXPECT_EQ(drawn_at(DirectionUpIcon, 101, 9), expected);
}

TEST(Icons, SizesMatchTheTripPageLayout) {
    EXPECT_EQ(DirectionUpIcon.width, 7);
    EXPECT_EQ(DirectionUpIcon.height, 4);
    EXPECT_EQ(DirectionDownIcon.width, 7);
    EXPECT_EQ(DirectionDownIcon.height, 4);
    for (const auto* dial : {&DialLeftIcon, &DialUpIcon, &DialRightIcon}) {
        EXPECT_EQ(dial->width, 15);
        EXPECT_EQ(dial->height, 13);
    }
    EXPECT_EQ(PageFuelPumpIcon.width, 12);
    EXPECT_EQ(PageFuelPumpIcon.height, 14);
    EXPECT_EQ(PageStopwatchIcon.width, 11);
    EXPECT_EQ(PageStopwatchIcon.height, 14);
    EXPECT_EQ(ClockIcon.width, 13);
    EXPECT_EQ(ClockIcon.height, 13);
    EXPECT_EQ(DistanceIcon.width, 13);
    EXPECT_EQ(DistanceIcon.height, 13);
}

// The pages place each icon by its box, so an icon shifted inside it would sit off its place.
TEST(Icons, EachReachesAllFourEdgesOfItsBox) {
    for (const Dots& d :
         {dots_of(DirectionUpIcon), dots_of(DirectionDownIcon), dots_of(DialLeftIcon),
          dots_of(DialUpIcon), dots_of(DialRightIcon), dots_of(PageFuelPumpIcon),
          dots_of(PageStopwatchIcon), dots_of(ClockIcon), dots_of(DistanceIcon)})
        EXPECT_TRUE(fills_its_box(d)) << ::testing::PrintToString(d.lines);
}

// A dial is two parts: the ring with its marks, touching the box edge, and the needle on its
// hub, clear of the ring.
struct Dial {
    Dots ring;
    Dots needle;
};

Dial split(const Dots& d) {
    return {region(d, 0, 7), region(d, d.width() / 2, 8)};
}

TEST(SpeedDials, NeedleIsClearOfTheRing) {
    for (const Dots& d : {dots_of(DialLeftIcon), dots_of(DialUpIcon), dots_of(DialRightIcon)}) {
        const Dial dial = split(d);
        EXPECT_GT(count(dial.needle), 0);
        EXPECT_EQ(count(dial.ring) + count(dial.needle), count(d))
            << ::testing::PrintToString(d.lines);
    }
}

TEST(SpeedDials, NeedleTipShowsLowMiddleAndHigh) {
    const int centre = 7;
    const auto [left_x, left_y] = top_dot(split(dots_of(DialLeftIcon)).needle);
    const auto [up_x, up_y] = top_dot(split(dots_of(DialUpIcon)).needle);
    const auto [right_x, right_y] = top_dot(split(dots_of(DialRightIcon)).needle);
    EXPECT_LT(left_x, centre - 1);
    EXPECT_EQ(up_x, centre);
    EXPECT_GT(right_x, centre + 1);
    // Every needle points upward from the hub, not down into the open bottom of the dial.
    for (int y : {left_y, up_y, right_y})
        EXPECT_LT(y, 6);
}

TEST(SpeedDials, ShareOneRingAndMirrorEachOther) {
    const Dots left = dots_of(DialLeftIcon);
    const Dots up = dots_of(DialUpIcon);
    const Dots right = dots_of(DialRightIcon);
    EXPECT_EQ(left.mirrored(), right);
    EXPECT_EQ(up.mirrored(), up);
    EXPECT_EQ(split(left).ring, split(up).ring);
}

TEST(ClockFace, RingIsSymmetricAndClosed) {
    const Dots clock = dots_of(ClockIcon);
    const Dots ring = region(clock, 0, 6);
    EXPECT_EQ(ring.mirrored(), ring);
    EXPECT_EQ(ring.flipped(), ring);
    EXPECT_FALSE(region(clock, 0, 0).dark(6, 8)) << "the face leaks";
}

TEST(ClockFace, HandsMeetAtTheCentreClearOfTheRing) {
    const Dots clock = dots_of(ClockIcon);
    const Dots hands = region(clock, 6, 6);
    EXPECT_FALSE(hands.dark(0, 6));
    EXPECT_EQ(count(region(clock, 0, 6)) + count(hands), count(clock));
}

TEST(DistanceIcon, SymmetricBothWaysWithAClosedFrame) {
    const Dots d = dots_of(DistanceIcon);
    EXPECT_EQ(d.mirrored(), d);
    EXPECT_EQ(d.flipped(), d);
    EXPECT_FALSE(region(d, 0, 0).dark(6, 3)) << "the frame leaks";
    // The arrow spans the middle row, apart from the frame, and has heads at both ends.
    const Dots arrow = region(d, 6, 6);
    EXPECT_FALSE(arrow.dark(0, 6));
    EXPECT_TRUE(arrow.dark(2, 6) && arrow.dark(10, 6));
    EXPECT_TRUE(arrow.dark(3, 5) && arrow.dark(3, 7) && arrow.dark(9, 5) && arrow.dark(9, 7));
}

TEST(Stopwatch, SymmetricWithAClosedFace) {
    const Dots d = dots_of(PageStopwatchIcon);
    EXPECT_EQ(d.mirrored(), d);
    EXPECT_FALSE(region(d, 0, 13).dark(5, 10)) << "the face leaks";
}

TEST(FuelPump, BodyIsClosedAndStandsOnItsBase) {
    const Dots d = dots_of(PageFuelPumpIcon);
    EXPECT_FALSE(region(d, 0, 0).dark(4, 9)) << "the body leaks";
    const auto dark_in_row = [&](int y) {
        return std::count(d.lines[static_cast<std::size_t>(y)].begin(),
                          d.lines[static_cast<std::size_t>(y)].end(), '#');
    };
    for (int y = 0; y + 1 < d.height(); ++y)
        EXPECT_LT(dark_in_row(y), dark_in_row(d.height() - 1)) << "row " << y;
}

} // namespace
} // namespace ql
