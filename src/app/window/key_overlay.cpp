#include "app/window/key_overlay.hpp"
#include <algorithm>
#include <memory>
#include <string_view>

namespace ql {

namespace {

constexpr int FONT_SIZE = 12;    // at scale 1
constexpr int SMALLEST_FONT = 6; // below this a tiny window shows the map cut off instead

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using Font = std::unique_ptr<TTF_Font, FontCloser>;

std::vector<std::string> lines_of(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The line origins in `font` inside `text_area`; false when a line would not fit.
bool place_lines(TTF_Font* font, const std::vector<std::string>& lines, const SDL_Rect& text_area,
                 std::vector<SDL_Point>& origins) {
    origins.clear();
    const int skip = TTF_FontLineSkip(font);
    bool fits = static_cast<int>(lines.size()) * skip <= text_area.h;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int width = 0;
        if (!lines[i].empty() && TTF_SizeUTF8(font, lines[i].c_str(), &width, nullptr) != 0)
            width = text_area.w + 1;
        if (width > text_area.w) fits = false;
        origins.push_back({text_area.x, text_area.y + static_cast<int>(i) * skip});
    }
    return fits;
}

} // namespace

TTF_Font* open_mono_font(int size, std::string& error) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        error = "the font library cannot start";
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFont(MONO_FONT_PATH, size);
    if (font == nullptr)
        error =
            std::string("cannot open the font ") + MONO_FONT_PATH + " (install fonts-dejavu-core)";
    return font;
}

bool layout_key_overlay(const char* text, int width, int height, int scale, OverlayLayout& layout,
                        std::string& error) {
    const int margin = 8 * scale;
    layout.frame = {margin, margin, std::max(0, width - 2 * margin),
                    std::max(0, height - 2 * margin)};
    layout.panel = {layout.frame.x + 2 * scale, layout.frame.y + 2 * scale,
                    std::max(0, layout.frame.w - 4 * scale),
                    std::max(0, layout.frame.h - 4 * scale)};
    // The text keeps 8 pixels (times the scale) from the panel's sides, 6 from its top and
    // bottom.
    const SDL_Rect text_area{layout.panel.x + 8 * scale, layout.panel.y + 6 * scale,
                             layout.panel.w - 16 * scale, layout.panel.h - 12 * scale};
    const std::vector<std::string> lines = lines_of(text);
    for (int size = FONT_SIZE * scale;; --size) {
        const Font font(open_mono_font(size, error));
        if (!font) return false;
        layout.font_size = size;
        if (place_lines(font.get(), lines, text_area, layout.origins) || size <= SMALLEST_FONT)
            return true;
    }
}

bool draw_key_overlay(SDL_Surface* surface, const char* text, int scale, std::string& error) {
    // The font is opened only while the key map is shown: the window's start-up and its idle
    // time pay nothing for it.
    OverlayLayout layout;
    if (!layout_key_overlay(text, surface->w, surface->h, scale, layout, error)) return false;
    const Font font(open_mono_font(layout.font_size, error));
    if (!font) return false;
    SDL_FillRect(surface, &layout.frame, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_FillRect(surface, &layout.panel, SDL_MapRGB(surface->format, 255, 255, 255));
    const SDL_Color ink{0, 0, 0, 255}, paper{255, 255, 255, 255};
    SDL_Rect old_clip;
    SDL_GetClipRect(surface, &old_clip);
    SDL_SetClipRect(surface, &layout.panel);
    const std::vector<std::string> lines = lines_of(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        if (SDL_Surface* rendered =
                TTF_RenderUTF8_Shaded(font.get(), lines[i].c_str(), ink, paper)) {
            SDL_Rect at{layout.origins[i].x, layout.origins[i].y, rendered->w, rendered->h};
            SDL_BlitSurface(rendered, nullptr, surface, &at);
            SDL_FreeSurface(rendered);
        }
    }
    SDL_SetClipRect(surface, &old_clip);
    return true;
}

} // namespace ql
