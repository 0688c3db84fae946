#pragma once
#include <SDL.h>
#include <SDL_ttf.h>
#include <string>
#include <vector>

namespace ql {

// The window's own texts are drawn in this font (fonts-dejavu-core).
inline constexpr const char* MONO_FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// Opens the font at `size` pixels; null with `error` set, in our words, when it cannot be.
TTF_Font* open_mono_font(int size, std::string& error);

// Where the key map goes over a window surface: a black frame, a white panel inside it, and
// the top-left corner of each line of text at `font_size`.
struct OverlayLayout {
    SDL_Rect frame{};
    SDL_Rect panel{};
    int font_size = 0;
    std::vector<SDL_Point> origins; // one a line, empty lines included
};

// Lays `text` (lines ending in '\n') out over a `width` x `height` surface at `scale`: the
// font at 12 pixels times the scale, or smaller where that is needed for every line to fit
// inside the panel, its margins kept. False with `error` set when the font cannot be opened.
bool layout_key_overlay(const char* text, int width, int height, int scale, OverlayLayout& layout,
                        std::string& error);

// Draws `text` on a framed white panel over the window's surface, laid out as above. False
// with `error` set when the font cannot be opened (fonts-dejavu-core not installed).
bool draw_key_overlay(SDL_Surface* surface, const char* text, int scale, std::string& error);

} // namespace ql
