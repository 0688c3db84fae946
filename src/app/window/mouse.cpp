// The mouse: a left click on the faceplate presses what is under it, as a finger would.
#include "app/window/front_end.hpp"
#include <algorithm>
#include <cstdint>

namespace ql {

namespace {

// Window pixels back to client points of the unscaled window, as signed 16-bit
// values.
std::int16_t client_coordinate(int window_pixel, int scale) {
    const int floor_div =
        window_pixel >= 0 ? window_pixel / scale : -((-window_pixel + scale - 1) / scale);
    return static_cast<std::int16_t>(std::clamp<int>(floor_div, INT16_MIN, INT16_MAX));
}

bool left_button_held() {
    return (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
}

} // namespace

void WindowFrontEnd::mouse_down(const SDL_MouseButtonEvent& button) {
    if (help_shown_) {
        // A click closes the key map and reaches nothing behind it, nor does its release.
        hide_help();
        swallow_release_ = true;
        return;
    }
    if (button.button == SDL_BUTTON_LEFT)
        shell_mouse_down(shell_, client_coordinate(button.x - ox_, scale_),
                         client_coordinate(button.y - oy_, scale_));
}

void WindowFrontEnd::mouse_up(const SDL_MouseButtonEvent& button) {
    if (swallow_release_) {
        swallow_release_ = false;
        return;
    }
    // Reported wherever the pointer is, since the window captures the mouse while the button
    // is down: a release outside the window still releases the button.
    if (button.button == SDL_BUTTON_LEFT) shell_mouse_up(shell_);
}

// A release that went elsewhere shows as motion without the button.
void WindowFrontEnd::mouse_motion() {
    if (shell_.mouse_held) shell_pointer_left(shell_, left_button_held());
}

// The pointer left the window, perhaps with the button still down.
void WindowFrontEnd::pointer_left() {
    shell_pointer_left(shell_, left_button_held());
}

} // namespace ql
