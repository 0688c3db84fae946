#include "app/window.hpp"
#include "shell/script_runner.hpp"
#include <CLI/CLI.hpp>
#include <iostream>

namespace {

constexpr const char* DESCRIPTION =
    R"(Ostrel QL-730 Simulator: the QL-730 rally and trip computer on the desktop.

Without options it opens the simulator window. Click the four buttons beside the LCD
with the left mouse button (hold one for its second function); Up and Down change the
simulated speed by 10 km/h (0-300), Left and Right the fuel-sender reading (0-255).
)";

constexpr const char* SCRIPT_HELP = R"(
Scripts: one command per line; '#' starts a comment; blank lines are ignored.
Durations are written 250ms, 2s, 1.5s, 3m or 1h (at most 8760h).
  press BUTTON          press the left mouse button on the middle of BUTTON:
                        top-left, bottom-left, bottom-right or top-right
  release               release the mouse button
  click BUTTON          press and release, no time between
  hold BUTTON DURATION  press, wait DURATION, release
  mouse-down X Y        press at window point (X, Y), whole numbers -32768..32767
  mouse-up              release the mouse button
  key KEY [COUNT]       KEY up, down, left or right, COUNT times (default 1)
  wait DURATION         let time pass; every timer due on the way fires, in order
  print-lcd             print the LCD: 64 lines of 128 characters, '#' dark, '.' clear
  print-state           print the device's state as one line of JSON
  save-lcd FILE         write the LCD as a 128 x 64 PNG, one pixel per dot
  save-window FILE      write the whole window as a PNG
  expect-screen NAME    stop with exit code 1 unless NAME is the current screen
  expect-lcd FILE       stop with exit code 1 unless the LCD shows FILE: a PNG written by
                        save-lcd, or a text in the print-lcd form; the message shows the
                        first rows that differ
Time starts at 0 when the window is created; the device powers on at the first paint,
before any timer fires. Files written by save-lcd and save-window are taken from the
current folder; expect-lcd files from the script's folder.

Example:
  click bottom-left       # the next trip page
  key up 10               # drive at 100 km/h
  wait 36s
  expect-screen MainTripScreen
  save-window trip.png

Exit codes: 0 done, 1 an expectation failed, 2 a bad option, script line or file (the
script does not start), no display, or a file that cannot be written.
)";

} // namespace

int main(int argc, char** argv) {
    CLI::App app(DESCRIPTION, "ql730-sim");
    bool headless = false;
    std::vector<std::string> scripts;
    std::string live_script;
    int scale = 1;
    bool rebaseline = false;
    app.add_flag("--headless", headless,
                 "Run the SCRIPTs in simulated time, without a window, one after the other "
                 "on one device ('-' reads standard input)");
    app.add_option("SCRIPT", scripts, "Scripts for --headless")->type_name("");
    app.add_option("--script", live_script,
                   "Play SCRIPT into the window in real time (the window stays open after it)")
        ->type_name("SCRIPT");
    app.add_option("--scale", scale, "Enlarge the window by whole pixels, 1 to 4")
        ->type_name("N")
        ->check(CLI::Range(1, 4).description("(1-4)"));
    app.add_flag("--rebaseline", rebaseline,
                 "expect-lcd writes what the LCD shows into its FILE instead of comparing");
    app.footer(SCRIPT_HELP);

    try {
        app.parse(argc, argv);
        if (headless && scripts.empty())
            throw CLI::ValidationError("--headless needs at least one SCRIPT");
        if (!headless && !scripts.empty())
            throw CLI::ValidationError("scripts on the command line run with --headless; "
                                       "to play one into the window use --script SCRIPT");
        if (headless && !live_script.empty())
            throw CLI::ValidationError("--script plays into the window; with --headless give "
                                       "the scripts without --script");
        if (headless && scale != 1)
            throw CLI::ValidationError("--scale enlarges the window; --headless has none");
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return ql::EXIT_PASSED;
    } catch (const CLI::ParseError& e) {
        std::cerr << "ql730-sim: " << e.what() << " (see --help)\n";
        return ql::EXIT_USAGE;
    }

    ql::ScriptOptions options;
    options.rebaseline = rebaseline;
    std::vector<std::string> names = scripts;
    if (!live_script.empty()) names = {live_script};
    std::vector<ql::Script> loaded(names.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        std::string error;
        if (!ql::load_script(names[i], options, loaded[i], error)) {
            std::cerr << error << '\n';
            return ql::EXIT_USAGE;
        }
    }
    if (headless) return ql::run_headless(loaded, options, std::cout, std::cerr);
    ql::WindowOptions window;
    window.scale = scale;
    window.script = loaded.empty() ? nullptr : &loaded.front();
    window.script_options = options;
    return ql::run_window(window);
}
