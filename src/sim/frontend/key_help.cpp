#include "sim/frontend/key_help.hpp"

namespace ql {

const char* const KEY_HELP = R"(Keys in the window:
  Q or 1     top-left button      P or 4  top-right button
  A or 2     bottom-left button   L or 3  bottom-right button
             (a key held holds the button, as the mouse does)
  Up Down    speed -/+ 10 km/h
  Left Right fuel-sender reading -/+ 1
  Space      pause or resume the simulated time
  N          one 250 ms step while paused
  Tab        held: run x16
  I          the inspector: device state and settings
  F12        save the window as shown; Shift+F12 the LCD
  F11        start or stop a GIF (ql730-DATE-TIME.gif)
  F10        start or stop a script of the session for
             --headless (ql730-session-DATE-TIME.txt)
  F5         power cycle: off and on again from the store
  Ctrl+Q     quit, as closing the window does
  H or F1    this key map; any key or click closes it
)";

const char* const KEY_HINT = "Q A P L: the buttons\nUp Down: speed  Left Right: fuel  H: help";

RgbImage scaled_picture(const RgbImage& picture, int scale) {
    RgbImage out(picture.width * scale, picture.height * scale);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.set(x, y, picture.at(x / scale, y / scale));
    return out;
}

} // namespace ql
