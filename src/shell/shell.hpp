#pragma once
#include "device/device.hpp"
#include "shell/faceplate.hpp"
#include "shell/image.hpp"
#include "shell/timer_queue.hpp"
#include <cstdint>
#include <string>

namespace ql {

// The simulator window's client area: the faceplate with a margin, and the status line below.
inline constexpr int WINDOW_WIDTH = 500;
inline constexpr int WINDOW_HEIGHT = 280;
inline constexpr Rgb WINDOW_BACKGROUND{255, 255, 255};

// A status text: where it is drawn, and the area holding its number, which is cleared before
// each repaint so that a shorter number leaves nothing of a longer one behind.
struct StatusTextPlace {
    int x, y;
    int clear_left, clear_top, clear_right, clear_bottom; // inclusive
};
inline constexpr StatusTextPlace SPEED_TEXT_PLACE{20, 257, 58, 256, 107, 271};
inline constexpr StatusTextPlace FUEL_TEXT_PLACE{160, 257, 190, 256, 209, 271};

// The simulator around one device: its window image, its timers and the routing of every
// window message to the simulated hardware. Constructing it is the window's creation (at time
// 0, hardware reset, periodic timers started); the device powers on at the first paint. Front
// ends feed it messages and time, and show or save `window`.
struct Shell final : Host, PaintSink {
    Device dev;
    TimerQueue timers;
    std::uint64_t now_ms = 0; // milliseconds since the window was created
    RgbImage faceplate;
    RgbImage window;            // the client area as it should look now
    bool window_changed = true; // set whenever `window` changes; the front end clears it
    bool power_on_pending = true;
    bool mouse_held = false; // the left button went down in the window and is not up yet
    std::string speed_text;  // the status texts as last painted
    std::string fuel_text;

    Shell();
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    void start_timer(std::uint8_t id, std::uint32_t period_ms) override;
    void stop_timer(std::uint8_t id) override;
    void repaint_speed_text() override;
    void repaint_fuel_text() override;
    void paint_byte(std::uint8_t column, std::uint8_t page, std::uint8_t data) override;
};

// Window messages. Each lets the device handle every event it produced before returning.
void shell_paint(Shell& shell);
void shell_key_down(Shell& shell, std::uint8_t key);
void shell_timer(Shell& shell, std::uint8_t id);
void shell_mouse_down(Shell& shell, std::int16_t x, std::int16_t y);
void shell_mouse_up(Shell& shell);

// A real window can lose the release: the pointer leaves with the button already up, or
// another window takes the focus. Either releases a button that is down, so that it does not
// stay pressed and auto-repeat.
void shell_pointer_left(Shell& shell, bool left_button_held);
void shell_focus_lost(Shell& shell);

// Moves the shell's clock to `time_ms`, delivering every timer expiry due on the way, in
// order, each as one timer message at its own instant.
void shell_advance_to(Shell& shell, std::uint64_t time_ms);

} // namespace ql
