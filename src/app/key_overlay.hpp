#pragma once
#include <SDL.h>
#include <string>

namespace ql {

// Draws `text` (lines ending in '\n') on a framed white panel over the window's surface, in
// DejaVu Sans Mono at `scale` times its normal size. False with `error` set when the font
// cannot be opened (fonts-dejavu-core not installed).
bool draw_key_overlay(SDL_Surface* surface, const char* text, int scale, std::string& error);

} // namespace ql
