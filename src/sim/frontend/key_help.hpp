#pragma once
#include "sim/picture/image.hpp"

namespace ql {

// The window's keys, one a line: what --help lists and what H or F1 shows over the window.
extern const char* const KEY_HELP;

// The two-line hint the window shows beside the status texts.
extern const char* const KEY_HINT;

// The picture enlarged by whole pixels, `scale` x `scale` pixels a pixel: the window as shown.
RgbImage scaled_picture(const RgbImage& picture, int scale);

} // namespace ql
