#include "sim/map/coverage.hpp"
#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/files/markup.hpp"
#include "sim/files/png_file.hpp"
#include "sim/host/button_keys.hpp"
#include "sim/map/graphviz.hpp"
#include "sim/map/map_files.hpp"
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

namespace ql {

namespace {

constexpr std::uint8_t HOLD_CODES = 4;
constexpr std::uint8_t KEY_CODES = 8;

std::optional<std::uint8_t> key_code(std::uint8_t key) {
    switch (key) {
    case KEY_UP: return KEY_CODES;
    case KEY_DOWN: return KEY_CODES + 1;
    case KEY_LEFT: return KEY_CODES + 2;
    case KEY_RIGHT: return KEY_CODES + 3;
    default: return std::nullopt;
    }
}

// "90", "90%", "87.5" -> a share from 0 to 100.
bool parse_share(std::string text, double& share) {
    if (!text.empty() && text.back() == '%') text.pop_back();
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), share);
    return ec == std::errc() && end == text.data() + text.size() && share >= 0 && share <= 100;
}

double percent(std::size_t part, std::size_t whole) {
    return whole == 0 ? 100.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

std::string figure(double share) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", share);
    return text;
}

std::string script_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "; ") + line;
    return text;
}

std::string coverage_page(const std::string& file, const ScreenMap& map, const GraphMarks& marks,
                          const CoverageFigures& figures, const std::string& svg) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<title>Ostrel QL-730: screen coverage</title>\n<style>\n"
         << "body { font-family: sans-serif; margin: 1em; color: #222; }\n"
         << "#drawing { overflow-x: auto; }\n"
         << "table { border-collapse: collapse; }\n"
         << "th, td { border: 1px solid #bbb; padding: 4px; text-align: left; }\n"
         << "td.script { font-family: monospace; font-size: 85%; }\n"
         << "</style>\n</head>\n<body>\n<h1>Ostrel QL-730: screen coverage</h1>\n<p>"
         << markup_escaped(coverage_line(figures)) << " (" << markup_escaped(file)
         << "). Green: visited by the scripts; red: never visited; an orange arrow was taken "
            "by some of its inputs only. TL, BL, BR and TR are the four buttons clicked, "
            "<em>hold</em> held past one second; the ways back to the main menu and the trip "
            "screen are in the table only.</p>\n";
    html << "<h2>Screens never visited</h2>\n<ul id=\"unvisited-screens\">\n";
    if (figures.screens_visited == figures.screens_total) html << "<li>none</li>\n";
    for (const MapNode& node : map.nodes)
        if (!marks.screens.contains(node.screen))
            html << "<li>" << node.screen << " <small>(" << markup_escaped(script_text(node.script))
                 << ")</small></li>\n";
    html << "</ul>\n<h2>Transitions never taken</h2>\n<table id=\"unvisited-transitions\">\n"
         << "<tr><th>From</th><th>Input</th><th>To</th><th>A script that takes it</th></tr>\n";
    for (const MapEdge& edge : map.edges)
        if (!marks.transitions.contains({edge.from, edge.input, edge.to}))
            html << "<tr><td>" << edge.from << "</td><td>" << edge.input << "</td><td>" << edge.to
                 << "</td><td class=\"script\">" << markup_escaped(script_text(edge.script))
                 << "</td></tr>\n";
    html << "</table>\n<h2>The map</h2>\n<div id=\"drawing\">\n"
         << inline_svg(svg) << "</div>\n</body>\n</html>\n";
    return html.str();
}

} // namespace

void CoverageRecorder::visit(const Screen* screen) {
    if (screen == last_) return;
    last_ = screen;
    if (screen != nullptr) screens_.insert(screen);
}

void CoverageRecorder::watch(Shell& shell) {
    shell_add_observer(shell, this);
    last_ = nullptr;
    pending_ = Pending::none;
    pressed_.reset();
    visit(shell.dev.kernel.current_screen);
}

void CoverageRecorder::input(const Shell& shell, const ShellInput& in) {
    from_ = shell.dev.kernel.current_screen;
    switch (in.kind) {
    case ShellInput::Kind::mouse_down: pending_ = Pending::down; break;
    case ShellInput::Kind::mouse_up: pending_ = Pending::up; break;
    case ShellInput::Kind::key:
        pending_ = Pending::key;
        key_ = in.key;
        break;
    case ShellInput::Kind::power_cycle:
        pending_ = Pending::none;
        pressed_.reset();
        break;
    }
}

void CoverageRecorder::handled(Shell& shell) {
    const Screen* screen = shell.dev.kernel.current_screen;
    visit(screen);
    switch (pending_) {
    case Pending::none: return;
    case Pending::down:
        pressed_ = shell_pressed_button(shell);
        pressed_on_ = from_;
        pressed_at_ = shell.now_ms;
        break;
    case Pending::up:
        if (pressed_ && pressed_on_ != nullptr && screen != nullptr) {
            const bool held = shell.now_ms - pressed_at_ >= HOLD_PERIOD_MS;
            transitions_.emplace(
                pressed_on_,
                static_cast<std::uint8_t>(button_index(*pressed_) + (held ? HOLD_CODES : 0)),
                screen);
        }
        pressed_.reset();
        break;
    case Pending::key:
        if (const auto code = key_code(key_); code && from_ != nullptr && screen != nullptr)
            transitions_.emplace(from_, *code, screen);
        break;
    }
    pending_ = Pending::none;
}

std::unique_ptr<ShellWatcher> CoverageRecorder::fork() const {
    return std::make_unique<CoverageRecorder>();
}

void CoverageRecorder::merge(const ShellWatcher& other) {
    const auto& recorded = dynamic_cast<const CoverageRecorder&>(other);
    screens_.insert(recorded.screens_.begin(), recorded.screens_.end());
    transitions_.insert(recorded.transitions_.begin(), recorded.transitions_.end());
}

std::string coverage_input_name(std::uint8_t code) {
    if (code >= KEY_CODES) return std::string("key ") + MAP_KEY_NAMES[(code - KEY_CODES) % 4];
    return map_input_name(code >= HOLD_CODES, code % HOLD_CODES);
}

bool parse_coverage_threshold(const std::string& text, CoverageThreshold& threshold) {
    const std::size_t comma = text.find(',');
    if (!parse_share(text.substr(0, comma), threshold.screens)) return false;
    threshold.transitions.reset();
    if (comma == std::string::npos) return true;
    double transitions = 0;
    if (!parse_share(text.substr(comma + 1), transitions)) return false;
    threshold.transitions = transitions;
    return true;
}

bool write_coverage(const std::string& file, const ScreenMap& map, const CoverageRecorder& recorder,
                    CoverageFigures& figures, std::ostream& err) {
    GraphMarks marks;
    for (const Screen* screen : recorder.screens())
        marks.screens.insert(screen->name);
    for (const auto& [from, code, to] : recorder.transitions())
        marks.transitions.insert({from->name, coverage_input_name(code), to->name});

    figures = {};
    nlohmann::ordered_json visited_screens = nlohmann::ordered_json::array();
    nlohmann::ordered_json unvisited_screens = nlohmann::ordered_json::array();
    for (const MapNode& node : map.nodes) {
        const bool seen = marks.screens.contains(node.screen);
        (seen ? visited_screens : unvisited_screens).push_back(node.screen);
        figures.screens_visited += seen ? 1 : 0;
    }
    figures.screens_total = map.nodes.size();
    nlohmann::ordered_json visited = nlohmann::ordered_json::array();
    nlohmann::ordered_json unvisited = nlohmann::ordered_json::array();
    for (const MapEdge& edge : map.edges) {
        const bool taken = marks.transitions.contains({edge.from, edge.input, edge.to});
        nlohmann::ordered_json entry = {
            {"from", edge.from}, {"input", edge.input}, {"to", edge.to}};
        if (!taken) entry["script"] = edge.script;
        (taken ? visited : unvisited).push_back(std::move(entry));
        figures.transitions_visited += taken ? 1 : 0;
    }
    figures.transitions_total = map.edges.size();
    if (file.empty()) return true;

    // Inputs the scripts gave that the map does not hold (a state it did not explore).
    nlohmann::ordered_json outside = nlohmann::ordered_json::array();
    for (const auto& [from, input, to] : marks.transitions) {
        bool known = false;
        for (const MapEdge& edge : map.edges)
            known = known || (edge.from == from && edge.input == input && edge.to == to);
        if (!known) outside.push_back({{"from", from}, {"input", input}, {"to", to}});
    }
    nlohmann::ordered_json json;
    json["screens"] = {{"visited", figures.screens_visited},
                       {"total", figures.screens_total},
                       {"visited_screens", visited_screens},
                       {"unvisited_screens", unvisited_screens}};
    json["transitions"] = {{"visited", figures.transitions_visited},
                           {"total", figures.transitions_total},
                           {"visited_transitions", visited},
                           {"unvisited_transitions", unvisited},
                           {"not_in_map", outside}};
    json["map_states_explored"] = map.states_explored;

    const std::filesystem::path path(file);
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string svg;
    std::string error;
    if (!draw_svg(folder, map_graph(map, &marks), svg, error)) {
        err << error << '\n';
        return false;
    }
    return write_whole(path, json.dump(1) + '\n', err) &&
           write_whole(path.string() + ".html", coverage_page(file, map, marks, figures, svg), err);
}

std::string coverage_line(const CoverageFigures& figures) {
    return "screens " + std::to_string(figures.screens_visited) + "/" +
           std::to_string(figures.screens_total) + ", transitions " +
           std::to_string(figures.transitions_visited) + "/" +
           std::to_string(figures.transitions_total);
}

std::string coverage_shortfall(const CoverageFigures& figures, const CoverageThreshold& threshold) {
    const double screens = percent(figures.screens_visited, figures.screens_total);
    const double transitions = percent(figures.transitions_visited, figures.transitions_total);
    if (screens < threshold.screens)
        return "screen coverage " + figure(screens) + " is below --min-coverage " +
               figure(threshold.screens);
    if (threshold.transitions && transitions < *threshold.transitions)
        return "transition coverage " + figure(transitions) + " is below --min-coverage " +
               figure(*threshold.transitions);
    return {};
}

} // namespace ql
