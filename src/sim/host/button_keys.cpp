#include "sim/host/button_keys.hpp"
#include "device/hardware/buttons.hpp"

namespace ql {

std::optional<Button> button_for_key(char key) {
    switch (key) {
    case 'q':
    case '1': return BTN_TOP_LEFT;
    case 'a':
    case '2': return BTN_BOTTOM_LEFT;
    case 'l':
    case '3': return BTN_BOTTOM_RIGHT;
    case 'p':
    case '4': return BTN_TOP_RIGHT;
    default: return std::nullopt;
    }
}

void shell_button_key_down(Shell& shell, Button button) {
    if (shell.mouse_held) return;
    const ButtonRegion r = button_region(button);
    shell_mouse_down(shell, static_cast<std::int16_t>((r.left + r.right) / 2),
                     static_cast<std::int16_t>((r.top + r.bottom) / 2));
    shell.key_button = button;
}

void shell_button_key_up(Shell& shell, Button button) {
    if (!shell.key_button || *shell.key_button != button) return;
    shell.key_button.reset();
    if (shell.mouse_held) shell_mouse_up(shell);
}

std::optional<Button> shell_pressed_button(const Shell& shell) {
    if (!shell.dev.buttons.pressed) return std::nullopt;
    return shell.dev.buttons.button;
}

} // namespace ql
