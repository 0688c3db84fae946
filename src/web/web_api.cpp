// The browser page's interface to one simulated device: the same shell as the desktop window
// (its timers, its window picture, its button keys), driven from JavaScript. The page feeds in
// its pointer, keys and clock, and shows the window picture on a canvas.
#include "app/version.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/hardware/buttons.hpp"
#include "device/kernel/kernel.hpp"
#include "device/settings/settings.hpp"
#include "sim/frontend/inspector.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/host/device_setup.hpp"
#include "sim/host/shell.hpp"
#include "sim/script/drive_file.hpp"
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define QL_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define QL_EXPORT
#endif

namespace {

std::unique_ptr<ql::Shell> shell;
std::string message;            // the last refusal, or the last text asked for
std::vector<std::uint8_t> rgba; // the window picture as the canvas takes it
bool picture_new = true;        // the picture changed since the page last took it

std::uint64_t whole_ms(double ms) {
    return ms <= 0 || !std::isfinite(ms) ? 0 : static_cast<std::uint64_t>(ms);
}

} // namespace

extern "C" {

// A new device, powered on at time 0 as `variant` ("" for the usual one, else "0"-"255") in
// `language` ("" for the variant's own, else "english", "french", ...), both as the address
// gives them. Returns 0, or 1 with ql_message() saying why not, in the desktop program's
// words; the device before it is gone either way.
QL_EXPORT int ql_start(const char* variant, const char* language) {
    shell.reset();
    ql::PowerOnOptions options;
    if (!ql::resolve_power_on(variant, language, options, message)) return 1;
    shell = std::make_unique<ql::Shell>(ql::ShellConfig{options, {}, true, true});
    picture_new = true;
    return 0;
}

QL_EXPORT const char* ql_message() {
    return message.c_str();
}

// The language bits a variant offers: 1 English, 2 French, 4 Italian, 8 Spanish, 16 German.
QL_EXPORT int ql_language_mask(int variant) {
    return ql::variant_language_mask(static_cast<ql::Variant>(variant & 0xFF));
}

// The device's variant and its language now (one bit: 1 English, 2 French, ... 16 German).
QL_EXPORT int ql_variant() {
    return shell ? static_cast<int>(shell->power_on_options.variant) : -1;
}
QL_EXPORT int ql_language() {
    return shell ? ql::get_language(shell->dev) : 0;
}

// Simulated milliseconds since the device's window was created.
QL_EXPORT double ql_now() {
    return shell ? static_cast<double>(shell->now_ms) : 0;
}

// Moves the clock to `ms`, every timer due on the way firing in order at its own instant.
QL_EXPORT void ql_advance_to(double ms) {
    if (!shell) return;
    ql::shell_advance_to(*shell, whole_ms(ms));
}

// When the next timer that can change the picture is due; -1 for none. The page sleeps until
// then (the 125 ms timing sample shows nothing and is delivered with the next advance).
QL_EXPORT double ql_next_due() {
    if (!shell) return -1;
    const auto due = ql::shell_next_visible_due(*shell);
    return due ? static_cast<double>(*due) : -1;
}

// The mouse at window point (x, y) of the 500 x 280 picture, as in the desktop window: ignored,
// as there, while a key holds a button.
QL_EXPORT void ql_mouse_down(int x, int y) {
    if (!shell) return;
    ql::shell_mouse_down(*shell, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
}

QL_EXPORT void ql_mouse_up() {
    if (!shell) return;
    ql::shell_mouse_up(*shell);
}

// The page lost the pointer or the focus: a button down is released.
QL_EXPORT void ql_focus_lost() {
    if (!shell) return;
    ql::shell_focus_lost(*shell);
}

// A keyboard key that stands for a button ('q', 'a', 'p', 'l', '1'-'4'), down or up. Returns
// 1 when the character is one of them.
QL_EXPORT int ql_button_key(int character, int down) {
    if (!shell || character <= 0 || character > 127) return 0;
    const auto button = ql::button_for_key(static_cast<char>(character));
    if (!button) return 0;
    if (down != 0)
        ql::shell_button_key_down(*shell, *button);
    else
        ql::shell_button_key_up(*shell, *button);
    return 1;
}

// One press of an arrow key: 0x25 left, 0x26 up, 0x27 right, 0x28 down.
QL_EXPORT void ql_key(int code) {
    if (!shell || code < 0 || code > 255) return;
    ql::shell_key_down(*shell, static_cast<std::uint8_t>(code));
}

// Button b's (0 top-left, 1 bottom-left, 2 bottom-right, 3 top-right) area in window points;
// `edge` 0 left, 1 top, 2 right, 3 bottom.
QL_EXPORT int ql_button_edge(int b, int edge) {
    const ql::ButtonRegion r = ql::button_region(b);
    switch (edge) {
    case 0: return r.left;
    case 1: return r.top;
    case 2: return r.right;
    default: return r.bottom;
    }
}

// Where the LCD lies in the picture: dot (x, y) is the square of ql_lcd_dot_size() pixels
// whose top-left corner is (ql_lcd_x() + x * size, ql_lcd_y() + y * size).
QL_EXPORT int ql_lcd_x() {
    return ql::LCD_WINDOW_X;
}
QL_EXPORT int ql_lcd_y() {
    return ql::LCD_WINDOW_Y;
}
QL_EXPORT int ql_lcd_dot_size() {
    return ql::LCD_DOT_SIZE;
}

QL_EXPORT int ql_picture_width() {
    return ql::WINDOW_WIDTH;
}
QL_EXPORT int ql_picture_height() {
    return ql::WINDOW_HEIGHT;
}

// True when the window picture may look different from the one the page last took.
QL_EXPORT int ql_picture_changed() {
    return shell && (picture_new || shell->picture.stale(shell->dev)) ? 1 : 0;
}

// The window picture (faceplate, LCD, status line), RGBA, rows top to bottom.
QL_EXPORT const std::uint8_t* ql_picture_rgba() {
    if (!shell) return nullptr;
    const ql::RgbImage& image = ql::shell_picture(*shell);
    shell->picture.changes_shown();
    const std::size_t pixels = image.rgb.size() / 3;
    rgba.resize(pixels * 4);
    for (std::size_t i = 0; i < pixels; ++i) {
        rgba[i * 4] = image.rgb[i * 3];
        rgba[i * 4 + 1] = image.rgb[i * 3 + 1];
        rgba[i * 4 + 2] = image.rgb[i * 3 + 2];
        rgba[i * 4 + 3] = 255;
    }
    picture_new = false;
    return rgba.data();
}

// The controller's 1024 bytes: column after column, eight page bytes each, bit 0 on top.
QL_EXPORT const std::uint8_t* ql_frame_memory() {
    return shell ? shell->dev.lcd.frame_memory.data() : nullptr;
}

// The LCD as print-lcd prints it: 64 lines of 128 '#' (dark) or '.' (clear).
QL_EXPORT const char* ql_lcd_text() {
    message = shell ? ql::frame_picture(shell->dev.lcd) : std::string();
    return message.c_str();
}

QL_EXPORT const char* ql_speed_text() {
    return shell ? shell->speed_text.c_str() : "";
}
QL_EXPORT const char* ql_fuel_text() {
    return shell ? shell->fuel_text.c_str() : "";
}

// The simulator's version, as the desktop programs print it to --version.
QL_EXPORT const char* ql_version() {
    return ql::VERSION;
}

QL_EXPORT const char* ql_screen_name() {
    return shell ? ql::screen_name(shell->dev, "") : "";
}

// Off and on again from the device's store, the time and the vehicle going on, as F5 in the
// window.
QL_EXPORT void ql_power_cycle() {
    if (!shell) return;
    ql::shell_power_cycle(*shell); // without a settings file there is nothing to fail
}

// The desktop inspector's lines for the device as it is now, "label\tvalue" a line, with the
// page's clock running at `speed` or `paused`.
QL_EXPORT const char* ql_state_text(double speed, int paused) {
    message.clear();
    if (!shell) return message.c_str();
    for (const auto& line : ql::inspector_lines(*shell, {speed, paused != 0, true}))
        message += line.label + '\t' + line.value + '\n';
    return message.c_str();
}

// Plays a recorded drive (the CSV that --drive takes, `length` bytes named `name`) from now.
// Returns 0, or 1 with ql_message() saying which line is wrong; the drive playing goes on
// then.
QL_EXPORT int ql_play_drive(const char* name, const char* bytes, int length) {
    if (!shell || length < 0) return 1;
    std::vector<ql::DriveRow> rows;
    if (!ql::parse_drive(name, std::string_view(bytes, static_cast<std::size_t>(length)), rows,
                         message))
        return 1;
    ql::shell_start_drive(*shell, std::move(rows));
    return 0;
}

} // extern "C"
