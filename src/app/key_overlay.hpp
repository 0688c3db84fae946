#pragma once
#include <SDL.h>
#include <SDL_ttf.h>
#include <string>

namespace ql {

// The window's own texts are drawn in this font (fonts-dejavu-core).
inline constexpr const char* MONO_FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// Opens the font at `size` pixels; null with `error` set, in our words, when it cannot be.
TTF_Font* open_mono_font(int size, std::string& error);

// Draws `text` (lines ending in '\n') on a framed white panel over the window's surface, in
// DejaVu Sans Mono at `scale` times its normal size. False with `error` set when the font
// cannot be opened (fonts-dejavu-core not installed).
bool draw_key_overlay(SDL_Surface* surface, const char* text, int scale, std::string& error);

} // namespace ql
