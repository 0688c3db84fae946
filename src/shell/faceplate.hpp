#pragma once
#include "shell/image.hpp"

namespace ql {

inline constexpr int FACEPLATE_WIDTH = 480;
inline constexpr int FACEPLATE_HEIGHT = 240;

// The instrument's front as a product drawing: black bezel, the four push-buttons, the recessed
// display window and the printed lettering. The window shows it with its top-left corner at
// client point (10, 10), where the buttons lie exactly on the click regions and the display
// window around the panel.
RgbImage make_faceplate();

} // namespace ql
