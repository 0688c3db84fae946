// Compares a screenshot of the real simulator window (an X window dump, as xwd writes it)
// with the headless driver's window picture (a PNG from save-window): the LCD area and the
// status line must agree pixel for pixel. With SCALE, OX and OY the window shows the picture
// enlarged SCALE times with its corner at (OX, OY): each headless pixel must be a whole square
// of SCALE x SCALE window pixels.
// Usage: window_compare WINDOW.xwd HEADLESS.png [SCALE OX OY]
//        window_compare --ink WINDOW.xwd X Y W H (prints the black pixels in the area)
#include "device/hardware/lcd_panel.hpp"
#include "sim/files/png_file.hpp"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Area {
    const char* name;
    int left, top, right, bottom; // inclusive
};

constexpr Area AREAS[] = {
    {"LCD", ql::LCD_WINDOW_X, ql::LCD_WINDOW_Y, ql::LCD_WINDOW_X + 2 * ql::LCD_COLUMNS - 1,
     ql::LCD_WINDOW_Y + 2 * ql::LCD_ROWS - 1},
    {"status line", 20, 256, 209, 271},
};

std::uint32_t big_endian(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

int shift_of(std::uint32_t mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The window dump as RGB: a ZPixmap of 24 or 32 bits per pixel with channel masks, the header
// in big-endian order as xwd writes it.
bool read_xwd(const std::string& path, ql::RgbImage& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (bytes.size() < 100) {
        error = path + ": not an X window dump";
        return false;
    }
    auto field = [&](int i) { return big_endian(bytes, static_cast<std::size_t>(i) * 4); };
    const std::uint32_t header_size = field(0), format = field(2), width = field(4),
                        height = field(5), byte_order = field(7), bits = field(11),
                        line = field(12), red = field(14), green = field(15), blue = field(16),
                        colours = field(19);
    if (format != 2 || (bits != 24 && bits != 32) || width > 8192 || height > 8192) {
        error = path + ": only 24- and 32-bit colour window dumps are understood";
        return false;
    }
    const std::size_t data = header_size + static_cast<std::size_t>(colours) * 12;
    if (bytes.size() < data + static_cast<std::size_t>(line) * height) {
        error = path + ": the window dump is cut short";
        return false;
    }
    image = ql::RgbImage(static_cast<int>(width), static_cast<int>(height));
    const std::size_t step = bits / 8;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t at = data + y * line + x * step;
            std::uint32_t v = 0;
            for (std::size_t i = 0; i < step; ++i) {
                const std::uint32_t b = static_cast<unsigned char>(bytes[at + i]);
                v |= byte_order == 0 ? b << (8 * i) : b << (8 * (step - 1 - i));
            }
            image.set(static_cast<int>(x), static_cast<int>(y),
                      ql::Rgb{static_cast<std::uint8_t>((v & red) >> shift_of(red)),
                              static_cast<std::uint8_t>((v & green) >> shift_of(green)),
                              static_cast<std::uint8_t>((v & blue) >> shift_of(blue))});
        }
    return true;
}

std::string colour(ql::Rgb c) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
    return text;
}

} // namespace

// --ink: how many pixels of the area are black ink (each channel below 64): the window's own
// texts that are no part of the picture, its messages black, its keys' hint grey.
int count_ink(char** argv) {
    ql::RgbImage real;
    std::string error;
    if (!read_xwd(argv[2], real, error)) {
        std::cerr << error << '\n';
        return 2;
    }
    const int left = std::atoi(argv[3]), top = std::atoi(argv[4]);
    const int right = left + std::atoi(argv[5]), bottom = top + std::atoi(argv[6]);
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (real.contains(x, y)) {
                const ql::Rgb c = real.at(x, y);
                if (c.r < 64 && c.g < 64 && c.b < 64) ++ink;
            }
    std::cout << ink << '\n';
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 7 && std::string(argv[1]) == "--ink") return count_ink(argv);
    if (argc != 3 && argc != 6) {
        std::cerr << "usage: window_compare WINDOW.xwd HEADLESS.png [SCALE OX OY]\n"
                     "       window_compare --ink WINDOW.xwd X Y W H\n";
        return 2;
    }
    const int scale = argc == 6 ? std::atoi(argv[3]) : 1;
    const int ox = argc == 6 ? std::atoi(argv[4]) : 0;
    const int oy = argc == 6 ? std::atoi(argv[5]) : 0;
    if (scale < 1) {
        std::cerr << "window_compare: SCALE must be 1 or more\n";
        return 2;
    }
    ql::RgbImage real, headless;
    std::string error;
    if (!read_xwd(argv[1], real, error) || !ql::read_png(argv[2], headless, error)) {
        std::cerr << error << '\n';
        return 2;
    }
    int failures = 0;
    for (const Area& area : AREAS) {
        int differing = 0;
        for (int y = area.top; y <= area.bottom; ++y)
            for (int x = area.left; x <= area.right; ++x)
                for (int i = 0; i < scale * scale; ++i) {
                    const int wx = ox + x * scale + i % scale, wy = oy + y * scale + i / scale;
                    const ql::Rgb a = real.contains(wx, wy) ? real.at(wx, wy) : ql::Rgb{0, 0, 0};
                    const ql::Rgb b = headless.at(x, y);
                    if (a == b) continue;
                    if (differing++ < 5)
                        std::cerr << area.name << " differs at (" << wx << ", " << wy
                                  << "): window " << colour(a) << ", headless " << colour(b)
                                  << '\n';
                }
        if (differing > 0) {
            std::cerr << area.name << ": " << differing << " pixels differ\n";
            ++failures;
        } else {
            std::cout << area.name << ": identical\n";
        }
    }
    return failures == 0 ? 0 : 1;
}
