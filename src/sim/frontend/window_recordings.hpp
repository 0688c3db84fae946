#pragma once
#include "sim/host/shell.hpp"
#include "sim/record/session_log.hpp"
#include "sim/record/shell_gif.hpp"
#include <ctime>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace ql {

// The window's recordings, F11 (a GIF of the window) and F10 (the session as a script), kept
// apart from any windowing library. The session log keeps every input from the window's
// creation, so that whatever F10 writes replays from power-on: a session started by hand
// midway holds the inputs before it too, and a problem seen in the window replays headless to
// the same end.
class WindowRecordings {
  public:
    // `replay_options`: what the replay's command line needs besides the script (" --variant
    // 4"); `note`: a comment line or more for the session's head, or empty. A non-empty
    // `record_file` records the session from the start into that file (--record).
    WindowRecordings(Shell& shell, std::string replay_options, std::string note,
                     std::filesystem::path record_file);
    ~WindowRecordings();
    WindowRecordings(const WindowRecordings&) = delete;
    WindowRecordings& operator=(const WindowRecordings&) = delete;

    // F11: starts a GIF of the window, ql730-DATE-TIME.gif in `folder`, or finishes the one
    // being recorded. What happened is one line on `out`, or on `err` when it failed.
    void toggle_gif(const std::filesystem::path& folder, std::time_t when, std::ostream& out,
                    std::ostream& err);
    // F10: starts recording the session (to ql730-session-DATE-TIME.txt in `folder`), or
    // writes the one being recorded.
    void toggle_session(const std::filesystem::path& folder, std::time_t when, std::ostream& out,
                        std::ostream& err);
    // A comment in the session at the shell's time: "paused", "one step".
    void note(const std::string& text);
    // At the window's end: the GIF being recorded is finished, the session written.
    void close(std::ostream& out, std::ostream& err);

    bool gif_recording() const { return gif_.recording(); }
    bool session_recording() const { return !session_file_.empty(); }

  private:
    void write_session(std::ostream& out, std::ostream& err);
    void stop_gif(std::ostream& out, std::ostream& err);

    Shell& shell_;
    std::string replay_options_;
    std::string note_;
    SessionLog log_;
    ShellGif gif_;                       // its frames show a pressed button as the window does
    std::filesystem::path session_file_; // while a session is recorded
    std::uint64_t session_start_ms_ = 0;
};

} // namespace ql
