#pragma once
#include "device/device.hpp"
#include "device/power_on.hpp"
#include "sim/host/drive_playback.hpp"
#include "sim/host/timer_queue.hpp"
#include "sim/picture/faceplate.hpp"
#include "sim/picture/image.hpp"
#include "sim/picture/window_picture.hpp"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ql {

struct Shell;

// An input message as the device receives it.
struct ShellInput {
    enum class Kind : std::uint8_t { mouse_down, mouse_up, key, power_cycle };
    Kind kind = Kind::mouse_down;
    std::int16_t x = 0; // mouse_down: the window point
    std::int16_t y = 0;
    std::uint8_t key = 0; // key: the virtual key code
};

// Watches a shell's messages: what the recordings are made from. Observers are told in the
// order they were added; one may remove itself while being told.
struct ShellObserver {
    virtual ~ShellObserver() = default;
    // An input about to reach the device, at the shell's current time.
    virtual void input(const Shell& shell, const ShellInput& in) {
        (void)shell;
        (void)in;
    }
    // After every message (input, timer expiry or paint), once the device has handled it.
    virtual void handled(Shell& shell) { (void)shell; }
};

// How a shell starts: what the device powers on as and where its store is kept.
struct ShellConfig {
    PowerOnOptions power_on;   // what the first paint powers on as
    std::string settings_file; // when named, the store is kept there
    // The first paint (the device's power-on) at once; false leaves it to the caller, who
    // starts watching the shell first (the window's session log records that paint).
    bool paint = true;
    // The window picture shows the button that is down pressed into the faceplate, as the live
    // window and the page do; the headless pictures do not.
    bool pressed_look = false;
};

// The simulator around one device: its window picture, its timers and the routing of every
// window message to the simulated hardware. Constructing it is the window's creation (at time
// 0, hardware reset, periodic timers started); the device powers on at the first paint. Front
// ends feed it messages and time, and show or save shell_picture().
struct Shell final : Host, PaintSink {
    Device dev;
    TimerQueue timers;
    std::uint64_t now_ms = 0; // milliseconds since the window was created
    WindowPicture picture;    // made from the LCD's memory and the status texts when looked at
    bool power_on_pending = true;
    bool mouse_held = false; // the left button went down in the window and is not up yet
    std::string speed_text;  // the status texts as last painted
    std::string fuel_text;
    std::optional<Button> key_button; // the button a held key holds down
    PowerOnOptions power_on_options;  // what the first paint powers on as
    std::string settings_file;        // when named, the store is kept there (written at power-on,
    Settings saved_settings{};        // whenever it changes and at exit); what it holds now
    DrivePlayback drive;              // a recorded drive playing, if any
    std::vector<ShellObserver*> observers; // not owned

    Shell();
    // A shell set up by `config`, painted (so powered on) unless config.paint is false.
    explicit Shell(const ShellConfig& config);
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
// While a key holds a button (key_button), the mouse's presses and releases are ignored, in
// every front end: only that key's release lets the button go.
void shell_paint(Shell& shell);
void shell_key_down(Shell& shell, std::uint8_t key);
void shell_timer(Shell& shell, std::uint8_t id);
void shell_mouse_down(Shell& shell, std::int16_t x, std::int16_t y);
void shell_mouse_up(Shell& shell);

// Switches the device off and on again, as its power switch would: it powers on from the store
// it kept (with a settings file, from what the file holds now: absent, the factory settings;
// marked invalid by a factory reset, rebuilt from the factory defaults), and the file is
// written again. The shell's time, its timers, the vehicle's speed, the fuel reading and a
// drive playing go on (see device_power_cycle for what the device loses). The picture is
// brought up to date; a front end only shows it. Does nothing before the first paint has
// powered the device on. Returns "" or, when the settings file cannot be read, one line
// saying why; the device then powers on from the store it held.
std::string shell_power_cycle(Shell& shell);

void shell_add_observer(Shell& shell, ShellObserver* observer);
void shell_remove_observer(Shell& shell, ShellObserver* observer);

// A real window can lose the release: the pointer leaves with the button already up, or
// another window takes the focus. Either releases a button that is down, so that it does not
// stay pressed and auto-repeat; the pointer leaving does not release one a key holds.
void shell_pointer_left(Shell& shell, bool left_button_held);
void shell_focus_lost(Shell& shell);

// Moves the shell's clock to `time_ms`, delivering every timer expiry due on the way, in
// order, each as one timer message at its own instant, and every row of a recorded drive at
// its own instant (after the expiries due at that same instant, so that a tick counts the
// quarter second before it at the speed driven then).
void shell_advance_to(Shell& shell, std::uint64_t time_ms);

// Starts a recorded drive now, in place of any drive still playing; rows due at once are
// applied at once. The speed and the fuel reading then hold each row's values until the next
// row (the keys change them in between), and the last row's after the end.
void shell_start_drive(Shell& shell, std::vector<DriveRow> rows);
// A live receiver's speed in 0.1 km/h, from now until the next one (at most 300 km/h).
void shell_set_speed(Shell& shell, std::uint16_t speed_tenths);

// The window's client area as it looks now, made from the LCD's memory and the status texts
// where they changed since it was last asked for.
const RgbImage& shell_picture(Shell& shell);

// The next instant at which a timer expiry or a drive row can change what the window shows. The 125
// ms performance timer only samples the vehicle into the timing unit: it draws nothing and posts no
// event, and what it counted is read only by a later message. A front end that shows the picture
// may let its expiries wait for the next visible one (or for input), and deliver them then with
// shell_advance_to, each still at its own instant.
std::optional<std::uint64_t> shell_next_visible_due(const Shell& shell);

} // namespace ql
