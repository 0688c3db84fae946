#pragma once
#include "device/hardware/lcd_panel.hpp"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ql {

// An RGB picture, 3 bytes a pixel, rows top to bottom: the simulator window as both front ends
// show or save it, and the faceplate drawing.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill = Rgb{255, 255, 255})
        : width(w), height(h), rgb(static_cast<std::size_t>(w * h * 3)) {
        fill_rect(0, 0, w, h, fill);
    }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Rgb at(int x, int y) const {
        const std::size_t i = offset(x, y);
        return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
    }

    // Writes outside the picture are dropped.
    void set(int x, int y, Rgb c) {
        if (!contains(x, y)) return;
        const std::size_t i = offset(x, y);
        rgb[i] = c.r;
        rgb[i + 1] = c.g;
        rgb[i + 2] = c.b;
    }

    // Clipped to the picture, as set() would.
    void fill_rect(int x, int y, int w, int h, Rgb c) {
        const int left = std::max(x, 0), right = std::min(x + w, width);
        const int top = std::max(y, 0), bottom = std::min(y + h, height);
        for (int row = top; row < bottom; ++row) {
            std::uint8_t* p = &rgb[offset(left, row)];
            for (int col = left; col < right; ++col, p += 3) {
                p[0] = c.r;
                p[1] = c.g;
                p[2] = c.b;
            }
        }
    }

    // Copies `src` with its top-left corner at (x, y), clipped to this picture.
    void paste(const RgbImage& src, int x, int y) {
        const int left = std::max(x, 0), right = std::min(x + src.width, width);
        const int top = std::max(y, 0), bottom = std::min(y + src.height, height);
        if (left >= right) return;
        for (int row = top; row < bottom; ++row)
            std::memcpy(&rgb[offset(left, row)], &src.rgb[src.offset(left - x, row - y)],
                        static_cast<std::size_t>(right - left) * 3);
    }

  private:
    std::size_t offset(int x, int y) const { return static_cast<std::size_t>((y * width + x) * 3); }
};

// An RGB picture with opacity, 4 bytes a pixel (not premultiplied), rows top to bottom: the
// program's icon.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

} // namespace ql
