#include "app/window.hpp"
#include "hardware/keys.hpp"
#include "shell/screenshot.hpp"
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <limits>
#include <memory>
#include <string>

namespace ql {

namespace {

constexpr const char* WINDOW_TITLE = "Ostrel QL-730 Simulator";

// A stall longer than this (a suspended machine, a debugger) is not caught up:
// the shell's clock pauses instead, as window-system timers deliver late
// expiries without catching up.
constexpr std::uint64_t MAX_CATCH_UP_MS = 1000;

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
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

// Window pixels back to client points of the unscaled window, as signed 16-bit
// values.
std::int16_t client_coordinate(int window_pixel, int scale) {
    const int floor_div =
        window_pixel >= 0 ? window_pixel / scale : -((-window_pixel + scale - 1) / scale);
    return static_cast<std::int16_t>(std::clamp<int>(floor_div, INT16_MIN, INT16_MAX));
}

class WindowFrontEnd {
  public:
    WindowFrontEnd(const WindowOptions& options, SDL_Renderer* renderer, SDL_Texture* texture)
        : options_(options), renderer_(renderer), texture_(texture),
          start_ticks_(SDL_GetTicks64()) {
        player_.script = options.script;
    }

    int run() {
        shell_paint(shell_);
        present();
        trace_first_picture();
        for (;;) {
            advance_clock();
            if (!play_script()) return exit_code_;
            if (shell_.picture.stale()) present();
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, timeout_ms()) == 0) continue;
            advance_clock();
            do {
                if (!handle(event)) return exit_code_;
            } while (SDL_PollEvent(&event) != 0);
        }
    }

  private:
    std::uint64_t wall_ms() const { return SDL_GetTicks64() - start_ticks_ - paused_ms_; }

    void advance_clock() {
        const std::uint64_t wall = wall_ms();
        if (wall > shell_.now_ms + MAX_CATCH_UP_MS)
            paused_ms_ += wall - (shell_.now_ms + MAX_CATCH_UP_MS);
        shell_advance_to(shell_, wall_ms());
    }

    // Sleeps until the next timer or script step is due: no polling while nothing
    // happens.
    int timeout_ms() const {
        std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
        if (const auto due = timer_next_due(shell_.timers)) next = *due;
        if (script_waiting_) next = std::min(next, player_.resume_ms);
        const std::uint64_t now = wall_ms();
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

    // False when the run must end.
    bool play_script() {
        if (player_.script == nullptr || script_done_) return true;
        if (script_waiting_ && shell_.now_ms < player_.resume_ms) return true;
        const ScriptStatus status =
            script_step(player_, shell_, options_.script_options, std::cout, std::cerr);
        script_waiting_ = status == ScriptStatus::waiting;
        if (status == ScriptStatus::finished) script_done_ = true;
        if (status == ScriptStatus::failed || status == ScriptStatus::error) {
            exit_code_ = exit_code_of(status);
            return false;
        }
        return true;
    }

    bool left_button_held() const {
        return (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
    }

    bool handle(const SDL_Event& event) {
        const int scale = options_.scale;
        std::uint8_t key = 0;
        switch (event.type) {
        case SDL_QUIT: return false;
        case SDL_KEYDOWN:
            // Held keys arrive again through the system's key repeat.
            if (arrow_key(event.key.keysym.sym, key)) shell_key_down(shell_, key);
            if (event.key.keysym.sym == SDLK_F12 && event.key.repeat == 0)
                screenshot((event.key.keysym.mod & KMOD_SHIFT) != 0);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT)
                shell_mouse_down(shell_, client_coordinate(event.button.x, scale),
                                 client_coordinate(event.button.y, scale));
            break;
        case SDL_MOUSEBUTTONUP:
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
            case SDL_WINDOWEVENT_FOCUS_LOST: shell_focus_lost(shell_); break;
            case SDL_WINDOWEVENT_EXPOSED:
                // Restored or uncovered: repainted from the model's memory, no second
                // power-on.
                shell_paint(shell_);
                present();
                break;
            default: break;
            }
            break;
        default: break;
        }
        return true;
    }

    // F12 saves the window, Shift+F12 only the LCD, into the current folder.
    void screenshot(bool lcd_only) {
        std::string error;
        const std::filesystem::path path =
            save_screenshot(shell_, lcd_only, ".", std::time(nullptr), error);
        if (path.empty())
            std::cerr << "ql730-sim: screenshot not saved: " << error << '\n';
        else
            std::cout << "saved " << path.filename().string() << std::endl;
    }

    // Shows the picture when something in it changed since it was last shown.
    void present() {
        const RgbImage& picture = shell_picture(shell_);
        if (shell_.picture.changes().empty()) return;
        SDL_UpdateTexture(texture_, nullptr, picture.rgb.data(), picture.width * 3);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
        shell_.picture.changes_shown();
    }

    const WindowOptions& options_;
    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
    std::uint64_t start_ticks_;
    std::uint64_t paused_ms_ = 0;
    Shell shell_; // created with the window: time 0
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
    if (!sdl_ready) return SDL_GetError();
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (!video_driver_chosen() && (driver == "offscreen" || driver == "dummy"))
        return "no X11 or Wayland display to connect to";
    return {};
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
#endif
    SdlSession sdl;
    if (const std::string why = missing_display(sdl.ready); !why.empty()) {
        report_no_display(why);
        return EXIT_USAGE;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const int scale = options.scale;
    std::unique_ptr<SDL_Window, SdlDeleter> window(
        SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         WINDOW_WIDTH * scale, WINDOW_HEIGHT * scale, SDL_WINDOW_SHOWN));
    if (!window) {
        report_no_display(std::string("cannot open a window: ") + SDL_GetError());
        return EXIT_USAGE;
    }
    std::unique_ptr<SDL_Renderer, SdlDeleter> renderer(SDL_CreateRenderer(window.get(), -1, 0));
    if (!renderer) renderer.reset(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    std::unique_ptr<SDL_Texture, SdlDeleter> texture(
        renderer ? SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_RGB24,
                                     SDL_TEXTUREACCESS_STREAMING, WINDOW_WIDTH, WINDOW_HEIGHT)
                 : nullptr);
    if (!texture) {
        report_no_display(std::string("cannot draw in the window: ") + SDL_GetError());
        return EXIT_USAGE;
    }
    WindowFrontEnd front_end(options, renderer.get(), texture.get());
    return front_end.run();
}

} // namespace ql
