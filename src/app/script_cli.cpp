#include "app/script_cli.hpp"
#include "screens/screen_list.hpp"
#include <iostream>

namespace ql {

const char* const SCRIPT_HELP = R"(
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
before any timer fires. A FILE is one word, or a name in double quotes (the quotes are
taken off); a relative FILE, read or written, is taken from the script's folder (the
current folder for '-'), so an expect-lcd may compare with a picture its script saved
earlier. A UTF-8 byte-order mark at the start of a script is ignored.

Example:
  click bottom-left       # the next trip page
  key up 10               # drive at 100 km/h
  wait 36s
  expect-screen MainTripScreen
  save-window trip.png

Exit codes: 0 done, 1 an expectation failed, 2 a bad option, script line or file (the
script does not start), no display, or a file that cannot be written.
)";

void add_script_options(CLI::App& app, HeadlessCommand& command, const std::string& scripts_help) {
    app.add_option("SCRIPT", command.scripts, scripts_help)->type_name("");
    app.add_flag("--rebaseline", command.rebaseline,
                 "expect-lcd writes what the LCD shows into its FILE instead of comparing");
    app.footer([] {
        std::string names = "The screens expect-screen knows:";
        std::size_t column = names.size();
        for (const Screen* screen : all_screens()) {
            const std::string name = screen->name;
            if (column + 1 + name.size() > 88) {
                names += "\n ";
                column = 1;
            }
            names += " " + name;
            column += 1 + name.size();
        }
        return names + "\n";
    });
}

std::string option_error(const CLI::ParseError& error) {
    const std::string what = error.what();
    const std::string name = error.get_name();
    if (name == "ExtrasError" || what.find("not expected") != std::string::npos) {
        const std::size_t colon = what.find(": ");
        return "there is no option or argument " +
               (colon == std::string::npos ? what : what.substr(colon + 2));
    }
    // The library's own messages start with the option's name.
    const std::size_t colon = what.find(": ");
    const std::string option = what.rfind("--", 0) == 0 && colon != std::string::npos
                                   ? what.substr(0, colon)
                                   : std::string();
    if (option.empty()) return what; // the programs' own checks
    if (what.find("At Most") != std::string::npos) return option + " may be given only once";
    if (what.find("missing") != std::string::npos) return option + " needs a value";
    if (option == "--scale") return "--scale takes a whole number from 1 to 4";
    return option + " does not take that value";
}

int run_headless_command(const HeadlessCommand& command) {
    ScriptOptions options;
    options.rebaseline = command.rebaseline;
    std::vector<Script> loaded(command.scripts.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        std::string error;
        if (!load_script(command.scripts[i], options, loaded[i], error)) {
            std::cerr << error << '\n';
            return EXIT_USAGE;
        }
    }
    return run_headless(loaded, options, std::cout, std::cerr);
}

} // namespace ql
