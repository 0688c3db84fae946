#include "sim/host/shell.hpp"
#include "device/hardware/fuel_sender.hpp"
#include "device/hardware/vehicle.hpp"
#include "device/wiring.hpp"
#include "sim/host/settings_file.hpp"
#include <algorithm>
#include <cstdio>
#include <iostream>

namespace ql {

Shell::Shell() {
    dev.host = this;
    dev.lcd.sink = this;
    timer_start(timers, TIMER_TICK, 250, now_ms);
    timer_start(timers, TIMER_PERF, 125, now_ms);
    device_create(dev);
}

Shell::Shell(const ShellConfig& config) : Shell() {
    power_on_options = config.power_on;
    settings_file = config.settings_file;
    picture.show_pressed_buttons(config.pressed_look);
    if (config.paint) shell_paint(*this);
}

Shell::~Shell() {
    // At exit the store goes to its file once more, whatever changed last.
    if (!settings_file.empty() && !power_on_pending) {
        std::string error;
        if (!save_settings_file(settings_file, dev.settings, error)) std::cerr << error << '\n';
    }
    timer_stop(timers, TIMER_TICK);
    timer_stop(timers, TIMER_PERF);
    device_destroy(dev);
    dev.lcd.sink = nullptr;
}

void Shell::start_timer(std::uint8_t id, std::uint32_t period_ms) {
    timer_start(timers, id, period_ms, now_ms);
}

void Shell::stop_timer(std::uint8_t id) {
    timer_stop(timers, id);
}

void Shell::repaint_speed_text() {
    char text[32];
    std::snprintf(text, sizeof text, "Speed : %d kph", get_speed(dev, SpeedSource::Current) / 10);
    speed_text = text;
    picture.status_changed();
}

void Shell::repaint_fuel_text() {
    char text[32];
    std::snprintf(text, sizeof text, "Fuel : %d", get_sender_reading(dev));
    fuel_text = text;
    picture.status_changed();
}

void Shell::paint_byte(std::uint8_t /*column*/, std::uint8_t /*page*/, std::uint8_t /*data*/) {
    // The memory already holds the byte; the picture takes it from there when looked at.
    picture.lcd_written();
}

namespace {

// Each observer is told once, even one that leaves while being told.
template <typename Tell> void tell(const Shell& shell, Tell tell_one) {
    for (std::size_t i = 0; i < shell.observers.size();) {
        ShellObserver* o = shell.observers[i];
        tell_one(o);
        if (i < shell.observers.size() && shell.observers[i] == o) ++i;
    }
}

void tell_input(const Shell& shell, const ShellInput& in) {
    tell(shell, [&](ShellObserver* o) { o->input(shell, in); });
}

void tell_handled(Shell& shell) {
    tell(shell, [&](ShellObserver* o) { o->handled(shell); });
}

// The store goes to the settings file, if there is one.
void save_store(Shell& shell) {
    if (shell.settings_file.empty()) return;
    shell.saved_settings = shell.dev.settings;
    std::string error;
    if (!save_settings_file(shell.settings_file, shell.dev.settings, error))
        std::cerr << error << '\n';
}

// After every message: a store that changed goes to the settings file; the observers look.
void keep_settings(Shell& shell) {
    tell_handled(shell);
    if (shell.settings_file.empty() || shell.power_on_pending) return;
    if (shell.saved_settings == shell.dev.settings) return;
    std::string error;
    if (save_settings_file(shell.settings_file, shell.dev.settings, error))
        shell.saved_settings = shell.dev.settings;
    else
        std::cerr << error << '\n';
}

} // namespace

void shell_paint(Shell& shell) {
    shell.picture.redraw_all();
    shell.repaint_speed_text();
    shell.repaint_fuel_text();
    // The device starts only once its window can show what it draws.
    if (shell.power_on_pending) {
        device_start(shell.dev, shell.power_on_options);
        shell.power_on_pending = false;
        save_store(shell);
    }
    tell_handled(shell);
}

std::string shell_power_cycle(Shell& shell) {
    if (shell.power_on_pending) return {};
    if (!shell.observers.empty()) tell_input(shell, {ShellInput::Kind::power_cycle, 0, 0, 0});
    PowerOnOptions options = shell.power_on_options;
    options.stored = shell.dev.settings;
    std::string problem;
    if (!shell.settings_file.empty()) {
        Settings kept{};
        bool present = false;
        if (!load_settings_file(shell.settings_file, kept, present, problem))
            options.stored = shell.dev.settings;
        else if (present)
            options.stored = kept;
        else
            options.stored.reset();
    }
    // The button the mouse or a key holds lets go with the power.
    shell.mouse_held = false;
    shell.key_button.reset();
    device_power_cycle(shell.dev, options);
    shell.repaint_speed_text();
    shell.repaint_fuel_text();
    save_store(shell);
    tell_handled(shell);
    return problem;
}

void shell_key_down(Shell& shell, std::uint8_t key) {
    if (!shell.observers.empty()) tell_input(shell, {ShellInput::Kind::key, 0, 0, key});
    device_key(shell.dev, key);
    keep_settings(shell);
}

void shell_timer(Shell& shell, std::uint8_t id) {
    device_timer(shell.dev, id);
    keep_settings(shell);
}

void shell_mouse_down(Shell& shell, std::int16_t x, std::int16_t y) {
    if (shell.key_button) return; // a key holds a button: the mouse waits for its release
    if (!shell.observers.empty()) tell_input(shell, {ShellInput::Kind::mouse_down, x, y, 0});
    shell.mouse_held = true;
    device_mouse_down(shell.dev, x, y);
    keep_settings(shell);
}

void shell_mouse_up(Shell& shell) {
    if (shell.key_button) return;
    if (!shell.observers.empty()) tell_input(shell, {ShellInput::Kind::mouse_up, 0, 0, 0});
    shell.mouse_held = false;
    device_mouse_up(shell.dev);
    keep_settings(shell);
}

void shell_add_observer(Shell& shell, ShellObserver* observer) {
    if (std::find(shell.observers.begin(), shell.observers.end(), observer) ==
        shell.observers.end())
        shell.observers.push_back(observer);
}

void shell_remove_observer(Shell& shell, ShellObserver* observer) {
    std::erase(shell.observers, observer);
}

void shell_pointer_left(Shell& shell, bool left_button_held) {
    if (shell.mouse_held && !left_button_held) shell_mouse_up(shell);
}

void shell_focus_lost(Shell& shell) {
    shell.key_button.reset(); // its key's release goes elsewhere
    if (shell.mouse_held) shell_mouse_up(shell);
}

namespace {

// Applies the rows of the drive due at or before `time_ms`, each at its instant.
void play_drive_until(Shell& shell, std::uint64_t time_ms) {
    for (auto due = drive_next_due(shell.drive); due && *due <= time_ms;
         due = drive_next_due(shell.drive)) {
        const DriveRow& row = shell.drive.rows[shell.drive.next++];
        if (*due > shell.now_ms) shell.now_ms = *due;
        device_drive(shell.dev, row.speed_tenths, row.fuel_reading);
        keep_settings(shell);
    }
}

} // namespace

void shell_advance_to(Shell& shell, std::uint64_t time_ms) {
    std::uint8_t id = 0;
    std::uint64_t due = 0;
    for (;;) {
        const std::uint64_t row_due = drive_next_due(shell.drive).value_or(time_ms);
        const std::uint64_t until = std::min(time_ms, row_due);
        while (timer_take_due(shell.timers, until, id, due)) {
            shell.now_ms = due;
            shell_timer(shell, id);
        }
        if (row_due > time_ms || !drive_next_due(shell.drive)) break;
        play_drive_until(shell, row_due);
    }
    if (time_ms > shell.now_ms) shell.now_ms = time_ms;
}

void shell_start_drive(Shell& shell, std::vector<DriveRow> rows) {
    shell.drive = DrivePlayback{std::move(rows), shell.now_ms, 0};
    play_drive_until(shell, shell.now_ms);
}

void shell_set_speed(Shell& shell, std::uint16_t speed_tenths) {
    device_drive(shell.dev, speed_tenths, std::nullopt);
    keep_settings(shell);
}

const RgbImage& shell_picture(Shell& shell) {
    return shell.picture.update(shell.dev, shell.speed_text, shell.fuel_text);
}

std::optional<std::uint64_t> shell_next_visible_due(const Shell& shell) {
    std::optional<std::uint64_t> next;
    for (const TimerQueue::Entry& e : shell.timers.entries)
        if (e.id != TIMER_PERF && (!next || e.due_ms < *next)) next = e.due_ms;
    if (const auto row = drive_next_due(shell.drive); row && (!next || *row < *next)) next = row;
    return next;
}

} // namespace ql
