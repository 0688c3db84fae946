#include "sim/frontend/window_recordings.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/frontend/time_control.hpp"
#include "sim/record/screenshot.hpp"
#include <fstream>
#include <ostream>

namespace ql {

WindowRecordings::WindowRecordings(Shell& shell, std::string replay_options, std::string note,
                                   std::filesystem::path record_file)
    : shell_(shell), replay_options_(std::move(replay_options)), note_(std::move(note)),
      session_file_(std::move(record_file)) {
    shell_add_observer(shell_, &log_);
}

WindowRecordings::~WindowRecordings() {
    shell_remove_observer(shell_, &log_);
}

void WindowRecordings::toggle_gif(const std::filesystem::path& folder, std::time_t when,
                                  std::ostream& out, std::ostream& err) {
    if (gif_.recording()) {
        stop_gif(out, err);
        return;
    }
    const std::filesystem::path path = dated_file(folder, "ql730", ".gif", when);
    std::string error;
    if (gif_.start(shell_, path, error))
        out << "recording " << path.filename().string() << std::endl;
    else
        err << "ql730-sim: GIF not recorded: " << error << std::endl;
}

void WindowRecordings::stop_gif(std::ostream& out, std::ostream& err) {
    std::string error;
    const std::filesystem::path path = gif_.recorder().path();
    if (gif_.stop(error))
        out << "saved " << path.filename().string() << " (" << gif_.recorder().frames()
            << " frames)" << std::endl;
    else
        err << "ql730-sim: GIF not saved: " << error << std::endl;
}

void WindowRecordings::toggle_session(const std::filesystem::path& folder, std::time_t when,
                                      std::ostream& out, std::ostream& err) {
    if (session_recording()) {
        write_session(out, err);
        return;
    }
    session_file_ = dated_file(folder, "ql730-session", ".txt", when);
    session_start_ms_ = shell_.now_ms;
    log_.note(shell_.now_ms, "F10: recording started");
    out << "recording " << session_file_.filename().string() << std::endl;
}

void WindowRecordings::note(const std::string& text) {
    log_.note(shell_.now_ms, text);
}

void WindowRecordings::write_session(std::ostream& out, std::ostream& err) {
    const std::filesystem::path path = session_file_;
    session_file_.clear();
    std::string header =
        "# A session in the QL-730 simulator's window, as a script. Replay it with\n"
        "#   ql730-sim --headless " +
        path.filename().string() + replay_options_ +
        "\n"
        "# It holds every input since the window opened at power-on";
    header += session_start_ms_ > 0 ? ",\n# also those before the recording was started at " +
                                          simulated_time_text(session_start_ms_) + ".\n"
                                    : ".\n";
    header += note_;
    const std::string text = log_.script(shell_.now_ms, header);
    AtomicWriteStep step{};
    if (!write_file_atomically(path, text, step)) {
        err << "ql730-sim: session not saved: cannot write the file " << path.string() << std::endl;
        return;
    }
    out << "saved " << path.filename().string() << std::endl;
}

void WindowRecordings::close(std::ostream& out, std::ostream& err) {
    if (gif_.recording()) stop_gif(out, err);
    if (session_recording()) write_session(out, err);
}

} // namespace ql
