#pragma once
#include "sim/picture/image.hpp"

namespace ql {

inline constexpr int ICON_SIZE_MIN = 16;
inline constexpr int ICON_SIZE_MAX = 1024;

// The program's icon, SIZE x SIZE pixels (ICON_SIZE_MIN to ICON_SIZE_MAX): the faceplate of
// `window` (a window picture, so with whatever its LCD shows) scaled down to the icon's width,
// each icon pixel the average of the faceplate pixels it covers, in the middle of the height.
// Above and below it and past the body's rounded corners the icon is transparent.
RgbaImage make_icon(const RgbImage& window, int size);

} // namespace ql
