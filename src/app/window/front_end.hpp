#pragma once
// The open window's state, shared by the files of the window: the loop (window.cpp), the
// keyboard (keyboard.cpp), the mouse (mouse.cpp) and what is shown (present.cpp).
#include "app/window/inspector_panel.hpp"
#include "app/window/window_options.hpp"
#include "sim/frontend/hint_line.hpp"
#include "sim/frontend/inspector.hpp"
#include "sim/frontend/time_control.hpp"
#include "sim/frontend/window_recordings.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/window_picture.hpp"
#include "sim/script/script_runner.hpp"
#include <SDL.h>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ql {

class WindowFrontEnd {
  public:
    WindowFrontEnd(const WindowOptions& options, SDL_Window* window);

    // F11's GIF and F10's session still being recorded are written when the window closes.
    int run();

  private:
    // The loop, the clock, the script and the title (window.cpp).
    int run_loop();
    std::uint64_t wall_ms() const { return SDL_GetTicks64() - start_ticks_; }
    void advance_clock();
    ClockView clock_view() const;
    void show_title();
    int timeout_ms() const;
    static void trace_first_picture();
    void play_script();
    std::string failure_hint(ScriptStatus status, const std::string& message) const;
    void watch_panel();
    void follow_receiver();
    void power_cycle();
    bool handle(const SDL_Event& event);
    void window_event(const SDL_WindowEvent& event);

    // The keyboard (keyboard.cpp): false when the key quits.
    bool key_down(const SDL_KeyboardEvent& key);
    void key_up(const SDL_KeyboardEvent& key);
    bool time_key(const SDL_KeyboardEvent& key);

    // The mouse (mouse.cpp).
    void mouse_down(const SDL_MouseButtonEvent& button);
    void mouse_up(const SDL_MouseButtonEvent& button);
    void mouse_motion();
    void pointer_left();

    // What the window shows (present.cpp).
    void fit_to_window();
    int content_width() const { return WINDOW_WIDTH + (inspector_ ? INSPECTOR_WIDTH : 0); }
    bool open_inspector();
    void toggle_inspector();
    void set_minimum_size();
    void show_rects(std::vector<SDL_Rect>& rects);
    void show_whole();
    void update_inspector();
    void draw_hint(SDL_Surface* surface, const HintText& hint, std::vector<SDL_Rect>& rects);
    void show_help();
    void hide_help();
    void screenshot(bool lcd_only);
    std::filesystem::path save_scaled_window();
    void present();

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
                             options_.script_options.settings_file, false, true}};
    WindowRecordings recordings_{shell_, options_.replay_options, options_.session_note,
                                 options_.record_file};
    ScriptPlayer player_;
    bool script_waiting_ = false;
    bool script_done_ = false;
    int exit_code_ = EXIT_PASSED;
};

} // namespace ql
