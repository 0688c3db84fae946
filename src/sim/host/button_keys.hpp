#pragma once
#include "device/kernel/events.hpp"
#include "sim/host/shell.hpp"
#include <optional>

namespace ql {

// The keyboard's stand-ins for the four buttons, laid out like the faceplate: Q and A on the
// left (top, bottom), P and L on the right; 1 to 4 in the order top-left, bottom-left,
// bottom-right, top-right. `key` is the character the key types, lower case.
std::optional<Button> button_for_key(char key);

// A key held holds its button through the same path as a mouse press on the button's middle,
// so the hold and the auto-repeat behave as with the mouse. The system's key repeat must not
// reach here (the front end drops repeated key-downs). A second key while a button is down,
// by mouse or key, is ignored; only the key that pressed a button releases it.
void shell_button_key_down(Shell& shell, Button button);
void shell_button_key_up(Shell& shell, Button button);

// The button the window should show pressed: the device's button while it is down.
std::optional<Button> shell_pressed_button(const Shell& shell);

} // namespace ql
