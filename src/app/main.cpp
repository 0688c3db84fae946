#include "app/program_messages.hpp"
#include "app/script_cli.hpp"
#include "app/version.hpp"
#include "app/window/window.hpp"
#include "sim/files/png_file.hpp"
#include "sim/frontend/key_help.hpp"
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

constexpr const char* DESCRIPTION =
    R"(Ostrel QL-730 Simulator: the QL-730 rally and trip computer on the desktop.

Without options it opens the simulator window. Click the four buttons beside the LCD
with the left mouse button (hold one for its second function); Up and Down change the
simulated speed by 10 km/h (0-300), Left and Right the fuel-sender reading (0-255).
)";

} // namespace

int main(int argc, char** argv) {
    const ql::ProgramMessages messages("ql730-sim");
    CLI::App app(DESCRIPTION, "ql730-sim");
    app.set_version_flag("--version", ql::VERSION,
                         "Print the program's name and version, then exit");
    bool headless = false;
    ql::HeadlessCommand command;
    std::string live_script;
    int scale = 1;
    app.add_flag("--headless", headless,
                 "Run the SCRIPTs in simulated time, without a window, each on a device of "
                 "its own ('-' reads standard input)");
    add_script_options(app, command, "Scripts for --headless");
    app.add_option("--script", live_script,
                   "Play SCRIPT into the window in real time; the window stays open after it, "
                   "a failure named on its hint line, and the program then exits with the "
                   "script's code (1 for a failed expectation) when the window is closed")
        ->type_name("SCRIPT");
    app.add_option("--scale", scale, "Enlarge the window by whole pixels, 1 to 4")
        ->type_name("N")
        ->check(CLI::Range(1, 4).description("(1-4)"));
    std::string drive_file;
    app.add_option("--drive", drive_file,
                   "Replay the recorded drive FILE in the window from the start: CSV rows "
                   "time_s,speed_kmh[,fuel_reading], a GPX track or an NMEA log; the arrow keys "
                   "still change the speed and the fuel reading until the next row")
        ->type_name("FILE");
    std::string gpsd_where;
    app.add_option("--gpsd", gpsd_where,
                   "Drive the vehicle in real time at the speed of a live GPS receiver, through "
                   "gpsd at HOST[:PORT] (by default localhost:2947); without a fix the speed "
                   "holds at 0")
        ->type_name("[HOST[:PORT]]")
        ->expected(0, 1);
    double speed = 1;
    app.add_option("--speed", speed,
                   "Run the window's simulated time X times as fast as real time, 0.25 to 64")
        ->type_name("X")
        ->check(CLI::Range(0.25, 64.0).description("(0.25-64)"));
    bool inspector = false;
    app.add_flag("--inspector", inspector,
                 "Show the inspector beside the faceplate from the start (I toggles it); "
                 "without its font (fonts-dejavu-core) the program stops with exit code 2");
    std::string record_file;
    app.add_option("--record", record_file,
                   "Record the window's session from the start into FILE, a script that "
                   "replays it with --headless (written when the window closes, or at F10)")
        ->type_name("FILE");
    app.footer(std::string("\n") + ql::KEY_HELP + ql::SCRIPT_HELP);

    const std::vector<std::string>& scripts = command.scripts;
    try {
        app.parse(argc, argv);
        std::string conflict = ql::catalogue_conflict(command);
        if (conflict.empty()) conflict = ql::map_conflict(command);
        if (conflict.empty()) conflict = ql::jobs_conflict(command);
        if (!conflict.empty()) throw ql::CommandLineError(conflict);
        const bool gpsd = app.count("--gpsd") > 0;
        if (!command.catalogue.empty() && gpsd)
            throw ql::CommandLineError("--catalogue opens no window; give it without --gpsd");
        if (headless && gpsd)
            throw ql::CommandLineError("--gpsd drives the window in real time; --headless "
                                       "replays a recorded track with the line drive FILE");
        if (gpsd && !drive_file.empty())
            throw ql::CommandLineError("--gpsd and --drive both set the speed; give one");
        if (gpsd && speed != 1)
            throw ql::CommandLineError("--gpsd follows the receiver in real time; give it "
                                       "without --speed");
        if (gpsd && !record_file.empty())
            throw ql::CommandLineError("--record cannot replay a live receiver; give --gpsd "
                                       "without --record");
        if (!command.catalogue.empty() &&
            (!live_script.empty() || !drive_file.empty() || scale != 1 || speed != 1))
            throw ql::CommandLineError("--catalogue opens no window; give it without --script, "
                                       "--drive, --scale or --speed");
        if (!command.map.empty() && (headless || !live_script.empty() || !drive_file.empty() ||
                                     scale != 1 || speed != 1 || inspector || !record_file.empty()))
            throw ql::CommandLineError("--map opens no window; give it without --headless, "
                                       "--script, --drive, --scale, --speed, --inspector or "
                                       "--record");
        if (!headless && (!command.coverage.empty() || !command.min_coverage.empty()))
            throw ql::CommandLineError("--coverage and --min-coverage record scripts run with "
                                       "--headless; give --headless and the SCRIPTs");
        if (headless && !live_script.empty())
            throw ql::CommandLineError("--script plays into the window; with --headless give "
                                       "the scripts without --script");
        if (!headless && command.rebaseline)
            throw ql::CommandLineError("--rebaseline rewrites the frames of scripts run with "
                                       "--headless; give --headless and the SCRIPTs");
        if (headless && scripts.empty() && command.catalogue.empty())
            throw ql::CommandLineError("--headless needs at least one SCRIPT");
        if (!headless && !scripts.empty())
            throw ql::CommandLineError("scripts on the command line run with --headless; "
                                       "to play one into the window use --script SCRIPT");
        if (!headless && command.catalogue.empty() && command.map.empty() &&
            (command.jobs != 0 || !command.shard.empty()))
            throw ql::CommandLineError("--jobs and --shard are for scripts run with --headless, "
                                       "--catalogue and --map; the window plays one device");
        if (headless && scale != 1)
            throw ql::CommandLineError("--scale enlarges the window; --headless has none");
        if (headless && !drive_file.empty())
            throw ql::CommandLineError("--drive replays into the window; with --headless put "
                                       "the line drive FILE in the script");
        if (headless && inspector)
            throw ql::CommandLineError("--inspector is shown in the window; --headless has "
                                       "none (print-state shows the same values)");
        if (headless && !record_file.empty())
            throw ql::CommandLineError("--record records the window's session; --headless "
                                       "has none");
        if (headless && speed != 1)
            throw ql::CommandLineError("--speed sets the window's rate; --headless runs in "
                                       "simulated time");
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return ql::EXIT_PASSED;
    } catch (const CLI::CallForVersion&) {
        std::cout << "ql730-sim " << ql::VERSION << '\n';
        return ql::EXIT_PASSED;
    } catch (const CLI::ParseError& e) {
        std::cerr << "ql730-sim: " << ql::option_error(app, e) << " (see --help)\n";
        return ql::EXIT_USAGE;
    }

    if (!command.catalogue.empty()) return ql::run_catalogue_command(command);
    if (!command.map.empty()) return ql::run_map_command(command);
    if (headless) return ql::run_headless_command(command);
    ql::ScriptOptions options;
    ql::SettingsLock settings_lock; // held until the window has closed and saved the store
    std::string problem;
    if (!ql::script_options_of(command, options, settings_lock, problem)) {
        std::cerr << problem << '\n';
        return ql::EXIT_USAGE;
    }
    ql::Script script;
    if (!live_script.empty()) {
        std::string error;
        if (!ql::load_script(live_script, options, script, error)) {
            std::cerr << error << '\n';
            return ql::EXIT_USAGE;
        }
    }
    // A session file that cannot be written is said at once, not when the window closes.
    if (!record_file.empty() && !std::ofstream(record_file, std::ios::app)) {
        std::cerr << "ql730-sim: --record: " << ql::file_error(record_file, "write the file")
                  << '\n';
        return ql::EXIT_USAGE;
    }
    ql::WindowOptions window;
    std::string note;
    if (!drive_file.empty() && !ql::load_drive_file(drive_file, window.drive, problem, &note)) {
        std::cerr << problem << '\n';
        return ql::EXIT_USAGE;
    }
    if (!note.empty()) std::cerr << note << '\n';
    ql::GpsdReceiver receiver;
    if (app.count("--gpsd") > 0) {
        ql::GpsdAddress address;
        if (!ql::parse_gpsd_address(gpsd_where, address, problem) ||
            !receiver.open(address, problem)) {
            std::cerr << "ql730-sim: " << problem << '\n';
            return ql::EXIT_USAGE;
        }
        window.receiver = &receiver;
    }
    window.scale = scale;
    window.speed = speed;
    window.inspector = inspector;
    window.script = live_script.empty() ? nullptr : &script;
    window.script_options = options;
    window.record_file = record_file;
    if (!command.variant.empty()) window.replay_options += " --variant " + command.variant;
    if (!command.language.empty()) window.replay_options += " --language " + command.language;
    if (!command.settings.empty())
        window.session_note = "# The window kept its settings in " + command.settings +
                              ": replay with --settings and a copy of that file as it was "
                              "when the window opened.\n";
    // The recorded drive plays from the start in the window, so its replay starts it too.
    if (!drive_file.empty())
        window.session_note += "# The window replayed a recorded drive from its start:\ndrive \"" +
                               std::filesystem::absolute(drive_file).string() + "\"\n";
    return ql::run_window(window);
}
