#include "app/key_overlay.hpp"
#include <string_view>

namespace ql {

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

bool draw_key_overlay(SDL_Surface* surface, const char* text, int scale, std::string& error) {
    // The font is opened only while the key map is shown: the window's start-up and its idle
    // time pay nothing for it.
    TTF_Font* font = open_mono_font(12 * scale, error);
    if (font == nullptr) return false;
    const int margin = 8 * scale;
    SDL_Rect frame{margin, margin, surface->w - 2 * margin, surface->h - 2 * margin};
    SDL_FillRect(surface, &frame, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_Rect panel{frame.x + 2 * scale, frame.y + 2 * scale, frame.w - 4 * scale,
                   frame.h - 4 * scale};
    SDL_FillRect(surface, &panel, SDL_MapRGB(surface->format, 255, 255, 255));
    const SDL_Color ink{0, 0, 0, 255}, paper{255, 255, 255, 255};
    std::string_view rest(text);
    int y = panel.y + 6 * scale;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string line(rest.substr(0, end));
        if (!line.empty()) {
            if (SDL_Surface* rendered = TTF_RenderUTF8_Shaded(font, line.c_str(), ink, paper)) {
                SDL_Rect at{panel.x + 8 * scale, y, rendered->w, rendered->h};
                SDL_BlitSurface(rendered, nullptr, surface, &at);
                SDL_FreeSurface(rendered);
            }
        }
        y += TTF_FontLineSkip(font);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    TTF_CloseFont(font);
    return true;
}

} // namespace ql
