#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "sim/frontend/window_recordings.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/record/session_log.hpp"
#include "sim/script/script_runner.hpp"
#include "sim/script/state_dump.hpp"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <unistd.h>

namespace ql {
namespace {

namespace fs = std::filesystem;

// Plays a script text headless, as --headless would; what it printed.
std::string replay(const std::string& text) {
    Script script;
    std::string error;
    EXPECT_TRUE(parse_script("session", text, script, error)) << error;
    script.folder = ".";
    std::ostringstream out, err;
    EXPECT_EQ(run_headless({script}, ScriptOptions{}, out, err), EXIT_PASSED) << err.str();
    return out.str();
}

// A person at the window: button keys held for random times, clicks anywhere, arrow keys,
// some at the same instant, now and then a power cycle, and pauses from a few milliseconds to
// a minute.
void play_by_hand(Shell& shell, std::uint32_t seed, int inputs) {
    std::mt19937 random(seed);
    auto below = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
    const std::uint8_t keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
    for (int i = 0; i < inputs; ++i) {
        switch (below(6)) {
        case 0: shell_button_key_down(shell, static_cast<Button>(below(4))); break;
        case 1:
            if (shell.key_button)
                shell_button_key_up(shell, *shell.key_button);
            else
                shell_mouse_up(shell);
            break;
        case 2:
            shell_mouse_down(shell, static_cast<std::int16_t>(below(520)) - 10,
                             static_cast<std::int16_t>(below(300)) - 10);
            break;
        case 3:
            for (std::uint32_t n = below(3) + 1; n > 0; --n)
                shell_key_down(shell, keys[below(4)]);
            break;
        case 4:
            if (below(10) == 0) shell_power_cycle(shell);
            break;
        default: break;
        }
        const std::uint32_t pause = below(10) == 0 ? below(60'000) : below(1500);
        shell_advance_to(shell, shell.now_ms + pause);
    }
}

TEST(SessionLog, ASessionByHandReplaysHeadlessToTheSameStateByteForByte) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        Shell shell;
        SessionLog log;
        shell_add_observer(shell, &log);
        shell_paint(shell);
        play_by_hand(shell, seed, 400);
        shell_remove_observer(shell, &log);
        const std::string script = log.script(shell.now_ms + 7, "# by hand\n");
        shell_advance_to(shell, shell.now_ms + 7);
        EXPECT_EQ(replay(script), state_json(shell).dump() + "\n") << "seed " << seed;
        EXPECT_EQ(script.rfind("# by hand\n", 0), 0u);
        EXPECT_NE(script.find("\npress "), std::string::npos);
        EXPECT_NE(script.find("\nmouse-down "), std::string::npos);
        EXPECT_NE(script.find("\npower-cycle\n"), std::string::npos);
    }
}

TEST(SessionLog, InputsAreWrittenAsAPersonWouldWriteThem) {
    Shell shell;
    SessionLog log;
    shell_add_observer(shell, &log);
    shell_paint(shell);
    shell_advance_to(shell, 1500);
    shell_button_key_down(shell, BTN_TOP_LEFT);
    shell_advance_to(shell, 3500);
    shell_button_key_up(shell, BTN_TOP_LEFT);
    shell_key_down(shell, KEY_UP);
    shell_key_down(shell, KEY_UP);
    shell_key_down(shell, KEY_UP);
    log.note(shell.now_ms, "paused");
    shell_advance_to(shell, 3501);
    shell_mouse_down(shell, 7, -3);
    shell_mouse_up(shell);
    EXPECT_EQ(log.script(63'501, ""), "wait 1500ms\n"
                                      "press top-left\n"
                                      "wait 2s\n"
                                      "release\n"
                                      "key up 3\n"
                                      "# paused\n"
                                      "wait 1ms\n"
                                      "mouse-down 7 -3\n"
                                      "mouse-up\n"
                                      "wait 60s\n"
                                      "print-state\n");
}

// F10 in the middle of a session writes every input since the window opened.
TEST(WindowRecordings, F10MidwayWritesTheWholeSessionAndF11AGif) {
    const fs::path folder = fs::temp_directory_path() / ("ql730-rec-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    Shell shell;
    std::ostringstream out, err;
    {
        WindowRecordings recordings(shell, "", "", {});
        shell_paint(shell);
        shell_key_down(shell, KEY_UP); // before the recording: still in it
        shell_advance_to(shell, 5000);
        recordings.toggle_session(folder, 0, out, err);
        recordings.toggle_gif(folder, 0, out, err);
        shell_button_key_down(shell, BTN_BOTTOM_LEFT);
        shell_advance_to(shell, 5300);
        shell_button_key_up(shell, BTN_BOTTOM_LEFT);
        shell_advance_to(shell, 9000);
        recordings.close(out, err);
    }
    EXPECT_EQ(err.str(), "");
    std::istringstream lines(out.str());
    std::string line, session, gif;
    while (std::getline(lines, line)) {
        if (line.find("saved ql730-session-") == 0) session = line.substr(6);
        if (line.find("saved ql730-") == 0 && line.find(".gif") != std::string::npos)
            gif = line.substr(6, line.find(".gif") - 2);
    }
    ASSERT_FALSE(session.empty()) << out.str();
    ASSERT_FALSE(gif.empty()) << out.str();
    EXPECT_TRUE(fs::exists(folder / gif));
    std::ifstream file(folder / session);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("key up\nwait 5s\n# F10: recording started\npress bottom-left\n"),
              std::string::npos)
        << text.str();
    EXPECT_EQ(replay(text.str()), state_json(shell).dump() + "\n");
    fs::remove_all(folder);
}

} // namespace
} // namespace ql
