#pragma once
#include "resources/bitmap.hpp"

// The 4 x 7 marks at the right end of a list row, drawn by exclusive-or so that they show light
// on the highlighted row.
namespace ql {

// The row opens a screen of its own.
inline constexpr auto ListSubmenuMarker = picture<4, 7>({
    "#...",
    "##..",
    "###.",
    "####",
    "###.",
    "##..",
    "#...",
});

// The current choice of a single-choice list.
inline constexpr auto ListChoiceMarker = picture<4, 7>({
    "...#",
    "..##",
    ".###",
    "####",
    ".###",
    "..##",
    "...#",
});

} // namespace ql
