#include "app/script_cli.hpp"
#include "device/screens/screen_list.hpp"
#include "sim/host/device_setup.hpp"
#include "sim/host/settings_file.hpp"
#include "sim/map/coverage.hpp"
#include "sim/map/graphviz.hpp"
#include "sim/map/map_files.hpp"
#include "sim/script/ordered_jobs.hpp"
#include "sim/script/suite_runner.hpp"
#include "sim/tools/catalogue.hpp"
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <malloc.h>

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
  power-cycle           switch the device off and on again: it powers on from the store it
                        kept (with --settings, from the file), with the factory settings
                        after a factory reset; time, the speed, the fuel reading, a drive
                        and the clocks go on, the distances and the screens start afresh
  print-lcd             print the LCD: 64 lines of 128 characters, '#' dark, '.' clear
  print-state           print the device's state as one line of JSON
  save-lcd FILE         write the LCD as a 128 x 64 PNG, one pixel per dot
  save-window FILE      write the whole window as a PNG
  expect-screen NAME    stop with exit code 1 unless NAME is the current screen
  expect-lcd FILE       stop with exit code 1 unless the LCD shows FILE: a PNG written by
                        save-lcd, or a text in the print-lcd form; the message shows the
                        first rows that differ
  expect-text "TEXT" [X Y W H]
                        stop with exit code 1 unless TEXT, drawn in the device's own font,
                        is on the LCD (dark on clear, or clear on dark as in a highlighted
                        row) within the region (the whole LCD by default); the message
                        shows the region
  expect-state PATH VALUE
                        stop with exit code 1 unless the value at PATH in print-state's
                        JSON is VALUE: screen MainMenuScreen, settings.language 4,
                        vehicle.interval_m 1000, settings.fuel_table.volumes.0 0
  drive FILE            start replaying a recorded drive, a CSV of rows
                        time_s,speed_kmh[,fuel_reading]: at each row's time (seconds from
                        the start of the drive) the speed (0-300 km/h, tenths allowed) and
                        the fuel reading (0-255) take its values until the next row; the
                        script goes on at once, so wait lets the drive play. A first line
                        of column names is skipped; a bad row stops with FILE:LINE and
                        exit code 2 before the script starts. FILE may also be a GPX track
                        or an NMEA log (RMC sentences): the speeds are made from its fixes
                        so that the distance follows the track (docs/drives.md)
  record-gif FILE       start a GIF of the window: a frame whenever the picture changes,
                        shown for the simulated time until the next change
  stop-gif              finish the GIF and write it (a GIF still being recorded at the
                        end of the script is written then); one GIF at a time
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

A recorded drive, checked by its distance (36 s at 100 km/h, then at rest):
  drive drive.csv         # time_s,speed_kmh / 0,100 / 36,0
  wait 40s
  expect-state vehicle.interval_m 1000

Several SCRIPTs (or --junit) are separate tests, each on a device of its own; the run ends
with the line "N passed, M failed" on standard error. Example:
  ql730-sim --headless a.txt b.txt --junit report.xml --variant 4 --language german

The screen catalogue: --catalogue FOLDER writes a PNG of the LCD for every screen, each
reached by button presses from power-on, in the five languages with km and litres and with
miles and gallons (FOLDER/MainMenuScreen-french-metric.png, ...), and FOLDER/index.html,
a page showing them side by side. Example:
  ql730-sim --catalogue screens && xdg-open screens/index.html

The screen map: --map FOLDER explores the device from power-on by its buttons (each
clicked and held, and the arrow keys where a screen shows them), breadth-first, and writes
FOLDER/map.json (every screen and transition, each with the shortest script from power-on
that takes it), FOLDER/map.svg, FOLDER/index.html (the drawing with the LCD of every screen)
and FOLDER/catalogue/ (every screen in every language, which the drawing links to). Drawing
needs Graphviz's dot program (Debian package graphviz). --variant and --language choose the
device explored. Example:
  ql730-headless --map map && xdg-open map/index.html

Screen coverage: --coverage FILE records which screens and transitions (a screen, a button
clicked or held or an arrow key, the screen after it) the SCRIPTs visited, writes FILE (JSON)
and FILE.html (the map with the visited ones marked and the others listed, drawn by dot) and
prints "screens 40/43, transitions 118/151". --min-coverage SCREENS%[,TRANSITIONS%] makes a
run that passed exit with 1 when it visited less. Example:
  ql730-headless tests/scenarios/*/*.txt --coverage cov.json --min-coverage 90,50

Every message on standard error starts with the program's name. A single script that
passes prints no message at all: standard error stays empty (with --rebaseline, one line
for each picture rewritten), and standard output holds only what print-lcd and print-state
print.

Exit codes: 0 done, 1 an expectation failed (or a screen the catalogue or the map did not
reach, or less coverage than --min-coverage),
2 a bad option, script line or file (the script does not start), no display, or a file or
folder that cannot be written.
)";

void add_script_options(CLI::App& app, HeadlessCommand& command, const std::string& scripts_help) {
    app.add_option("SCRIPT", command.scripts, scripts_help)->type_name("");
    app.add_flag("--rebaseline", command.rebaseline,
                 "expect-lcd writes what the LCD shows into its FILE instead of comparing");
    app.add_option("--variant", command.variant,
                   "Power on as regional variant N: 1 France, 2 Italy (the default), 3 Spain, "
                   "4 Germany, 5 UK, 6 New Zealand; any other number up to 255 offers all five "
                   "languages")
        ->type_name("N");
    app.add_option("--language", command.language,
                   "Power on in NAME (english, french, italian, spanish or german), one the "
                   "variant offers")
        ->type_name("NAME");
    app.add_option("--junit", command.junit,
                   "Write a JUnit XML report to FILE: one test case a script, with the message "
                   "and script line of a failure")
        ->type_name("FILE");
    app.add_option("--settings", command.settings,
                   "Keep the settings store in FILE (JSON, the keys of print-state's settings): "
                   "loaded at power-on when it exists (rebuilt from the factory settings when a "
                   "factory reset marked it invalid), written whenever a setting changes and at "
                   "exit; one simulator at a time (FILE.lock beside it)")
        ->type_name("FILE");
    app.add_option("--catalogue", command.catalogue,
                   "Write a PNG of every screen in every language and unit system, and a page "
                   "showing them (FOLDER/index.html), then exit")
        ->type_name("FOLDER");
    app.add_option("--map", command.map,
                   "Explore the device from power-on by its buttons and write the screen map "
                   "into FOLDER (map.json, map.svg, index.html; needs Graphviz's dot), then exit")
        ->type_name("FOLDER");
    app.add_option("--coverage", command.coverage,
                   "Record the screens and transitions the SCRIPTs visit: FILE (JSON) and "
                   "FILE.html (the map marked; needs Graphviz's dot), and the line \"screens "
                   "N/M, transitions N/M\"")
        ->type_name("FILE");
    app.add_option("--min-coverage", command.min_coverage,
                   "Exit with 1 when the SCRIPTs visited less than SCREENS percent of the "
                   "screens (or TRANSITIONS percent of the transitions)")
        ->type_name("SCREENS%[,TRANSITIONS%]");
    app.add_option("--jobs", command.jobs,
                   "Play N SCRIPTs at once, each on a thread and device of its own (by default "
                   "as many as the machine has cores; one at a time with --settings, whose store "
                   "they share); also for --catalogue and --map. What is printed and reported "
                   "is the same for any N")
        ->type_name("N")
        ->check(CLI::Range(1, 4096).description("(1-4096)"));
    app.add_option("--shard", command.shard,
                   "Play only shard K of N of the SCRIPTs (K from 1 to N), chosen by each "
                   "script's path, so that N runs with K = 1 to N play every script once; "
                   "without it, CI_NODE_INDEX and CI_NODE_TOTAL are used when both are set")
        ->type_name("K/N");
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

std::string option_error(const CLI::App& app, const CLI::ParseError& error) {
    if (dynamic_cast<const CommandLineError*>(&error) != nullptr) return error.what();
    const std::string what = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        // The library lists every word left over, last first; the user needs the first.
        const std::vector<std::string> extras = app.remaining();
        std::string word = extras.empty() ? what.substr(what.find(": ") + 2) : extras.front();
        if (word.rfind("--", 0) == 0) word = word.substr(0, word.find('=')); // --bogus=3
        return "there is no option or argument " + word;
    }
    // Every other message of the library names the option: "--scale: ...", "Could not
    // convert: --headless = ...". Its words never reach the user.
    std::size_t at = what.rfind("--", 0) == 0 ? 0 : what.find(" --");
    if (at == std::string::npos) return "the command line cannot be read";
    if (at != 0) ++at;
    const std::string option = what.substr(at, what.find_first_of(" :=", at) - at);
    const CLI::Option* known = app.get_option_no_throw(option);
    if (known == nullptr) return "there is no option or argument " + option;
    if (what.find("At Most") != std::string::npos) return option + " may be given only once";
    if (known->get_expected_max() == 0) return option + " takes no value";
    if (what.find("missing") != std::string::npos) return option + " needs a value";
    if (option == "--scale") return "--scale takes a whole number from 1 to 4";
    if (option == "--speed") return "--speed takes a number from 0.25 to 64";
    if (option == "--jobs") return "--jobs takes a whole number from 1 to 4096";
    return option + " does not take that value";
}

std::string catalogue_conflict(const HeadlessCommand& command) {
    if (command.catalogue.empty()) return {};
    if (!command.scripts.empty() || command.rebaseline || !command.junit.empty())
        return "--catalogue plays its own steps; give it without scripts, --rebaseline or "
               "--junit";
    if (!command.variant.empty() || !command.language.empty() || !command.settings.empty())
        return "--catalogue powers on every language and unit system itself; give it without "
               "--variant, --language or --settings";
    return {};
}

std::string map_conflict(const HeadlessCommand& command) {
    if (!command.map.empty()) {
        if (!command.catalogue.empty())
            return "--map writes its own catalogue; give --map or --catalogue, not both";
        if (!command.scripts.empty() || command.rebaseline || !command.junit.empty() ||
            !command.coverage.empty() || !command.min_coverage.empty())
            return "--map plays its own steps; give it without scripts, --rebaseline, --junit "
                   "or --coverage";
        if (!command.settings.empty())
            return "--map powers on from the factory settings; give it without --settings";
        return {};
    }
    if (command.coverage.empty() && command.min_coverage.empty()) return {};
    if (command.scripts.empty())
        return std::string(command.coverage.empty() ? "--min-coverage" : "--coverage") +
               " records what SCRIPTs visit; give at least one SCRIPT";
    CoverageThreshold threshold;
    if (!command.min_coverage.empty() && !parse_coverage_threshold(command.min_coverage, threshold))
        return "--min-coverage takes SCREENS%[,TRANSITIONS%], shares from 0 to 100: 90 or "
               "90,50%";
    return {};
}

bool in_shard(const std::string& script, unsigned k, unsigned n) {
    // FNV-1a: the same on every machine and in every build, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : script) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash % n == k - 1;
}

namespace {

// "K/N" with 1 <= K <= N.
bool parse_shard(std::string_view text, unsigned& k, unsigned& n) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return false;
    const auto whole = [](std::string_view part, unsigned& value) {
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        return !part.empty() && ec == std::errc() && end == part.data() + part.size();
    };
    return whole(text.substr(0, slash), k) && whole(text.substr(slash + 1), n) && n >= 1 &&
           n <= 10000 && k >= 1 && k <= n;
}

} // namespace

bool shard_of(const HeadlessCommand& command, unsigned& k, unsigned& n, std::string& error) {
    k = n = 1;
    if (!command.shard.empty()) {
        if (parse_shard(command.shard, k, n)) return true;
        error = "--shard takes K/N, whole numbers with 1 <= K <= N <= 10000: 2/4";
        return false;
    }
    const char* index = std::getenv("CI_NODE_INDEX");
    const char* total = std::getenv("CI_NODE_TOTAL");
    if (index == nullptr || total == nullptr || *index == '\0' || *total == '\0') return true;
    if (parse_shard(std::string(index) + "/" + total, k, n)) return true;
    error = std::string("CI_NODE_INDEX=") + index + " and CI_NODE_TOTAL=" + total +
            " are not a shard: the index counts from 1 to the total";
    k = n = 1;
    return false;
}

std::string jobs_conflict(const HeadlessCommand& command) {
    if (!command.shard.empty() && (!command.catalogue.empty() || !command.map.empty()))
        return "--shard splits the SCRIPTs; give it without --catalogue or --map";
    return {};
}

namespace {

unsigned jobs_of(const HeadlessCommand& command) {
    return command.jobs == 0 ? default_jobs() : command.jobs;
}

// Each script, picture or replay frees what its device took, and the next one takes as much
// again: the memory is kept for it rather than handed back to the system and faulted in anew,
// which on several threads costs each of them a lock of the whole address space.
void keep_freed_memory() {
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
    // And taken from the system in large steps, each reserved, not touched, until used.
    mallopt(M_TOP_PAD, 16 * 1024 * 1024);
}

// What the map's device powered on as, for its pages.
std::string device_description(const HeadlessCommand& command) {
    std::string text =
        command.variant.empty() ? std::string("the default variant") : "variant " + command.variant;
    if (!command.language.empty()) text += ", in " + command.language;
    return text;
}

} // namespace

int run_map_command(const HeadlessCommand& command) {
    keep_freed_memory();
    PowerOnOptions power_on;
    std::string error;
    if (!resolve_power_on(command.variant, command.language, power_on, error)) {
        std::cerr << error << '\n';
        return EXIT_USAGE;
    }
    if (!dot_available()) {
        std::cerr << "--map: " << DOT_MISSING << '\n';
        return EXIT_USAGE;
    }
    return write_screen_map(command.map,
                            explore_screen_map(power_on, MapLimits{}, jobs_of(command)),
                            device_description(command), std::cout, std::cerr, jobs_of(command));
}

int run_catalogue_command(const HeadlessCommand& command) {
    keep_freed_memory();
    return write_catalogue(command.catalogue, catalogue_routes(), std::cout, std::cerr,
                           jobs_of(command));
}

bool script_options_of(const HeadlessCommand& command, ScriptOptions& options, SettingsLock& lock,
                       std::string& error) {
    options.rebaseline = command.rebaseline;
    if (!resolve_power_on(command.variant, command.language, options.power_on, error)) return false;
    options.settings_file = command.settings;
    if (command.settings.empty()) return true;
    if (!lock.take(command.settings, error)) return false;
    Settings stored{};
    bool present = false;
    if (!load_settings_file(command.settings, stored, present, error)) return false;
    if (!check_settings_file_writable(command.settings, error)) return false;
    if (present) options.power_on.stored = stored;
    return true;
}

int run_headless_command(const HeadlessCommand& command) {
    keep_freed_memory();
    ScriptOptions options;
    SettingsLock lock;
    std::string problem;
    if (!script_options_of(command, options, lock, problem)) {
        std::cerr << problem << '\n';
        return EXIT_USAGE;
    }
    unsigned shard = 1;
    unsigned shards = 1;
    if (!shard_of(command, shard, shards, problem)) {
        std::cerr << problem << '\n';
        return EXIT_USAGE;
    }
    std::vector<std::string> names;
    for (const std::string& name : command.scripts)
        if (in_shard(name, shard, shards)) names.push_back(name);
    // Read side by side too; the first mistake in the order given is the one reported.
    std::vector<Script> loaded(names.size());
    std::vector<std::string> errors(names.size());
    bool refused = false;
    run_ordered_jobs(
        names.size(), jobs_of(command),
        [&](std::size_t i) {
            if (!load_script(names[i], options, loaded[i], errors[i]) && errors[i].empty())
                errors[i] = "cannot read the script " + names[i];
        },
        [&](std::size_t i) {
            if (errors[i].empty()) return true;
            std::cerr << errors[i] << '\n';
            refused = true;
            return false;
        });
    if (refused) return EXIT_USAGE;
    const bool recording = !command.coverage.empty() || !command.min_coverage.empty();
    if (!command.coverage.empty() && !dot_available()) {
        std::cerr << "--coverage: " << DOT_MISSING << '\n';
        return EXIT_USAGE;
    }
    if (!command.coverage.empty()) {
        // Said before the run, not after it.
        const std::filesystem::path folder =
            std::filesystem::path(command.coverage).parent_path().empty()
                ? std::filesystem::path(".")
                : std::filesystem::path(command.coverage).parent_path();
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            std::cerr << "--coverage: the folder " << folder.string() << " does not exist\n";
            return EXIT_USAGE;
        }
    }
    CoverageRecorder recorder;
    if (recording) options.watcher = &recorder;
    // Several scripts, a report or a shard make a test run: each script on a device of its own.
    SuiteOptions suite;
    suite.junit = command.junit;
    if (shards > 1)
        suite.name += " (shard " + std::to_string(shard) + " of " + std::to_string(shards) + ")";
    // Scripts that share a settings file take their turns with it.
    suite.jobs = command.settings.empty() ? jobs_of(command) : 1;
    const int code =
        loaded.size() > 1 || !command.junit.empty() || shards > 1
            ? run_headless_suite(std::move(loaded), options, suite, std::cout, std::cerr)
            : run_headless(loaded, options, std::cout, std::cerr);
    if (!recording) return code;
    CoverageFigures figures;
    if (!write_coverage(command.coverage,
                        explore_screen_map(options.power_on, MapLimits{}, jobs_of(command)),
                        recorder, figures, std::cerr))
        return EXIT_USAGE;
    std::cerr << coverage_line(figures) << '\n';
    CoverageThreshold threshold;
    if (command.min_coverage.empty() || !parse_coverage_threshold(command.min_coverage, threshold))
        return code;
    const std::string shortfall = coverage_shortfall(figures, threshold);
    if (shortfall.empty()) return code;
    std::cerr << shortfall << '\n';
    return code == EXIT_PASSED ? EXIT_EXPECTATION_FAILED : code;
}

} // namespace ql
