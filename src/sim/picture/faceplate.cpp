#include "sim/picture/faceplate.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "resources/faceplate_lettering.hpp"
#include <algorithm>
#include <array>
#include <cmath>

namespace ql {
namespace {

// A half-open rectangle of faceplate pixels.
struct Box {
    int left, top, right, bottom;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr Box grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The click regions and the panel are placed in window coordinates.
constexpr Box from_window(int left, int top, int right, int bottom) {
    return {left - FACEPLATE_X, top - FACEPLATE_Y, right - FACEPLATE_X, bottom - FACEPLATE_Y};
}

// A key exactly over the area that takes its clicks.
Box button_box(int b) {
    const ButtonRegion r = button_region(b);
    return from_window(r.left, r.top, r.right, r.bottom);
}

constexpr Box kWhole{0, 0, FACEPLATE_WIDTH, FACEPLATE_HEIGHT};
constexpr Box kPanel =
    from_window(LCD_WINDOW_X, LCD_WINDOW_Y, LCD_WINDOW_X + LCD_DOT_SIZE * LCD_COLUMNS,
                LCD_WINDOW_Y + LCD_DOT_SIZE * LCD_ROWS);
constexpr Box kGlass = kPanel.grown(4);
constexpr Box kDisplayFrame = kPanel.grown(12);

constexpr int kBezelRadius = 24;

constexpr Rgb kBezelTop{46, 46, 50};
constexpr Rgb kBezelBottom{14, 14, 16};
constexpr Rgb kBezelRimTop{120, 120, 126};
constexpr Rgb kBezelRimBottom{54, 54, 58};
constexpr Rgb kButtonWell{4, 4, 5};
constexpr Rgb kButtonTop{216, 216, 214};
constexpr Rgb kButtonBottom{192, 192, 190};
constexpr Rgb kButtonLight{244, 244, 242};
constexpr Rgb kButtonShade{148, 148, 146};
constexpr Rgb kFrameLip{74, 74, 80};
constexpr Rgb kFrameTop{10, 10, 12};
constexpr Rgb kFrameLeft{18, 18, 20};
constexpr Rgb kFrameBottom{70, 70, 76};
constexpr Rgb kFrameRight{54, 54, 60};
constexpr Rgb kGlassEdge{0, 0, 0};
constexpr Rgb kInk{222, 222, 226};
constexpr Rgb kBadgePlate{72, 72, 78};
constexpr Rgb kBadgeRim{108, 108, 114};
constexpr Rgb kBadgeInk{238, 238, 240};

Rgb mix(Rgb a, Rgb b, double t) {
    // Most pixels lie wholly inside or outside an outline; their colour is exact without
    // rounding.
    if (t <= 0) return a;
    if (t >= 1) return b;
    const auto channel = [t](std::uint8_t from, std::uint8_t to) {
        return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void blend(RgbImage& img, int x, int y, Rgb c, double alpha) {
    if (img.contains(x, y)) img.set(x, y, mix(img.at(x, y), c, alpha));
}

// Signed distance from the centre of pixel (x, y) to the outline of `b` with its corners
// rounded by `radius`: negative inside.
double distance_to(const Box& b, double radius, int x, int y) {
    const double half_w = b.width() / 2.0, half_h = b.height() / 2.0;
    const double qx = std::abs(x + 0.5 - (b.left + half_w)) - (half_w - radius);
    const double qy = std::abs(y + 0.5 - (b.top + half_h)) - (half_h - radius);
    const double outside =
        qx > 0 || qy > 0 ? std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) : 0.0;
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// The part of a pixel inside an outline, so that round edges are smooth against the white
// window.
double coverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

double vertical(const Box& b, int y) {
    return (y - b.top) / static_cast<double>(b.height() - 1);
}

// The body: darker toward the bottom, as lit from above, with a thin bright rim.
// Along a row the distance to the outline falls toward the middle, so that once a pixel is 1.5
// or more inside, every pixel nearer the middle is the body's colour alone.
void paint_bezel(RgbImage& img) {
    constexpr double kBodyOnly = -1.5;
    for (int y = 0; y < kWhole.bottom; ++y) {
        const double down = vertical(kWhole, y);
        const Rgb body = mix(kBezelTop, kBezelBottom, down);
        const Rgb rim = mix(kBezelRimTop, kBezelRimBottom, down);
        const auto edge_pixel = [&](int x) {
            const double d = distance_to(kWhole, kBezelRadius, x, y);
            if (d <= kBodyOnly) return false;
            if (coverage(d) > 0)
                blend(img, x, y, mix(body, rim, std::clamp(1.5 + d, 0.0, 1.0)), coverage(d));
            return true;
        };
        int left = kWhole.left;
        while (left < kWhole.right && edge_pixel(left))
            ++left;
        int right = kWhole.right - 1;
        while (right > left && edge_pixel(right))
            --right;
        img.fill_rect(left, y, right - left + 1, 1, body);
    }
}

void fill_rounded(RgbImage& img, const Box& b, double radius, Rgb c) {
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x)
            blend(img, x, y, c, coverage(distance_to(b, radius, x, y)));
}

// A square key standing out of its hole: lit edges on top and left, shaded on the others.
void paint_button(RgbImage& img, const Box& b) {
    fill_rounded(img, b.grown(3), 4, kButtonWell);
    for (int y = b.top; y < b.bottom; ++y) {
        const Rgb face = mix(kButtonTop, kButtonBottom, vertical(b, y));
        for (int x = b.left; x < b.right; ++x) {
            const int from_left = x - b.left, from_top = y - b.top;
            const int from_right = b.right - 1 - x, from_bottom = b.bottom - 1 - y;
            const int edge = std::min({from_left, from_top, from_right, from_bottom});
            Rgb c = face;
            if (edge < 2) {
                const bool lit = std::min(from_left, from_top) <= std::min(from_right, from_bottom);
                c = mix(c, lit ? kButtonLight : kButtonShade, edge == 0 ? 1.0 : 0.6);
            }
            img.set(x, y, c);
        }
    }
}

// The display sits in a recess: its slopes face away from the light on top and left.
void paint_display_window(RgbImage& img) {
    const Box& f = kDisplayFrame;
    for (int y = f.top; y < f.bottom; ++y)
        for (int x = f.left; x < f.right; ++x) {
            if (kGlass.contains(x, y)) continue;
            const int from_left = x - f.left, from_top = y - f.top;
            const int from_right = f.right - 1 - x, from_bottom = f.bottom - 1 - y;
            const int edge = std::min({from_left, from_top, from_right, from_bottom});
            Rgb c = edge == from_top      ? kFrameTop
                    : edge == from_left   ? kFrameLeft
                    : edge == from_bottom ? kFrameBottom
                                          : kFrameRight;
            if (edge == 0) c = kFrameLip;
            if (kGlass.grown(1).contains(x, y)) c = kGlassEdge;
            img.set(x, y, c);
        }
    img.fill_rect(kGlass.left, kGlass.top, kGlass.width(), kGlass.height(), LCD_OFF_COLOUR);
    // The frame's shadow falls on the glass margin, never on the panel itself.
    for (int y = kGlass.top; y < kGlass.bottom; ++y)
        for (int x = kGlass.left; x < kGlass.right; ++x) {
            if (kPanel.contains(x, y)) continue;
            const double shade = 0.05 * std::max(0, 4 - (y - kGlass.top)) +
                                 0.035 * std::max(0, 4 - (x - kGlass.left));
            img.set(x, y, mix(LCD_OFF_COLOUR, Rgb{0, 0, 0}, shade));
        }
}

template <std::size_t N>
int word_width(const std::array<lettering::LetteringGlyph, N>& word, int spacing) {
    int w = -spacing;
    for (const auto& g : word)
        w += g.width + spacing;
    return w;
}

template <std::size_t N>
void paint_word(RgbImage& img, const std::array<lettering::LetteringGlyph, N>& word, int x, int y,
                int spacing, Rgb ink) {
    for (const auto& g : word) {
        for (int row = 0; row < g.height; ++row)
            for (int col = 0; col < g.width; ++col)
                if ((g.bits[(row / 8) * g.width + col] >> (row % 8)) & 1)
                    img.set(x + col, y + row, ink);
        x += g.width + spacing;
    }
}

// Brand word under the left end of the display window, model badge under its right end.
void paint_lettering(RgbImage& img) {
    constexpr int kBrandSpacing = 4, kBadgeSpacing = 2, kBadgePadX = 7, kBadgePadY = 4;
    const int centre = (kDisplayFrame.bottom + FACEPLATE_HEIGHT) / 2;
    const int brand_height = lettering::BRAND_WORD[0].height;
    paint_word(img, lettering::BRAND_WORD, kDisplayFrame.left + 2, centre - brand_height / 2,
               kBrandSpacing, kInk);

    const int text_w = word_width(lettering::MODEL_BADGE, kBadgeSpacing);
    const int text_h = lettering::MODEL_BADGE[0].height;
    const Box plate{kDisplayFrame.right - 2 - text_w - 2 * kBadgePadX,
                    centre - text_h / 2 - kBadgePadY, kDisplayFrame.right - 2,
                    centre - text_h / 2 + text_h + kBadgePadY};
    fill_rounded(img, plate, 4, kBadgeRim);
    fill_rounded(img, plate.grown(-1), 3, kBadgePlate);
    paint_word(img, lettering::MODEL_BADGE, plate.left + kBadgePadX, plate.top + kBadgePadY,
               kBadgeSpacing, kBadgeInk);
}

} // namespace

RgbImage make_faceplate() {
    RgbImage img(FACEPLATE_WIDTH, FACEPLATE_HEIGHT, Rgb{255, 255, 255});
    paint_bezel(img);
    for (int b = 0; b < BUTTON_COUNT; ++b)
        paint_button(img, button_box(b));
    paint_display_window(img);
    paint_lettering(img);
    return img;
}

double faceplate_opacity(int x, int y) {
    return coverage(distance_to(kWhole, kBezelRadius, x, y));
}

const RgbImage& faceplate_picture() {
    static const RgbImage faceplate = make_faceplate();
    return faceplate;
}

} // namespace ql
