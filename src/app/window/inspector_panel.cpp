#include "app/window/inspector_panel.hpp"
#include "app/window/key_overlay.hpp"
#include <algorithm>

namespace ql {

namespace {

constexpr SDL_Color INK{0, 0, 0, 255};
constexpr SDL_Color PANEL{236, 236, 236, 255};
constexpr SDL_Color HINT_INK{110, 110, 110, 255};
constexpr SDL_Color HINT_PAPER{255, 255, 255, 255};
constexpr int LABEL_COLUMNS = 12; // characters before the values

void fill(SDL_Surface* surface, const SDL_Rect& rect, SDL_Color c) {
    SDL_FillRect(surface, &rect, SDL_MapRGB(surface->format, c.r, c.g, c.b));
}

// Draws one line of text with its top-left corner at (x, y), clipped to `clip`.
void draw_text(SDL_Surface* surface, TTF_Font* font, const std::string& text, int x, int y,
               SDL_Color ink, SDL_Color paper, const SDL_Rect& clip) {
    if (text.empty()) return;
    SDL_Surface* rendered = TTF_RenderUTF8_Shaded(font, text.c_str(), ink, paper);
    if (rendered == nullptr) return;
    SDL_Rect old_clip;
    SDL_GetClipRect(surface, &old_clip);
    SDL_SetClipRect(surface, &clip);
    SDL_Rect at{x, y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered, nullptr, surface, &at);
    SDL_SetClipRect(surface, &old_clip);
    SDL_FreeSurface(rendered);
}

} // namespace

InspectorPanel::~InspectorPanel() {
    close();
}

bool InspectorPanel::open(int scale, std::string& error) {
    if (font_ != nullptr && scale == scale_) return true;
    close();
    font_ = open_mono_font(9 * scale, error);
    scale_ = scale;
    return font_ != nullptr;
}

void InspectorPanel::close() {
    if (font_ != nullptr) TTF_CloseFont(font_);
    font_ = nullptr;
    drawn_.clear();
}

void InspectorPanel::draw(SDL_Surface* surface, const SDL_Rect& area,
                          const std::vector<InspectorLine>& lines, std::vector<SDL_Rect>& rects) {
    if (font_ == nullptr || lines == drawn_) return;
    const int margin = 6 * scale_;
    const int skip = TTF_FontLineSkip(font_);
    int advance = 0;
    TTF_GlyphMetrics(font_, 'M', nullptr, nullptr, nullptr, nullptr, &advance);
    const bool whole = drawn_.empty();
    if (whole) {
        fill(surface, area, PANEL);
        rects.push_back(area);
    }
    const std::size_t rows = std::max(lines.size(), drawn_.size());
    for (std::size_t i = 0; i < rows; ++i) {
        const int y = area.y + margin + static_cast<int>(i) * skip;
        if (y >= area.y + area.h) break;
        if (!whole && i < drawn_.size() && i < lines.size() && lines[i] == drawn_[i]) continue;
        const SDL_Rect row{area.x, y, area.w, std::min(skip, area.y + area.h - y)};
        if (!whole) {
            fill(surface, row, PANEL);
            rects.push_back(row);
        }
        if (i >= lines.size()) continue;
        const SDL_Rect clip{area.x + margin, row.y, area.w - 2 * margin, row.h};
        draw_text(surface, font_, lines[i].label, clip.x, y, INK, PANEL, clip);
        draw_text(surface, font_, lines[i].value, clip.x + LABEL_COLUMNS * advance, y, INK, PANEL,
                  clip);
    }
    drawn_ = lines;
}

bool draw_key_hint(SDL_Surface* surface, const HintText& hint, int scale, int ox, int oy,
                   std::vector<SDL_Rect>& rects, std::string& error) {
    // Opened only while the hint is drawn: when its text changes, after a resize and after
    // the key map.
    TTF_Font* font = open_mono_font(9 * scale, error);
    if (font == nullptr) return false;
    const SDL_Rect area{ox + KEY_HINT_AREA.x * scale, oy + KEY_HINT_AREA.y * scale,
                        KEY_HINT_AREA.w * scale, KEY_HINT_AREA.h * scale};
    fill(surface, area, HINT_PAPER);
    const int skip = TTF_FontLineSkip(font);
    const int top = area.y + (area.h - 2 * skip) / 2;
    draw_text(surface, font, hint.state, area.x, top, INK, HINT_PAPER, area);
    for (std::size_t i = 0; i < hint.lines.size(); ++i) {
        int width = 0;
        TTF_SizeUTF8(font, hint.lines[i].c_str(), &width, nullptr);
        // Right-aligned with the faceplate's right edge.
        draw_text(surface, font, hint.lines[i], area.x + area.w - width,
                  top + static_cast<int>(i) * skip, hint.message ? INK : HINT_INK, HINT_PAPER,
                  area);
    }
    TTF_CloseFont(font);
    rects.push_back(area);
    return true;
}

} // namespace ql
