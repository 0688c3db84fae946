#pragma once
#include "hardware/lcd_panel.hpp"
#include <cstdint>
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

    void fill_rect(int x, int y, int w, int h, Rgb c) {
        for (int row = y; row < y + h; ++row)
            for (int col = x; col < x + w; ++col)
                set(col, row, c);
    }

    // Copies `src` with its top-left corner at (x, y), clipped to this picture.
    void paste(const RgbImage& src, int x, int y) {
        for (int row = 0; row < src.height; ++row)
            for (int col = 0; col < src.width; ++col)
                set(x + col, y + row, src.at(col, row));
    }

  private:
    std::size_t offset(int x, int y) const { return static_cast<std::size_t>((y * width + x) * 3); }
};

} // namespace ql
