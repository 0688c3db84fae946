#include "app/inspector_panel.hpp"
#include "app/key_overlay.hpp"
#include "shell/key_help.hpp"
#include "shell/window_picture.hpp"
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace ql {
namespace {

std::vector<std::string> help_lines() {
    std::vector<std::string> lines;
    std::istringstream in(KEY_HELP);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool inside(const SDL_Rect& inner, const SDL_Rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

// At every scale, beside the inspector or not, every line of the key map is drawn whole
// inside the panel of its frame, at the full font size.
TEST(KeyOverlay, EveryLineFitsInsideTheFrameAtEveryScale) {
    const std::vector<std::string> lines = help_lines();
    for (int scale = 1; scale <= 4; ++scale)
        for (const int width : {WINDOW_WIDTH, WINDOW_WIDTH + INSPECTOR_WIDTH}) {
            SCOPED_TRACE("scale " + std::to_string(scale) + ", width " + std::to_string(width));
            OverlayLayout layout;
            std::string error;
            ASSERT_TRUE(layout_key_overlay(KEY_HELP, width * scale, WINDOW_HEIGHT * scale, scale,
                                           layout, error))
                << error;
            EXPECT_EQ(layout.font_size, 12 * scale);
            ASSERT_EQ(layout.origins.size(), lines.size());
            EXPECT_TRUE(inside(layout.panel, layout.frame));
            std::unique_ptr<TTF_Font, void (*)(TTF_Font*)> font(
                open_mono_font(layout.font_size, error), TTF_CloseFont);
            ASSERT_TRUE(font) << error;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                int w = 0, h = 0;
                ASSERT_EQ(TTF_SizeUTF8(font.get(), lines[i].c_str(), &w, &h), 0);
                const SDL_Rect extent{layout.origins[i].x, layout.origins[i].y, w, h};
                EXPECT_TRUE(inside(extent, layout.panel)) << lines[i];
            }
        }
}

// A window too small for the map at full size gets a smaller font that still fits.
TEST(KeyOverlay, ASmallWindowGetsASmallerFontThatFits) {
    OverlayLayout layout;
    std::string error;
    ASSERT_TRUE(layout_key_overlay(KEY_HELP, 400, 250, 1, layout, error)) << error;
    EXPECT_LT(layout.font_size, 12);
    std::unique_ptr<TTF_Font, void (*)(TTF_Font*)> font(open_mono_font(layout.font_size, error),
                                                        TTF_CloseFont);
    ASSERT_TRUE(font) << error;
    const std::vector<std::string> lines = help_lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int w = 0, h = 0;
        TTF_SizeUTF8(font.get(), lines[i].c_str(), &w, &h);
        EXPECT_TRUE(inside({layout.origins[i].x, layout.origins[i].y, w, h}, layout.panel))
            << lines[i];
    }
}

// The keys in one column and what they do in the next, whatever the key's length.
TEST(KeyOverlay, TheDescriptionsStartInOneColumn) {
    for (const std::string& line : help_lines()) {
        if (!line.starts_with("  ")) continue;
        ASSERT_GT(line.size(), 13u) << line;
        EXPECT_EQ(line[12], ' ') << line;
        EXPECT_NE(line[13], ' ') << line;
    }
}

} // namespace
} // namespace ql
