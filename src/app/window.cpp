#include "app/window.hpp"
#include "app/inspector_panel.hpp"
#include "app/key_overlay.hpp"
#include "app/x_errors.hpp"
#include "hardware/keys.hpp"
#include "sim/files/png_file.hpp"
#include "sim/frontend/hint_line.hpp"
#include "sim/frontend/inspector.hpp"
#include "sim/frontend/key_help.hpp"
#include "sim/frontend/time_control.hpp"
#include "sim/frontend/window_recordings.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/record/screenshot.hpp"
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace ql {

namespace {

constexpr const char* WINDOW_TITLE = "Ostrel QL-730 Simulator";

// A stall longer than this (a suspended machine, a debugger) is not caught up:
// the shell's clock pauses instead, as window-system timers deliver late
// expiries without catching up.
constexpr std::uint64_t MAX_CATCH_UP_MS = 1000;

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

struct SdlSession {
    bool ready = SDL_Init(SDL_INIT_VIDEO) == 0;
    ~SdlSession() { SDL_Quit(); }
};

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

// Window pixels back to client points of the unscaled window, as signed 16-bit
// values.
std::int16_t client_coordinate(int window_pixel, int scale) {
    const int floor_div =
        window_pixel >= 0 ? window_pixel / scale : -((-window_pixel + scale - 1) / scale);
    return static_cast<std::int16_t>(std::clamp<int>(floor_div, INT16_MIN, INT16_MAX));
}

// Copies an area of the picture into the window's surface, each pixel a square of scale x
// scale: whole pixels only, never smoothed.
void copy_to_surface(SDL_Surface* surface, const RgbImage& picture, const PictureArea& area,
                     int scale, int ox, int oy) {
    const SDL_PixelFormat* format = surface->format;
    const int right = std::min(area.x + area.width, (surface->w - ox) / scale);
    const int bottom = std::min(area.y + area.height, (surface->h - oy) / scale);
    if (right <= area.x || bottom <= area.y) return; // wholly outside a small window
    if (format->BytesPerPixel != 4 || format->palette != nullptr) {
        for (int y = area.y; y < bottom; ++y)
            for (int x = area.x; x < right; ++x) {
                const Rgb c = picture.at(x, y);
                SDL_Rect square{ox + x * scale, oy + y * scale, scale, scale};
                SDL_FillRect(surface, &square, SDL_MapRGB(format, c.r, c.g, c.b));
            }
        return;
    }
    const bool lock = SDL_MUSTLOCK(surface);
    if (lock && SDL_LockSurface(surface) != 0) return;
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    // What SDL_MapRGB does for a format without a palette, once a pixel instead of a call.
    const std::uint32_t r_loss = format->Rloss, g_loss = format->Gloss, b_loss = format->Bloss;
    const std::uint32_t r_shift = format->Rshift, g_shift = format->Gshift;
    const std::uint32_t b_shift = format->Bshift, alpha = format->Amask;
    for (int y = area.y; y < bottom; ++y) {
        auto* first_row =
            reinterpret_cast<std::uint32_t*>(pixels + (oy + y * scale) * surface->pitch);
        std::uint32_t* out = first_row + ox + area.x * scale;
        const std::uint8_t* in =
            &picture.rgb[static_cast<std::size_t>(y * picture.width + area.x) * 3];
        for (int x = area.x; x < right; ++x, in += 3) {
            const std::uint32_t value = static_cast<std::uint32_t>(in[0] >> r_loss) << r_shift |
                                        static_cast<std::uint32_t>(in[1] >> g_loss) << g_shift |
                                        static_cast<std::uint32_t>(in[2] >> b_loss) << b_shift |
                                        alpha;
            for (int i = 0; i < scale; ++i)
                *out++ = value;
        }
        const std::size_t bytes =
            static_cast<std::size_t>(right - area.x) * static_cast<std::size_t>(scale) * 4;
        for (int i = 1; i < scale; ++i)
            std::memcpy(pixels + (oy + y * scale + i) * surface->pitch + (ox + area.x * scale) * 4,
                        first_row + ox + area.x * scale, bytes);
    }
    if (lock) SDL_UnlockSurface(surface);
}

class WindowFrontEnd {
  public:
    WindowFrontEnd(const WindowOptions& options, SDL_Window* window)
        : options_(options), window_(window), start_ticks_(SDL_GetTicks64()),
          clock_(options.speed) {
        player_.script = options.script;
    }

    // F11's GIF and F10's session still being recorded are written when the window closes.
    int run() {
        const int code = run_loop();
        recordings_.close(std::cout, std::cerr);
        return code;
    }

  private:
    int run_loop() {
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

    std::uint64_t wall_ms() const { return SDL_GetTicks64() - start_ticks_; }

    void advance_clock() {
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

    // Space, N and Tab: the clock stops, steps one tick while stopped, or runs fast while Tab
    // is down. The shell's clock is brought up to the instant first.
    bool time_key(const SDL_KeyboardEvent& key) {
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

    // How the clock runs. The seconds are shown only while the window has the keyboard focus
    // (or the clock stands): each new title comes back from the X server as events that wake
    // the window, so a window left in the background changes its title once a minute.
    ClockView clock_view() const {
        return {clock_.speed(), clock_.paused(), focused_ || clock_.paused()};
    }

    // The title names the screen, the simulated time and the clock's state; it is set only
    // when its text changes.
    void show_title() {
        const ClockView view = clock_view();
        std::string title = window_title(shell_, view.speed, view.paused, view.seconds);
        if (title == title_) return;
        title_ = std::move(title);
        SDL_SetWindowTitle(window_, title_.c_str());
    }

    // Sleeps until the picture can change or a script step is due: no polling while nothing
    // happens. Expiries that change nothing on screen wait for the next wake-up.
    int timeout_ms() const {
        std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
        if (const auto due = shell_next_visible_due(shell_)) next = *due;
        if (script_waiting_) next = std::min(next, player_.resume_ms);
        const std::uint64_t now = wall_ms();
        // Paused, only input changes the picture, and a message on the hint line ending.
        const auto wall_due =
            next == std::numeric_limits<std::uint64_t>::max() ? std::nullopt : clock_.wall_at(next);
        next = std::min(wall_due.value_or(now + 60'000),
                        hint_.next_change(now).value_or(now + 60'000));
        if (next <= now) return 0;
        return static_cast<int>(std::min<std::uint64_t>(next - now, 60'000));
    }

    // With QL730_WINDOW_TRACE set, the wall-clock time at which the first picture went to the
    // window, in the form of bash's EPOCHREALTIME, for the start-up benchmark.
    static void trace_first_picture() {
        const char* trace = std::getenv("QL730_WINDOW_TRACE");
        if (trace == nullptr || *trace == '\0') return;
        const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(since_epoch).count();
        std::cerr << "first picture at " << us / 1'000'000 << '.' << std::setw(6)
                  << std::setfill('0') << us % 1'000'000 << std::endl;
    }

    // A script that fails or stops keeps the window open: the hint line names the failure
    // until the window closes, and the program then ends with the script's exit code.
    void play_script() {
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
    std::string failure_hint(ScriptStatus status, const std::string& message) const {
        std::string line = message.substr(0, message.find('\n'));
        const std::string& name = player_.script->name;
        if (line.starts_with(name + ":"))
            line = std::filesystem::path(name).filename().string() + line.substr(name.size());
        return (status == ScriptStatus::failed ? "FAILED " : "STOPPED ") + line;
    }

    // A new backlight or contrast level is named on the hint line for a few seconds: the
    // simulated panel's colours do not show it.
    void watch_panel() {
        const PanelLevels now = panel_levels(shell_.dev);
        if (now == panel_seen_) return;
        hint_.show_until(panel_change_text(panel_seen_, now), wall_ms() + LEVEL_MESSAGE_MS);
        panel_seen_ = now;
    }

    bool left_button_held() const {
        return (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
    }

    bool handle(const SDL_Event& event) {
        const int scale = scale_;
        std::uint8_t key = 0;
        switch (event.type) {
        case SDL_QUIT: return false;
        case SDL_KEYDOWN:
            // Ctrl+Q quits, as closing the window does.
            if ((event.key.keysym.mod & KMOD_CTRL) != 0 && event.key.keysym.sym == SDLK_q)
                return false;
            if (help_shown_) {
                // Any key closes the key map and does nothing else.
                if (event.key.repeat == 0) hide_help();
                break;
            }
            if (with_modifier(event.key.keysym)) break;
            if (event.key.repeat == 0 &&
                (event.key.keysym.sym == SDLK_h || event.key.keysym.sym == SDLK_F1)) {
                show_help();
                break;
            }
            if (event.key.keysym.sym == SDLK_i) {
                if (event.key.repeat == 0) toggle_inspector();
                break;
            }
            if (time_key(event.key)) break;
            if (const auto button = button_key(event.key.keysym.sym)) {
                // The device's own hold and auto-repeat run from the key held down.
                if (event.key.repeat == 0) shell_button_key_down(shell_, *button);
                break;
            }
            // Held keys arrive again through the system's key repeat.
            if (arrow_key(event.key.keysym.sym, key)) shell_key_down(shell_, key);
            if (event.key.keysym.sym == SDLK_F12 && event.key.repeat == 0)
                screenshot((event.key.keysym.mod & KMOD_SHIFT) != 0);
            // F11 records the window as a GIF, F10 the session as a script; again stops.
            if (event.key.keysym.sym == SDLK_F11 && event.key.repeat == 0)
                recordings_.toggle_gif(".", std::time(nullptr), std::cout, std::cerr);
            if (event.key.keysym.sym == SDLK_F10 && event.key.repeat == 0)
                recordings_.toggle_session(".", std::time(nullptr), std::cout, std::cerr);
            break;
        case SDL_KEYUP:
            if (time_key(event.key)) break;
            if (const auto button = button_key(event.key.keysym.sym))
                shell_button_key_up(shell_, *button);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (help_shown_) {
                // A click closes the key map and reaches nothing behind it, nor does its
                // release.
                hide_help();
                swallow_release_ = true;
                break;
            }
            if (event.button.button == SDL_BUTTON_LEFT)
                shell_mouse_down(shell_, client_coordinate(event.button.x - ox_, scale),
                                 client_coordinate(event.button.y - oy_, scale));
            break;
        case SDL_MOUSEBUTTONUP:
            if (swallow_release_) {
                swallow_release_ = false;
                break;
            }
            // Reported wherever the pointer is, since the window captures the mouse
            // while the button is down: a release outside the window still releases
            // the button.
            if (event.button.button == SDL_BUTTON_LEFT) shell_mouse_up(shell_);
            break;
        case SDL_MOUSEMOTION:
            // A release that went elsewhere shows as motion without the button.
            if (shell_.mouse_held) shell_pointer_left(shell_, left_button_held());
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
            case SDL_WINDOWEVENT_LEAVE: shell_pointer_left(shell_, left_button_held()); break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                focused_ = false;
                shell_focus_lost(shell_);
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED: focused_ = true; break;
            case SDL_WINDOWEVENT_EXPOSED:
                // Restored or uncovered: the window's surface still holds the picture made
                // from the model's memory; it is only shown again.
                present();
                show_whole();
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                // The window's surface is made anew: repainted from the model's memory, no
                // second power-on, at the largest whole scale that fits, centred; the key map
                // laid out again over it while it is shown.
                fit_to_window();
                shell_paint(shell_);
                if (help_shown_) show_help();
                if (help_shown_) break;
                present();
                show_whole();
                break;
            default: break;
            }
            break;
        default: break;
        }
        return true;
    }

    // A resized window shows the picture (and the inspector beside it) at the largest whole
    // scale that fits, centred on the window's background.
    void fit_to_window() {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) return;
        const int width = content_width();
        scale_ = std::max(1, std::min(surface->w / width, surface->h / WINDOW_HEIGHT));
        ox_ = std::max(0, (surface->w - width * scale_) / 2);
        oy_ = std::max(0, (surface->h - WINDOW_HEIGHT * scale_) / 2);
        SDL_FillRect(surface, nullptr,
                     SDL_MapRGB(surface->format, WINDOW_BACKGROUND.r, WINDOW_BACKGROUND.g,
                                WINDOW_BACKGROUND.b));
        if (inspector_) open_inspector();
        inspector_panel_.invalidate();
        hint_stale_ = true;
    }

    int content_width() const { return WINDOW_WIDTH + (inspector_ ? INSPECTOR_WIDTH : 0); }

    // The inspector's font at the window's scale; without it the inspector is closed.
    bool open_inspector() {
        std::string error;
        if (inspector_panel_.open(scale_, error)) return true;
        std::cerr << "ql730-sim: no inspector: " << error << '\n';
        inspector_ = false;
        return false;
    }

    // I shows or hides the inspector: the window grows or shrinks by its width, and the
    // resize repaints it.
    void toggle_inspector() {
        if (!inspector_) {
            inspector_ = true;
            if (!open_inspector()) return;
        } else {
            inspector_ = false;
            inspector_panel_.close();
        }
        int w = 0, h = 0;
        SDL_GetWindowSize(window_, &w, &h);
        const int change = INSPECTOR_WIDTH * scale_;
        // SDL keeps the size at or above the minimum: the minimum goes down before the
        // window shrinks and up after it grows.
        if (!inspector_) set_minimum_size();
        SDL_SetWindowSize(window_, inspector_ ? w + change : std::max(1, w - change), h);
        if (inspector_) set_minimum_size();
        fit_to_window();
        shell_paint(shell_);
        present();
        show_whole();
    }

    // The window manager is asked to keep the window at least as large as the picture at
    // scale 1, with the inspector when it is shown. It may not: every drawing is clipped to
    // the window as it is.
    void set_minimum_size() { SDL_SetWindowMinimumSize(window_, content_width(), WINDOW_HEIGHT); }

    // Shows the rectangles drawn on the window's surface, each cut to the window: X refuses
    // a picture that reaches past it (BadValue), which would end the program.
    void show_rects(std::vector<SDL_Rect>& rects) {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) return;
        const SDL_Rect whole{0, 0, surface->w, surface->h};
        std::vector<SDL_Rect> inside;
        for (const SDL_Rect& r : rects) {
            SDL_Rect cut;
            if (SDL_IntersectRect(&r, &whole, &cut) == SDL_TRUE) inside.push_back(cut);
        }
        rects.clear();
        if (!inside.empty())
            SDL_UpdateWindowSurfaceRects(window_, inside.data(), static_cast<int>(inside.size()));
    }

    void show_whole() {
        if (SDL_GetWindowSurface(window_) != nullptr) SDL_UpdateWindowSurface(window_);
    }

    // Redraws the inspector's lines that changed. It has no timer of its own: it is looked at
    // whenever the window wakes for another reason.
    void update_inspector() {
        if (!inspector_ || help_shown_) return;
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) return;
        const SDL_Rect area{ox_ + WINDOW_WIDTH * scale_, oy_, INSPECTOR_WIDTH * scale_,
                            WINDOW_HEIGHT * scale_};
        std::vector<SDL_Rect> rects;
        inspector_panel_.draw(surface, area, inspector_lines(shell_, clock_view()), rects);
        show_rects(rects);
    }

    // The hint line, drawn again when its text changed or the picture was drawn over it.
    void draw_hint(SDL_Surface* surface, const HintText& hint, std::vector<SDL_Rect>& rects) {
        hint_stale_ = false;
        hint_drawn_ = hint;
        if (hint_failed_) return;
        std::string error;
        if (!draw_key_hint(surface, hint, scale_, ox_, oy_, rects, error)) {
            std::cerr << "ql730-sim: no key hint: " << error << '\n';
            hint_failed_ = true;
        }
    }

    void show_help() {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) return;
        std::string error;
        if (!draw_key_overlay(surface, KEY_HELP, scale_, error)) {
            std::cerr << "ql730-sim: cannot show the key map: " << error << '\n';
            help_shown_ = false;
            return;
        }
        help_shown_ = true;
        show_whole();
    }

    void hide_help() {
        help_shown_ = false;
        fit_to_window(); // the key map covered the margins, the hint and the inspector too
        shell_.picture.redraw_all();
        present();
        update_inspector();
    }

    // F12 saves the window as shown, at its scale; Shift+F12 only the LCD, one pixel a dot;
    // both into the current folder.
    void screenshot(bool lcd_only) {
        std::string error;
        const std::filesystem::path path =
            lcd_only || scale_ == 1
                ? save_screenshot(shell_, lcd_only, ".", std::time(nullptr), error)
                : save_scaled_window();
        if (path.empty())
            std::cerr << "ql730-sim: screenshot not saved: " << error << '\n';
        else
            std::cout << "saved " << path.filename().string() << std::endl;
    }

    // The window at its scale, named as the F12 screenshots are.
    std::filesystem::path save_scaled_window() {
        std::string error;
        const std::filesystem::path path =
            save_screenshot(shell_, false, ".", std::time(nullptr), error);
        if (path.empty()) return path;
        if (!write_png(path, scaled_picture(shell_picture(shell_), scale_), error)) {
            std::cerr << "ql730-sim: " << error << '\n';
            return {};
        }
        return path;
    }

    // Shows what changed in the picture since it was last shown; nothing when nothing did.
    void present() {
        if (help_shown_) return; // the key map stays until a key closes it
        const auto pressed = shell_pressed_button(shell_);
        shell_.picture.show_pressed(pressed ? static_cast<int>(button_index(*pressed)) : -1);
        const HintText hint = hint_.text(wall_ms(), clock_view());
        if (hint_ready_ && hint != hint_drawn_) hint_stale_ = true;
        if (!shell_.picture.stale() && shell_.picture.changes().empty() && !hint_stale_) return;
        const RgbImage& picture = shell_picture(shell_);
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) return;
        const int scale = scale_;
        std::vector<SDL_Rect> rects;
        for (const PictureArea& area : shell_.picture.changes()) {
            copy_to_surface(surface, picture, area, scale, ox_, oy_);
            rects.push_back({ox_ + area.x * scale, oy_ + area.y * scale, area.width * scale,
                             area.height * scale});
            const SDL_Rect drawn{area.x, area.y, area.width, area.height};
            if (hint_ready_ && SDL_HasIntersection(&drawn, &KEY_HINT_AREA)) hint_stale_ = true;
        }
        shell_.picture.changes_shown();
        if (hint_stale_ && hint_ready_) draw_hint(surface, hint, rects);
        show_rects(rects);
    }

    const WindowOptions& options_;
    SDL_Window* window_;
    std::uint64_t start_ticks_;
    SimClock clock_;
    int scale_ = options_.scale; // whole pixels a picture pixel, and the picture's place
    int ox_ = 0;
    int oy_ = 0;
    bool help_shown_ = false;
    bool focused_ = false;
    bool inspector_ = options_.inspector;
    InspectorPanel inspector_panel_;
    bool swallow_release_ = false; // the click that closed the key map is not released yet
    HintLine hint_;
    HintText hint_drawn_;
    bool hint_ready_ = false; // after the first picture
    bool hint_stale_ = false;
    bool hint_failed_ = false;
    PanelLevels panel_seen_;
    std::string title_;
    // Created with the window at time 0; painted once the recordings watch it.
    Shell shell_{ShellConfig{options_.script_options.power_on,
                             options_.script_options.settings_file, false}};
    WindowRecordings recordings_{shell_, options_.replay_options, options_.session_note,
                                 options_.record_file};
    ScriptPlayer player_;
    bool script_waiting_ = false;
    bool script_done_ = false;
    int exit_code_ = EXIT_PASSED;
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
