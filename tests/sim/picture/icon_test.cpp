#include "sim/files/png_file.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/icon.hpp"
#include <filesystem>
#include <gtest/gtest.h>

namespace ql {
namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba pixel(const RgbaImage& icon, int x, int y) {
    const auto* p = &icon.rgba[static_cast<std::size_t>((y * icon.width + x) * 4)];
    return {p[0], p[1], p[2], p[3]};
}

// The icons installed: the faceplate at power-on, in the middle of a transparent square, its
// bezel dark and opaque, its LCD light, past its rounded corners nothing; and as a PNG.
TEST(Icon, FaceplateInTheMiddleOfATransparentSquare) {
    Shell shell{ShellConfig{}};
    const RgbImage& window = shell_picture(shell);
    for (const int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        const RgbaImage icon = make_icon(window, size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(icon.rgba.size(), static_cast<std::size_t>(size * size * 4));
        const int top = size / 4, bottom = top + size / 2 - 1; // the faceplate's rows
        EXPECT_EQ(pixel(icon, size / 2, top - 1).a, 0);
        EXPECT_EQ(pixel(icon, size / 2, bottom + 1).a, 0);
        EXPECT_LT(pixel(icon, 0, top).a, 64); // rounded corners, mostly clear
        EXPECT_LT(pixel(icon, size - 1, bottom).a, 64);
        const Rgba bezel = pixel(icon, size / 2, top + 1);
        EXPECT_EQ(bezel.a, 255);
        EXPECT_LT(bezel.r + bezel.g + bezel.b, 3 * 80);
        const Rgba lcd = pixel(icon, size * 3 / 8, size / 2);
        EXPECT_EQ(lcd.a, 255);
        EXPECT_GT(lcd.b, 150);
    }
    // Sizes outside 16-1024 are taken as the nearest allowed.
    EXPECT_EQ(make_icon(window, 1).width, ICON_SIZE_MIN);
    EXPECT_EQ(make_icon(window, 5000).width, ICON_SIZE_MAX);

    const auto path = std::filesystem::temp_directory_path() / "ql730_icon_test.png";
    std::string error;
    ASSERT_TRUE(write_png(path, make_icon(window, 48), error)) << error;
    RgbImage back; // read over white
    ASSERT_TRUE(read_png(path, back, error)) << error;
    EXPECT_EQ(back.width, 48);
    EXPECT_EQ(back.at(0, 0), (Rgb{255, 255, 255}));
    EXPECT_LT(back.at(24, 13).r, 80);
    std::filesystem::remove(path);
    EXPECT_FALSE(write_png("/nonexistent-folder/icon.png", make_icon(window, 48), error));
}

} // namespace
} // namespace ql
