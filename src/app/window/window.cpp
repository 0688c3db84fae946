// The window: SDL opened on a display, and the loop that runs the shell in real time, plays a
// script into it and hands each event to the keyboard, the mouse or the window's own handling.
#include "app/window/window.hpp"
#include "app/window/front_end.hpp"
#include "app/window/key_overlay.hpp"
#include "app/window/x_errors.hpp"
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace ql {

namespace {

constexpr const char* WINDOW_TITLE = "Ostrel QL-730 Simulator";

// A stall longer than this (a suspended machine, a debugger) is not caught up:
// the shell's clock pauses instead, as window-system timers deliver late
// expiries without catching up.
constexpr std::uint64_t MAX_CATCH_UP_MS = 1000;

constexpr std::uint64_t RECEIVER_POLL_MS = 100;
// How long the hint line's word on a lost fix stays after the receiver's last report.
constexpr std::uint64_t NO_FIX_MESSAGE_MS = 1500;

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

struct SdlSession {
    bool ready = SDL_Init(SDL_INIT_VIDEO) == 0;
    ~SdlSession() { SDL_Quit(); }
};

// The user named SDL's video driver.
bool video_driver_chosen() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    return chosen != nullptr && *chosen != '\0';
}

// Why no window can be opened, or an empty text. SDL falls back to drivers that draw
// nowhere; they are used only when asked for by name.
std::string missing_display(bool sdl_ready) {
    if (!sdl_ready) {
        const std::string error = SDL_GetError();
        return error == "x11 not available" ? "no X11 or Wayland display to connect to" : error;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (!video_driver_chosen() && (driver == "offscreen" || driver == "dummy"))
        return "no X11 or Wayland display to connect to";
    return {};
}

// The largest scale up to `wanted` at which the window fits the screen's usable area, with a
// note on standard error when that is less than asked for.
int fitting_scale(int wanted, int width) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return wanted;
    int scale = wanted;
    while (scale > 1 && (width * scale > usable.w || WINDOW_HEIGHT * scale > usable.h))
        --scale;
    if (scale != wanted)
        std::cerr << "ql730-sim: --scale " << wanted << " would not fit the screen (" << usable.w
                  << " x " << usable.h << "); starting at " << scale << '\n';
    return scale;
}

void report_no_display(const std::string& why) {
    std::cerr << "ql730-sim: no display: " << why
              << "; use --headless SCRIPT to run without a window\n";
}

} // namespace

WindowFrontEnd::WindowFrontEnd(const WindowOptions& options, SDL_Window* window)
    : options_(options), window_(window), start_ticks_(SDL_GetTicks64()), clock_(options.speed) {
    player_.script = options.script;
}

int WindowFrontEnd::run() {
    const int code = run_loop();
    recordings_.close(std::cout, std::cerr);
    return code;
}

int WindowFrontEnd::run_loop() {
    shell_paint(shell_);
    if (!options_.drive.empty()) shell_start_drive(shell_, options_.drive);
    if (inspector_) fit_to_window();
    present();
    trace_first_picture();
    // The hint and the inspector come after the first picture: their font costs the
    // start-up nothing.
    hint_ready_ = true;
    hint_stale_ = true;
    panel_seen_ = panel_levels(shell_.dev);
    for (;;) {
        advance_clock();
        follow_receiver();
        play_script();
        watch_panel();
        present();
        show_title();
        update_inspector();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, timeout_ms()) == 0) continue;
        advance_clock();
        do {
            if (!handle(event)) return exit_code_;
        } while (SDL_PollEvent(&event) != 0);
    }
}

void WindowFrontEnd::advance_clock() {
    const std::uint64_t wall = wall_ms();
    std::uint64_t sim = clock_.sim_at(wall);
    const auto catch_up = static_cast<std::uint64_t>(static_cast<double>(MAX_CATCH_UP_MS) *
                                                     std::max(1.0, clock_.speed()));
    if (sim > shell_.now_ms + catch_up) {
        sim = shell_.now_ms + catch_up;
        clock_.rebase(wall, sim);
    }
    shell_advance_to(shell_, sim);
}

// How the clock runs. The seconds are shown only while the window has the keyboard focus
// (or the clock stands): each new title comes back from the X server as events that wake
// the window, so a window left in the background changes its title once a minute.
ClockView WindowFrontEnd::clock_view() const {
    return {clock_.speed(), clock_.paused(), focused_ || clock_.paused()};
}

// The title names the screen, the simulated time and the clock's state; it is set only
// when its text changes.
void WindowFrontEnd::show_title() {
    const ClockView view = clock_view();
    std::string title = window_title(shell_, view.speed, view.paused, view.seconds);
    if (title == title_) return;
    title_ = std::move(title);
    SDL_SetWindowTitle(window_, title_.c_str());
}

// Sleeps until the picture can change or a script step is due: no polling while nothing
// happens. Expiries that change nothing on screen wait for the next wake-up.
int WindowFrontEnd::timeout_ms() const {
    std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
    if (const auto due = shell_next_visible_due(shell_)) next = *due;
    if (script_waiting_) next = std::min(next, player_.resume_ms);
    const std::uint64_t now = wall_ms();
    // Paused, only input changes the picture, and a message on the hint line ending.
    const auto wall_due =
        next == std::numeric_limits<std::uint64_t>::max() ? std::nullopt : clock_.wall_at(next);
    next = std::min(wall_due.value_or(now + 60'000), hint_.next_change(now).value_or(now + 60'000));
    // libgps's socket is not one SDL can wait on: a live receiver is looked at ten times a
    // second, soon enough for its reports once a second.
    if (options_.receiver != nullptr) next = std::min(next, now + RECEIVER_POLL_MS);
    if (next <= now) return 0;
    return static_cast<int>(std::min<std::uint64_t>(next - now, 60'000));
}

// With QL730_WINDOW_TRACE set, the wall-clock time at which the first picture went to the
// window, in the form of bash's EPOCHREALTIME, for the start-up benchmark.
void WindowFrontEnd::trace_first_picture() {
    const char* trace = std::getenv("QL730_WINDOW_TRACE");
    if (trace == nullptr || *trace == '\0') return;
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(since_epoch).count();
    std::cerr << "first picture at " << us / 1'000'000 << '.' << std::setw(6) << std::setfill('0')
              << us % 1'000'000 << std::endl;
}

// A script that fails or stops keeps the window open: the hint line names the failure
// until the window closes, and the program then ends with the script's exit code.
void WindowFrontEnd::play_script() {
    if (player_.script == nullptr || script_done_) return;
    if (script_waiting_ && shell_.now_ms < player_.resume_ms) return;
    std::ostringstream err;
    const ScriptStatus status =
        script_step(player_, shell_, options_.script_options, std::cout, err);
    std::cerr << err.str() << std::flush;
    script_waiting_ = status == ScriptStatus::waiting;
    if (status == ScriptStatus::finished) script_done_ = true;
    if (status == ScriptStatus::failed || status == ScriptStatus::error) {
        script_done_ = true;
        exit_code_ = exit_code_of(status);
        hint_.show_always(failure_hint(status, err.str()));
    }
}

// "FAILED steps.txt:3: expected the screen ...": the message's first line, the script
// named without its folder.
std::string WindowFrontEnd::failure_hint(ScriptStatus status, const std::string& message) const {
    std::string line = message.substr(0, message.find('\n'));
    const std::string& name = player_.script->name;
    if (line.starts_with(name + ":"))
        line = std::filesystem::path(name).filename().string() + line.substr(name.size());
    return (status == ScriptStatus::failed ? "FAILED " : "STOPPED ") + line;
}

// A new backlight or contrast level is named on the hint line for a few seconds: the
// simulated panel's colours do not show it.
void WindowFrontEnd::watch_panel() {
    const PanelLevels now = panel_levels(shell_.dev);
    if (now == panel_seen_) return;
    hint_.show_until(panel_change_text(panel_seen_, now), wall_ms() + LEVEL_MESSAGE_MS);
    panel_seen_ = now;
}

// A live receiver's reports set the vehicle's speed as they come, in the shell's time as it
// is now; without a fix (or without gpsd) the speed holds at 0 and the hint line says so.
void WindowFrontEnd::follow_receiver() {
    GpsdReceiver* receiver = options_.receiver;
    if (receiver == nullptr) return;
    if (receiver->poll() && shell_.dev.vehicle.speed_tenths != receiver->speed_tenths())
        shell_set_speed(shell_, receiver->speed_tenths());
    const GpsView& gps = receiver->view();
    if (gps.fix() || (gps.connected && gps.mode == 0)) return;
    hint_.show_until(gps.connected ? "GPS: no fix; the speed is held at 0"
                                   : "GPS: gpsd has gone; the speed is held at 0",
                     wall_ms() + NO_FIX_MESSAGE_MS);
}

// F5 switches the device off and on again: it powers on from its store (with --settings, the
// file as it is now), while the simulated vehicle and time go on.
void WindowFrontEnd::power_cycle() {
    const std::string error = shell_power_cycle(shell_);
    if (!error.empty()) std::cerr << "ql730-sim: " << error << '\n';
    hint_.show_until(error.empty() ? "Power cycled" : "Power cycled; settings file unread",
                     wall_ms() + LEVEL_MESSAGE_MS);
    panel_seen_ = panel_levels(shell_.dev);
}

// Each event to the keyboard, the mouse or the window's own handling; false when the window
// is to close.
bool WindowFrontEnd::handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT: return false;
    case SDL_KEYDOWN: return key_down(event.key);
    case SDL_KEYUP: key_up(event.key); break;
    case SDL_MOUSEBUTTONDOWN: mouse_down(event.button); break;
    case SDL_MOUSEBUTTONUP: mouse_up(event.button); break;
    case SDL_MOUSEMOTION: mouse_motion(); break;
    case SDL_WINDOWEVENT: window_event(event.window); break;
    default: break;
    }
    return true;
}

// The window itself: the pointer leaving, the keyboard focus, uncovered, resized.
void WindowFrontEnd::window_event(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_LEAVE: pointer_left(); break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focused_ = false;
        shell_focus_lost(shell_);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: focused_ = true; break;
    case SDL_WINDOWEVENT_EXPOSED:
        // Restored or uncovered: the window's surface still holds the picture made from the
        // model's memory; it is only shown again.
        present();
        show_whole();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        // The window's surface is made anew: repainted from the model's memory, no second
        // power-on, at the largest whole scale that fits, centred; the key map laid out again
        // over it while it is shown.
        fit_to_window();
        shell_paint(shell_);
        if (help_shown_) show_help();
        if (help_shown_) break;
        present();
        show_whole();
        break;
    default: break;
    }
}

int run_window(const WindowOptions& options) {
#ifdef __linux__
    // Without a display server to name, asking SDL would only print its drivers' complaints.
    if (!video_driver_chosen() && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
        report_no_display("DISPLAY and WAYLAND_DISPLAY are not set");
        return EXIT_USAGE;
    }
    // The window takes keys, never text. Without a compose table of its own, libX11 would
    // parse the locale's whole one when SDL opens the input method: half of SDL's start-up.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    // Without a Wayland display named, SDL's Wayland driver would only print libwayland's
    // complaint about XDG_RUNTIME_DIR before the X11 driver is tried: go to X11 at once.
    if (!video_driver_chosen() && std::getenv("WAYLAND_DISPLAY") == nullptr)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    tolerate_late_wakeups();
#endif
    SdlSession sdl;
    if (const std::string why = missing_display(sdl.ready); !why.empty()) {
        report_no_display(why);
        return EXIT_USAGE;
    }
    // A plain picture needs no GPU: SDL's own X11 framebuffer, not a GL texture behind it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (options.inspector) {
        // Asked for by name, an inspector that cannot be drawn stops the start.
        std::string error;
        TTF_Font* font = open_mono_font(9, error);
        if (font == nullptr) {
            std::cerr << "ql730-sim: --inspector: " << error << '\n';
            return EXIT_USAGE;
        }
        TTF_CloseFont(font);
    }
    const int width = WINDOW_WIDTH + (options.inspector ? INSPECTOR_WIDTH : 0);
    WindowOptions fitted = options;
    fitted.scale = fitting_scale(options.scale, width);
    const int scale = fitted.scale;
    std::unique_ptr<SDL_Window, SdlDeleter> window(SDL_CreateWindow(
        WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width * scale,
        WINDOW_HEIGHT * scale, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE));
    if (!window) {
        report_no_display(std::string("cannot open a window: ") + SDL_GetError());
        return EXIT_USAGE;
    }
    SDL_SetWindowMinimumSize(window.get(), width, WINDOW_HEIGHT);
    if (SDL_GetWindowSurface(window.get()) == nullptr) {
        report_no_display(std::string("cannot draw in the window: ") + SDL_GetError());
        return EXIT_USAGE;
    }
    WindowFrontEnd front_end(fitted, window.get());
    return front_end.run();
}

} // namespace ql
