// The keyboard: the faceplate's keys, the arrows for the simulated vehicle, the clock's keys,
// and the window's own (the key map, the inspector, screenshots, recordings, Ctrl+Q).
#include "app/window/front_end.hpp"
#include "device/hardware/keys.hpp"
#include "sim/host/button_keys.hpp"
#include <ctime>
#include <iostream>
#include <optional>

namespace ql {

namespace {

bool arrow_key(SDL_Keycode sym, std::uint8_t& key) {
    switch (sym) {
    case SDLK_UP: key = KEY_UP; return true;
    case SDLK_DOWN: key = KEY_DOWN; return true;
    case SDLK_LEFT: key = KEY_LEFT; return true;
    case SDLK_RIGHT: key = KEY_RIGHT; return true;
    default: return false;
    }
}

// The faceplate key a key stands for, if any.
std::optional<Button> button_key(SDL_Keycode sym) {
    if (sym < 0 || sym > 127) return std::nullopt;
    return button_for_key(static_cast<char>(sym));
}

// Ctrl, Alt or the logo key: such a key never reaches a button or the simulated vehicle.
bool with_modifier(const SDL_Keysym& key) {
    return (key.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0;
}

} // namespace

// Ctrl+Q quits, as closing the window does: false. Any other key, true.
bool WindowFrontEnd::key_down(const SDL_KeyboardEvent& key) {
    if ((key.keysym.mod & KMOD_CTRL) != 0 && key.keysym.sym == SDLK_q) return false;
    if (help_shown_) {
        // Any key closes the key map and does nothing else.
        if (key.repeat == 0) hide_help();
        return true;
    }
    if (with_modifier(key.keysym)) return true;
    if (key.repeat == 0 && (key.keysym.sym == SDLK_h || key.keysym.sym == SDLK_F1)) {
        show_help();
        return true;
    }
    if (key.keysym.sym == SDLK_i) {
        if (key.repeat == 0) toggle_inspector();
        return true;
    }
    if (time_key(key)) return true;
    if (const auto button = button_key(key.keysym.sym)) {
        // The device's own hold and auto-repeat run from the key held down.
        if (key.repeat == 0) shell_button_key_down(shell_, *button);
        return true;
    }
    // Held keys arrive again through the system's key repeat.
    std::uint8_t arrow = 0;
    if (arrow_key(key.keysym.sym, arrow)) shell_key_down(shell_, arrow);
    if (key.keysym.sym == SDLK_F12 && key.repeat == 0)
        screenshot((key.keysym.mod & KMOD_SHIFT) != 0);
    // F11 records the window as a GIF, F10 the session as a script; again stops.
    if (key.keysym.sym == SDLK_F11 && key.repeat == 0)
        recordings_.toggle_gif(".", std::time(nullptr), std::cout, std::cerr);
    if (key.keysym.sym == SDLK_F10 && key.repeat == 0)
        recordings_.toggle_session(".", std::time(nullptr), std::cout, std::cerr);
    if (key.keysym.sym == SDLK_F5 && key.repeat == 0) power_cycle();
    return true;
}

void WindowFrontEnd::key_up(const SDL_KeyboardEvent& key) {
    if (time_key(key)) return;
    if (const auto button = button_key(key.keysym.sym)) shell_button_key_up(shell_, *button);
}

// Space, N and Tab: the clock stops, steps one tick while stopped, or runs fast while Tab
// is down. The shell's clock is brought up to the instant first.
bool WindowFrontEnd::time_key(const SDL_KeyboardEvent& key) {
    const SDL_Keycode sym = key.keysym.sym;
    if (sym != SDLK_SPACE && sym != SDLK_n && sym != SDLK_TAB) return false;
    if (key.repeat != 0) return true;
    const bool down = key.type == SDL_KEYDOWN;
    advance_clock();
    const std::uint64_t wall = wall_ms();
    if (sym == SDLK_SPACE && down) {
        clock_.set_paused(wall, shell_.now_ms, !clock_.paused());
        recordings_.note(clock_.paused() ? "paused" : "resumed");
    }
    if (sym == SDLK_TAB) {
        clock_.set_fast(wall, shell_.now_ms, down);
        recordings_.note(down ? "fast" : "normal speed");
    }
    if (sym == SDLK_n && down && clock_.paused()) {
        recordings_.note("one step");
        shell_advance_to(shell_, shell_.now_ms + STEP_MS);
        clock_.rebase(wall, shell_.now_ms);
    }
    return true;
}

} // namespace ql
