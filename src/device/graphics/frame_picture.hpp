#pragma once
#include <string>

namespace ql {

struct LcdPanel;

// The panel (or a region of it) as rows of '#' (dark) and '.' (clear), one line per dot row,
// each ending in '\n': what tests compare and what the headless driver prints.
std::string frame_picture(const LcdPanel& lcd, int x = 0, int y = 0, int width = 128,
                          int height = 64);

} // namespace ql
