#include "app/window.hpp"
#include "hardware/keys.hpp"
#include "shell/screenshot.hpp"
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
                     int scale) {
    const SDL_PixelFormat* format = surface->format;
    const int right = std::min(area.x + area.width, surface->w / scale);
    const int bottom = std::min(area.y + area.height, surface->h / scale);
    if (format->BytesPerPixel != 4 || format->palette != nullptr) {
        for (int y = area.y; y < bottom; ++y)
            for (int x = area.x; x < right; ++x) {
                const Rgb c = picture.at(x, y);
                SDL_Rect square{x * scale, y * scale, scale, scale};
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
        auto* first_row = reinterpret_cast<std::uint32_t*>(pixels + y * scale * surface->pitch);
        std::uint32_t* out = first_row + area.x * scale;
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
        const std::size_t bytes = static_cast<std::size_t>(right - area.x) * static_cast<std::size_t>(scale) * 4;
        for (int i = 1; i < scale; ++i)
            std::memcpy(pixels + (y * scale + i) * surface->pitch + area.x * scale * 4,
                        first_row + area.x * scale, bytes);
    }
    if (lock) SDL_UnlockSurface(surface);
}

class WindowFrontEnd {
  public:
    WindowFrontEnd(const WindowOptions& options, SDL_Window* window)
        : options_(options), window_(window), start_ticks_(SDL_GetTicks64()) {
        player_.script = options.script;
    }

    int run() {
        shell_paint(shell_);
        present();
        trace_first_picture();
        for (;;) {
            advance_clock();
            if (!play_script()) return exit_code_;
            present();
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

    // Sleeps until the picture can change or a script step is due: no polling while nothing
    // happens. Expiries that change nothing on screen wait for the next wake-up.
    int timeout_ms() const {
        std::uint64_t next = std::numeric_limits<std::uint64_t>::max();
        if (const auto due = shell_next_visible_due(shell_)) next = *due;
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
                // Restored or uncovered: the window's surface still holds the picture made
                // from the model's memory; it is only shown again.
                present();
                SDL_UpdateWindowSurface(window_);
                break;
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                // The window's surface is made anew: repainted from the model's memory, no
                // second power-on.
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

    // Shows what changed in the picture since it was last shown; nothing when nothing did.
    void present() {
        if (!shell_.picture.stale() && shell_.picture.changes().empty()) return;
        const RgbImage& picture = shell_picture(shell_);
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (surface == nullptr) return;
        const int scale = options_.scale;
        std::vector<SDL_Rect> rects;
        for (const PictureArea& area : shell_.picture.changes()) {
            copy_to_surface(surface, picture, area, scale);
            rects.push_back(
                {area.x * scale, area.y * scale, area.width * scale, area.height * scale});
        }
        shell_.picture.changes_shown();
        if (!rects.empty())
            SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
    }

    const WindowOptions& options_;
    SDL_Window* window_;
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
    if (!sdl_ready) {
        const std::string error = SDL_GetError();
        return error == "x11 not available" ? "no X11 or Wayland display to connect to" : error;
    }
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
    // The window takes keys, never text. Without a compose table of its own, libX11 would
    // parse the locale's whole one when SDL opens the input method: half of SDL's start-up.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    // Without a Wayland display named, SDL's Wayland driver would only print libwayland's
    // complaint about XDG_RUNTIME_DIR before the X11 driver is tried: go to X11 at once.
    if (!video_driver_chosen() && std::getenv("WAYLAND_DISPLAY") == nullptr)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
#endif
    SdlSession sdl;
    if (const std::string why = missing_display(sdl.ready); !why.empty()) {
        report_no_display(why);
        return EXIT_USAGE;
    }
    // A plain picture needs no GPU: SDL's own X11 framebuffer, not a GL texture behind it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const int scale = options.scale;
    std::unique_ptr<SDL_Window, SdlDeleter> window(
        SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         WINDOW_WIDTH * scale, WINDOW_HEIGHT * scale, SDL_WINDOW_SHOWN));
    if (!window) {
        report_no_display(std::string("cannot open a window: ") + SDL_GetError());
        return EXIT_USAGE;
    }
    if (SDL_GetWindowSurface(window.get()) == nullptr) {
        report_no_display(std::string("cannot draw in the window: ") + SDL_GetError());
        return EXIT_USAGE;
    }
    WindowFrontEnd front_end(options, window.get());
    return front_end.run();
}

} // namespace ql
