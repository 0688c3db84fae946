#include "app/window/inspector_panel.hpp"
#include "app/window/key_overlay.hpp"
#include "sim/frontend/key_help.hpp"
#include "sim/picture/window_picture.hpp"
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
// inside the panel of its frame, at the full font size; a window too small for that (as a
// window manager may make it) gets a smaller font that still fits.
TEST(KeyOverlay, EveryLineFitsInsideTheFrameAtEveryScale) {
    const std::vector<std::string> lines = help_lines();
    struct Case {
        int width, height, scale;
    };
    std::vector<Case> cases{{400, 250, 1}};
    for (int scale = 1; scale <= 4; ++scale)
        for (const int width : {WINDOW_WIDTH, WINDOW_WIDTH + INSPECTOR_WIDTH})
            cases.push_back({width * scale, WINDOW_HEIGHT * scale, scale});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        OverlayLayout layout;
        std::string error;
        ASSERT_TRUE(layout_key_overlay(KEY_HELP, c.width, c.height, c.scale, layout, error))
            << error;
        if (c.height == WINDOW_HEIGHT * c.scale) {
            EXPECT_EQ(layout.font_size, 12 * c.scale);
        } else {
            EXPECT_LT(layout.font_size, 12 * c.scale);
        }
        ASSERT_EQ(layout.origins.size(), lines.size());
        EXPECT_TRUE(inside(layout.panel, layout.frame));
        std::unique_ptr<TTF_Font, void (*)(TTF_Font*)> font(open_mono_font(layout.font_size, error),
                                                            TTF_CloseFont);
        ASSERT_TRUE(font) << error;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            int w = 0, h = 0;
            ASSERT_EQ(TTF_SizeUTF8(font.get(), lines[i].c_str(), &w, &h), 0);
            EXPECT_TRUE(inside({layout.origins[i].x, layout.origins[i].y, w, h}, layout.panel))
                << lines[i];
        }
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
