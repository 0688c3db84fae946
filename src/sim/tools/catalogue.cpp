#include "sim/tools/catalogue.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/files/lcd_frame.hpp"
#include "sim/files/markup.hpp"
#include "sim/files/png_file.hpp"
#include "sim/host/device_setup.hpp"
#include "sim/script/ordered_jobs.hpp"
#include "sim/script/script.hpp"
#include "sim/script/script_runner.hpp"
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>

namespace ql {

namespace {

// Every look powers on as a variant with no table of its own, which offers all five languages.
constexpr const char* CATALOGUE_VARIANT = "7";

// A stretch of steps given `times` times over.
std::string repeated(const std::string& steps, int times) {
    std::string all;
    for (int i = 0; i < times; ++i)
        all += (all.empty() ? "" : "; ") + steps;
    return all;
}

// From power-on the main menu opens on Calibration; its entries are About, Set Distance,
// Calibration, Settings, Fuel Gauge, Performance and Speed Alarm. The right-hand buttons step
// through a list, the bottom-left one opens (OK), the top-left one goes back. One fuel point
// after the empty tank: the sender moved on by 10, the amount offered accepted as it is.
std::vector<CatalogueRoute> make_routes() {
    const std::string fuel_point = "click bottom-right; key right 10; click bottom-left *5";
    return {
        // A kilometre at 50 km/h: the trip screen with something counted.
        {"MainTripScreen", "", "key up 5; wait 72s"},
        {"MainMenuScreen", "", "click top-left"},
        {"AboutScreen", "MainMenuScreen", "click top-right *2; click bottom-left"},
        {"FactoryResetScreen", "AboutScreen", "click bottom-left"},
        {"SetDistanceScreen", "MainMenuScreen", "click top-right; click bottom-left"},
        {"DistanceEntryScreen", "SetDistanceScreen", "click bottom-left"},
        {"CalibrationMenuScreen", "MainMenuScreen", "click bottom-left"},
        // Distance calibration: OK at the start, 500 m at 100 km/h, OK at the end.
        {"DistCalStartScreen", "CalibrationMenuScreen", "click bottom-left"},
        {"DistCalDriveScreen", "DistCalStartScreen", "click bottom-left; key up 10; wait 18s"},
        {"DistCalNoPulsesScreen", "DistCalStartScreen", "click bottom-left; click bottom-left"},
        {"DistCalEntryScreen", "DistCalDriveScreen", "key down 10; click bottom-left"},
        // The stretch typed as 01.000, 00.000, 00.001 and 99.000.
        {"DistCalDoneScreen", "DistCalEntryScreen", "click bottom-left *5"},
        {"DistCalZeroScreen", "DistCalEntryScreen",
         "click bottom-left; click bottom-right; click bottom-left *4"},
        {"DistCalHighScreen", "DistCalEntryScreen",
         "click bottom-left; click bottom-right; click bottom-left *3; click top-right; "
         "click bottom-left"},
        {"DistCalLowScreen", "DistCalEntryScreen",
         "click top-right *9; click bottom-left; click top-right *8; click bottom-left *4"},
        {"CalValueScreen", "CalibrationMenuScreen", "click bottom-right *2; click bottom-left"},
        {"CalValueEditScreen", "CalValueScreen", "click bottom-left"},
        // The first digit down from 0 to 9: above anything the store takes.
        {"CalValueRangeScreen", "CalValueEditScreen", "click bottom-right; click bottom-left *5"},
        // Fuel calibration: empty at sender reading 20, 20 litres (or gallons) at 60.
        {"FuelCalEmptyScreen", "CalibrationMenuScreen", "click bottom-right; click bottom-left"},
        {"FuelCalAmountScreen", "FuelCalEmptyScreen", "key right 20; click bottom-left"},
        {"FuelCalAddScreen", "FuelCalAmountScreen", "click bottom-left *4"},
        {"FuelCalSignalScreen", "FuelCalAddScreen", "click bottom-left"},
        {"FuelCalFullScreen", "FuelCalAddScreen",
         "key right 40; click bottom-left; click bottom-left; click top-right *2; "
         "click bottom-left *3"},
        {"FuelCalDoneScreen", "FuelCalFullScreen", "click top-right"},
        // 010.0 after 020.0.
        {"FuelCalDecreaseScreen", "FuelCalFullScreen",
         "click bottom-right; key right 10; click bottom-left; click bottom-left; "
         "click bottom-right; click bottom-left *3"},
        // Eight more points make ten.
        {"FuelCalMaxScreen", "FuelCalFullScreen", repeated(fuel_point, 8) + "; click bottom-right"},
        // The gauge half way up the calibrated sender.
        {"FuelGaugeScreen", "FuelCalDoneScreen",
         "click top-left *2; click bottom-right *2; click bottom-left; key left 20; "
         "wait 500ms"},
        {"SettingsMenuScreen", "MainMenuScreen", "click bottom-right; click bottom-left"},
        {"ContrastScreen", "SettingsMenuScreen", "click bottom-right; click bottom-left"},
        {"UnitsScreen", "SettingsMenuScreen", "click bottom-right *2; click bottom-left"},
        {"TelemetryScreen", "SettingsMenuScreen", "click bottom-right *3; click bottom-left"},
        {"AuxFunctionScreenA", "SettingsMenuScreen", "click bottom-right *4; click bottom-left"},
        {"AuxFunctionScreenB", "SettingsMenuScreen", "click bottom-right *5; click bottom-left"},
        {"AdvancedScreen", "SettingsMenuScreen", "click bottom-right *6; click bottom-left"},
        {"LanguageScreen", "SettingsMenuScreen", "click bottom-right *7; click bottom-left"},
        {"PerfMenuScreen", "MainMenuScreen", "click bottom-right *3; click bottom-left"},
        {"PerfArmScreen", "PerfMenuScreen", "click bottom-left"},
        // A standing start to 110 km/h: the run timed to its end.
        {"PerfRunScreen", "PerfArmScreen",
         "click bottom-left; key up 5; wait 1s; key up 6; wait 2s"},
        {"SpeedAlarmScreen", "MainMenuScreen", "click bottom-right *4; click bottom-left"},
        {"AlarmSpeedScreen", "SpeedAlarmScreen", "click bottom-left"},
        {"AlarmSpeedEntryScreen", "AlarmSpeedScreen", "click bottom-left"},
        // The clock page is the third after power-on; SET opens the adjustment.
        {"ClockAdjustScreen", "", "wait 2s; click bottom-left *3; click bottom-right"},
        // 24 hours.
        {"ClockErrorScreen", "ClockAdjustScreen",
         "click top-right *2; click bottom-left; click top-right *4; click bottom-left *5"},
    };
}

// Settings -> Units: the distance unit, then the fuel unit, switched; back to the trip screen.
constexpr const char* IMPERIAL_STEPS =
    "click top-left; click bottom-right; click bottom-left; click bottom-right *2; "
    "click bottom-left; click bottom-left; click bottom-right; click bottom-left; "
    "click top-left *3";

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "click top-right *2; wait 1s" -> "click top-right\nclick top-right\nwait 1s\n"
std::string script_lines(const std::string& steps) {
    std::string lines;
    std::istringstream in(steps);
    std::string step;
    while (std::getline(in, step, ';')) {
        step = trimmed(step);
        if (step.empty()) continue;
        int times = 1;
        const std::size_t star = step.rfind(" *");
        if (star != std::string::npos) {
            const std::string count = step.substr(star + 2);
            const auto [end, ec] =
                std::from_chars(count.data(), count.data() + count.size(), times);
            if (ec == std::errc() && end == count.data() + count.size() && times > 0)
                step = trimmed(step.substr(0, star));
            else
                times = 1; // left as it is, for the script reader to refuse
        }
        for (int i = 0; i < times; ++i)
            lines += step + '\n';
    }
    return lines;
}

const CatalogueRoute* route_to(const std::vector<CatalogueRoute>& routes,
                               const std::string& screen) {
    for (const CatalogueRoute& route : routes)
        if (route.screen == screen) return &route;
    return nullptr;
}

// The steps from power-on, as the page shows them: "click top-left, click top-right *2".
std::string readable_steps(const std::vector<CatalogueRoute>& routes, const std::string& screen) {
    std::vector<std::string> parts;
    for (const CatalogueRoute* route = route_to(routes, screen); route != nullptr;
         route = route->after.empty() ? nullptr : route_to(routes, route->after)) {
        parts.push_back(route->steps);
        if (parts.size() > routes.size()) break; // a route that leads back to itself
    }
    std::string text;
    for (auto part = parts.rbegin(); part != parts.rend(); ++part)
        text += (text.empty() ? "" : "; ") + *part;
    return text;
}

// Plays the script on the shell in simulated time. False when a command did not finish.
bool play(Shell& shell, const Script& script) {
    std::ostringstream out;
    std::ostringstream err;
    return play_script(script, shell, ScriptOptions{}, out, err) == ScriptStatus::finished;
}

std::string language_title(const std::string& name) {
    std::string title = name;
    if (!title.empty()) title[0] = static_cast<char>(title[0] - 'a' + 'A');
    return title;
}

const char* units_title(bool imperial) {
    return imperial ? "miles, gallons" : "km, litres";
}

// What became of one screen in one look: empty when pictured, else why not.
using Outcomes = std::map<std::pair<std::string, std::size_t>, std::string>;

std::string catalogue_page(const std::vector<CatalogueRoute>& routes,
                           const std::vector<CatalogueLook>& looks, const Outcomes& missing) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<title>Ostrel QL-730: every screen</title>\n<style>\n"
         << "body { font-family: sans-serif; margin: 1em; color: #222; }\n"
         << "table { border-collapse: collapse; }\n"
         << "th, td { border: 1px solid #bbb; padding: 4px; vertical-align: top; }\n"
         << "thead th { position: sticky; top: 0; background: #eee; }\n"
         << "thead tr:nth-child(2) th { top: 1.6em; font-weight: normal; }\n"
         << "tbody th { position: sticky; left: 0; background: #fff; text-align: left;"
            " width: 14em; }\n"
         << "tbody th small { display: block; font-weight: normal; color: #555;"
            " font-family: monospace; white-space: normal; }\n"
         << "img { display: block; width: 256px; height: 128px; image-rendering: pixelated;"
            " background: #9a9; }\n"
         << ".missing { color: #a00; }\n"
         << "</style>\n</head>\n<body>\n<h1>Ostrel QL-730: every screen</h1>\n"
         << "<p>Each picture is the LCD (128 &times; 64 dots, shown twice its size) after the "
            "button presses under the screen's name, from power-on. The device powers on as a "
            "variant offering all five languages, in the column's language; miles and gallons "
            "are set through Settings &rarr; Units and kept in the settings store. "
            "top-left, bottom-left, bottom-right and top-right are the four buttons; "
            "<code>key up</code> adds 10 km/h, <code>key right</code> moves the fuel sender "
            "by one.</p>\n";
    std::vector<std::string> lost;
    for (const auto& [where, why] : missing)
        lost.push_back(where.first + " (" + language_title(looks[where.second].language) + ", " +
                       units_title(looks[where.second].imperial) + "): " + why);
    if (!lost.empty()) {
        html << "<p class=\"missing\">Missing pictures:</p>\n<ul class=\"missing\">\n";
        for (const std::string& line : lost)
            html << "<li>" << markup_escaped(line) << "</li>\n";
        html << "</ul>\n";
    }
    html << "<p>";
    for (const Screen* screen : all_screens())
        html << "<a href=\"#" << screen->name << "\">" << screen->name << "</a> ";
    html << "</p>\n<table>\n<thead>\n<tr><th rowspan=\"2\">Screen</th>";
    for (std::size_t i = 0; i < looks.size(); i += 2)
        html << "<th colspan=\"2\">" << language_title(looks[i].language) << "</th>";
    html << "</tr>\n<tr>";
    for (const CatalogueLook& look : looks)
        html << "<th>" << units_title(look.imperial) << "</th>";
    html << "</tr>\n</thead>\n<tbody>\n";
    for (const Screen* screen : all_screens()) {
        const std::string name = screen->name;
        html << "<tr id=\"" << name << "\"><th>" << name << "<small>"
             << markup_escaped(route_to(routes, name) != nullptr ? readable_steps(routes, name)
                                                                 : "no way to it is known")
             << "</small></th>";
        for (std::size_t i = 0; i < looks.size(); ++i) {
            const auto lost_here = missing.find({name, i});
            if (lost_here != missing.end()) {
                html << "<td class=\"missing\">missing: " << markup_escaped(lost_here->second)
                     << "</td>";
                continue;
            }
            html << "<td><img src=\"" << catalogue_file_name(name, looks[i]) << "\" alt=\"" << name
                 << ", " << language_title(looks[i].language) << ", "
                 << units_title(looks[i].imperial) << "\" width=\"256\" height=\"128\"></td>";
        }
        html << "</tr>\n";
    }
    html << "</tbody>\n</table>\n</body>\n</html>\n";
    return html.str();
}

// What a look powers on as: the language chosen at power-on; for miles and gallons, the store
// a device keeps after its Units screen switched both.
bool power_on_for(const CatalogueLook& look, PowerOnOptions& options, std::string& error) {
    if (!resolve_power_on(CATALOGUE_VARIANT, look.language, options, error)) return false;
    if (!look.imperial) return true;
    Script script;
    if (!parse_script("units", script_lines(IMPERIAL_STEPS), script, error)) return false;
    Shell shell(ShellConfig{options, {}});
    if (!play(shell, script) || get_distance_unit(shell.dev) != DistanceUnit::Miles ||
        get_fuel_unit(shell.dev) != FuelUnit::Gallons) {
        error = "the Units screen did not switch to miles and gallons";
        return false;
    }
    options.stored = shell.dev.settings;
    return true;
}

} // namespace

const std::vector<CatalogueRoute>& catalogue_routes() {
    static const std::vector<CatalogueRoute> routes = make_routes();
    return routes;
}

std::string catalogue_script(const std::vector<CatalogueRoute>& routes, const std::string& screen) {
    return script_lines(readable_steps(routes, screen));
}

std::vector<CatalogueLook> catalogue_looks() {
    std::vector<CatalogueLook> looks;
    for (const char* language : LANGUAGE_NAMES) {
        looks.push_back({language, false});
        looks.push_back({language, true});
    }
    return looks;
}

std::string catalogue_file_name(const std::string& screen, const CatalogueLook& look) {
    return screen + "-" + look.language + (look.imperial ? "-imperial.png" : "-metric.png");
}

int write_catalogue(const std::string& folder, const std::vector<CatalogueRoute>& routes,
                    std::ostream& out, std::ostream& err, unsigned jobs) {
    const std::filesystem::path dir(folder);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
        err << "cannot make the folder " << folder << ": "
            << (ec ? ec.message() : std::string("a file of that name is in the way")) << '\n';
        return EXIT_USAGE;
    }

    // The scripts, one a screen, read once for every look.
    std::map<std::string, Script> scripts;
    Outcomes missing;
    const std::vector<CatalogueLook> looks = catalogue_looks();
    for (const Screen* screen : all_screens()) {
        const std::string name = screen->name;
        std::string why;
        Script script;
        if (route_to(routes, name) == nullptr)
            why = "no way to it is known";
        else if (!parse_script(name, catalogue_script(routes, name), script, why))
            why = "its steps cannot be read: " + why;
        if (why.empty()) {
            scripts.emplace(name, std::move(script));
            continue;
        }
        for (std::size_t i = 0; i < looks.size(); ++i)
            missing[{name, i}] = why;
    }

    // Each look's power-on, then every screen in every look, each on a device of its own.
    std::vector<PowerOnOptions> power_ons(looks.size());
    std::vector<std::string> look_errors(looks.size());
    run_ordered_jobs(
        looks.size(), jobs,
        [&](std::size_t i) { power_on_for(looks[i], power_ons[i], look_errors[i]); },
        [](std::size_t) { return true; });
    struct Picture {
        std::size_t look = 0;
        const std::string* screen = nullptr;
        const Script* script = nullptr;
        std::string missing;     // why it is not pictured
        std::string write_error; // why its file could not be written
    };
    std::vector<Picture> pictures_to_take;
    for (std::size_t i = 0; i < looks.size(); ++i)
        for (const auto& [name, script] : scripts) {
            if (!look_errors[i].empty())
                missing[{name, i}] = look_errors[i];
            else
                pictures_to_take.push_back({i, &name, &script, {}, {}});
        }
    int pictures = 0;
    bool unwritable = false;
    run_ordered_jobs(
        pictures_to_take.size(), jobs,
        [&](std::size_t p) {
            Picture& picture = pictures_to_take[p];
            Shell shell(ShellConfig{power_ons[picture.look], {}});
            const bool played = play(shell, *picture.script);
            const std::string reached = screen_name(shell.dev, "none");
            if (!played || *picture.screen != reached) {
                picture.missing =
                    std::string(played ? "" : "a step failed; ") + "the steps end on " + reached;
                return;
            }
            write_png(dir / catalogue_file_name(*picture.screen, looks[picture.look]),
                      lcd_image(shell.dev.lcd), picture.write_error);
        },
        [&](std::size_t p) {
            const Picture& picture = pictures_to_take[p];
            if (!picture.write_error.empty()) {
                err << picture.write_error << '\n';
                unwritable = true;
                return false;
            }
            if (picture.missing.empty())
                ++pictures;
            else
                missing[{*picture.screen, picture.look}] = picture.missing;
            return true;
        });
    if (unwritable) return EXIT_USAGE;

    std::string error;
    const std::filesystem::path page = dir / "index.html";
    if (!write_file_whole(page, catalogue_page(routes, looks, missing), error)) {
        err << error << '\n';
        return EXIT_USAGE;
    }
    for (const auto& [where, why] : missing)
        err << "catalogue: " << where.first << " (" << looks[where.second].language << ", "
            << (looks[where.second].imperial ? "imperial" : "metric") << ") is missing: " << why
            << '\n';
    out << pictures << " pictures of " << all_screens().size() << " screens in " << looks.size()
        << " looks: " << page.string() << '\n';
    return missing.empty() ? EXIT_PASSED : EXIT_EXPECTATION_FAILED;
}

} // namespace ql
