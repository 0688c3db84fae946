#pragma once
#include "sim/picture/image.hpp"

namespace ql {

inline constexpr int FACEPLATE_WIDTH = 480;
inline constexpr int FACEPLATE_HEIGHT = 240;
// Where the window shows the faceplate's top-left corner.
inline constexpr int FACEPLATE_X = 10;
inline constexpr int FACEPLATE_Y = 10;

// The instrument's front as a product drawing: black bezel, the four push-buttons, the recessed
// display window and the printed lettering. Shown at (FACEPLATE_X, FACEPLATE_Y), the buttons lie
// exactly on the click regions and the display window around the panel.
RgbImage make_faceplate();

// How much of faceplate pixel (x, y) the instrument's body covers: 1 inside its outline, 0 past
// its rounded corners, a part on the smoothed edge (drawn there over white).
double faceplate_opacity(int x, int y);

// The faceplate drawn once, on first use, for every window of the process.
const RgbImage& faceplate_picture();

} // namespace ql
