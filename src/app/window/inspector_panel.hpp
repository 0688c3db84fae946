#pragma once
#include "sim/frontend/hint_line.hpp"
#include "sim/frontend/inspector.hpp"
#include <SDL.h>
#include <SDL_ttf.h>
#include <string>
#include <vector>

namespace ql {

// The inspector's width beside the faceplate, in window pixels at scale 1: the window grows to
// the right by this much while it is shown.
inline constexpr int INSPECTOR_WIDTH = 260;

// The inspector panel: label and value lines in DejaVu Sans Mono, black on a light grey
// panel. It redraws only the lines whose text changed since it last drew them.
class InspectorPanel {
  public:
    InspectorPanel() = default;
    ~InspectorPanel();
    InspectorPanel(const InspectorPanel&) = delete;
    InspectorPanel& operator=(const InspectorPanel&) = delete;

    // Opens the font for `scale`; false with `error` set when it cannot be opened.
    bool open(int scale, std::string& error);
    void close();
    bool is_open() const { return font_ != nullptr; }
    // The next draw draws the whole panel: its area was painted over.
    void invalidate() { drawn_.clear(); }

    // Draws into `area` of `surface` what differs from what was drawn last, adding the
    // rectangles it drew to `rects`.
    void draw(SDL_Surface* surface, const SDL_Rect& area, const std::vector<InspectorLine>& lines,
              std::vector<SDL_Rect>& rects);

  private:
    TTF_Font* font_ = nullptr;
    int scale_ = 0;
    std::vector<InspectorLine> drawn_; // empty: nothing drawn yet
};

// Where the key hint goes in the window picture (unscaled): right of the status texts, below
// the faceplate.
inline constexpr SDL_Rect KEY_HINT_AREA{220, 251, 270, 28};

// Draws the hint line into its area at `scale`, the picture's corner at (ox, oy), adding the
// rectangle it drew to `rects`: the clock's state in black at the left of the first line, the
// lines right-aligned, a message in black and the keys' hint in grey. False with `error` set
// when the font cannot be opened.
bool draw_key_hint(SDL_Surface* surface, const HintText& hint, int scale, int ox, int oy,
                   std::vector<SDL_Rect>& rects, std::string& error);

} // namespace ql
