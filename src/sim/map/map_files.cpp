#include "sim/map/map_files.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/files/markup.hpp"
#include "sim/files/png_file.hpp"
#include "sim/map/graphviz.hpp"
#include "sim/script/script_runner.hpp"
#include "sim/tools/catalogue.hpp"
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

namespace ql {

namespace {

namespace fs = std::filesystem;

std::string thumbnail(const std::string& screen) {
    return "screens/" + screen + ".png";
}

std::string catalogue_link(const std::string& screen) {
    return "catalogue/index.html#" + screen;
}

std::string script_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "; ") + line;
    return text.empty() ? "(power-on)" : text;
}

std::string map_json(const ScreenMap& map, const std::string& looks_like) {
    nlohmann::ordered_json json;
    json["device"] = looks_like;
    json["states_explored"] = map.states_explored;
    json["state_limit"] = map.state_limit;
    json["states_per_screen"] = map.states_per_screen;
    json["limit_reached"] = map.limit_reached;
    json["unreached"] = map.unreached;
    nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
    for (const MapNode& node : map.nodes)
        nodes.push_back({{"screen", node.screen},
                         {"group", node.group},
                         {"picture", thumbnail(node.screen)},
                         {"catalogue", catalogue_link(node.screen)},
                         {"script", node.script}});
    json["nodes"] = std::move(nodes);
    nlohmann::ordered_json edges = nlohmann::ordered_json::array();
    for (const MapEdge& edge : map.edges)
        edges.push_back(
            {{"from", edge.from}, {"input", edge.input}, {"to", edge.to}, {"script", edge.script}});
    json["edges"] = std::move(edges);
    return json.dump(1) + '\n';
}

} // namespace

// The edges between two screens are one arrow, labelled with their inputs. An edge back to a
// screen reached earlier is drawn dashed and does not pull the layout, so the drawing reads
// from the trip screen down.
std::string map_graph(const ScreenMap& map, const GraphMarks* marks) {
    std::map<std::string, std::size_t> order;
    for (const MapNode& node : map.nodes)
        order.emplace(node.screen, order.size());
    std::ostringstream dot;
    dot << "digraph map {\n"
        << "  graph [rankdir=TB, fontname=\"sans-serif\", fontsize=12, nodesep=0.25, "
           "ranksep=0.5, newrank=true];\n"
        << "  node [shape=box, style=\"rounded,filled\", fillcolor=white, "
           "fontname=\"sans-serif\", fontsize=9, margin=0.04];\n"
        << "  edge [fontname=\"sans-serif\", fontsize=8, color=\"#335577\", "
           "fontcolor=\"#335577\", arrowsize=0.6];\n";
    std::map<std::string, std::vector<const MapNode*>> groups;
    for (const MapNode& node : map.nodes)
        groups[node.group].push_back(&node);
    for (const auto& [group, nodes] : groups) {
        if (!group.empty())
            dot << "  subgraph " << dot_quoted("cluster_" + group)
                << " {\n    label=" << dot_quoted(group)
                << "; style=\"rounded,filled\"; fillcolor=\"#f2f4f7\"; "
                << "color=\"#aab4c0\";\n";
        for (const MapNode* node : nodes) {
            if (marks != nullptr) {
                const bool seen = marks->screens.contains(node->screen);
                dot << "    " << dot_quoted(node->screen) << " [fillcolor="
                    << (seen ? "\"#cdeccd\"" : "\"#f7c9c9\", color=\"#a00000\", penwidth=2")
                    << ", id=" << dot_quoted("node-" + node->screen) << "];\n";
                continue;
            }
            dot << "    " << dot_quoted(node->screen) << " [label=<<TABLE BORDER=\"0\" "
                << "CELLSPACING=\"0\" CELLPADDING=\"1\"><TR><TD FIXEDSIZE=\"TRUE\" WIDTH=\"128\" "
                << "HEIGHT=\"64\"><IMG SRC=\"" << thumbnail(node->screen)
                << "\" SCALE=\"TRUE\"/></TD></TR><TR><TD>" << node->screen
                << "</TD></TR></TABLE>>, URL=" << dot_quoted(catalogue_link(node->screen))
                << ", tooltip=" << dot_quoted(node->screen + ": " + script_text(node->script))
                << ", id=" << dot_quoted("node-" + node->screen) << "];\n";
        }
        if (!group.empty()) dot << "  }\n";
    }
    struct Arrow {
        std::string label;
        std::size_t visited = 0;
        std::size_t inputs = 0;
    };
    std::map<std::pair<std::string, std::string>, Arrow> arrows;
    const auto hub = [](const std::string& screen) {
        return screen == "MainTripScreen" || screen == "MainMenuScreen";
    };
    for (const MapEdge& edge : map.edges) {
        // Nearly every screen leads back to the main menu or the trip screen: those arrows
        // would cross the whole drawing, so only the tables list them.
        if (edge.from == edge.to || (hub(edge.to) && !hub(edge.from))) continue;
        Arrow& arrow = arrows[{edge.from, edge.to}];
        const std::string input = short_input(edge.input);
        ++arrow.inputs;
        if (marks != nullptr && marks->transitions.contains({edge.from, edge.input, edge.to}))
            ++arrow.visited;
        arrow.label += (arrow.label.empty() ? "" : "\n") + input;
    }
    for (const auto& [ends, arrow] : arrows) {
        const bool back = order[ends.second] < order[ends.first];
        dot << "  " << dot_quoted(ends.first) << " -> " << dot_quoted(ends.second)
            << " [label=" << dot_quoted(arrow.label);
        if (back) dot << ", constraint=false, style=dashed";
        if (marks != nullptr)
            dot << (arrow.visited == arrow.inputs ? ", color=\"#208020\", penwidth=1.5"
                    : arrow.visited > 0           ? ", color=\"#c08000\""
                                                  : ", color=\"#c03030\"");
        else if (back)
            dot << ", color=\"#b0b8c0\", fontcolor=\"#8090a0\"";
        dot << "];\n";
    }
    dot << "}\n";
    return dot.str();
}

namespace {

std::string map_page(const ScreenMap& map, const std::string& looks_like, const std::string& svg) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<title>Ostrel QL-730: the screen map</title>\n<style>\n"
         << "body { font-family: sans-serif; margin: 1em; color: #222; }\n"
         << "#drawing { overflow-x: auto; }\n"
         << "table { border-collapse: collapse; }\n"
         << "th, td { border: 1px solid #bbb; padding: 4px; vertical-align: top; "
            "text-align: left; }\n"
         << "td.script { font-family: monospace; font-size: 85%; }\n"
         << "img.lcd { display: block; width: 256px; height: 128px; "
            "image-rendering: pixelated; background: #9a9; }\n"
         << ".missing { color: #a00; }\n"
         << "</style>\n</head>\n<body>\n<h1>Ostrel QL-730: the screen map</h1>\n"
         << "<p>Every screen the device reaches by its buttons from power-on ("
         << markup_escaped(looks_like) << "): " << map.nodes.size() << " screens, "
         << map.edges.size() << " transitions, from " << map.states_explored
         << " distinct states (a screen and what its LCD showed) explored, at most "
         << map.states_per_screen << " a screen and " << map.state_limit << " in all"
         << (map.limit_reached ? ", a limit that was reached" : "")
         << ". Each arrow is labelled with the inputs that take it: TL, BL, BR and TR are the "
            "top-left, bottom-left, bottom-right and top-right buttons clicked, "
            "<em>hold</em> held past one second, <em>key</em> an arrow key (speed or fuel "
            "sender). Dashed arrows lead back to a screen reached earlier; the way back to the "
            "main menu or the trip screen, and inputs that stay on their screen, are in the "
            "tables below. A screen links to its picture in every "
            "language in the catalogue.</p>\n";
    if (!map.unreached.empty()) {
        html << "<p class=\"missing\">Not reached:";
        for (const std::string& screen : map.unreached)
            html << ' ' << screen;
        html << "</p>\n";
    }
    html << "<div id=\"drawing\">\n" << inline_svg(svg) << "</div>\n";
    html << "<h2>Screens</h2>\n<table>\n<tr><th>Screen</th><th>LCD</th>"
         << "<th>Shortest script from power-on</th></tr>\n";
    for (const MapNode& node : map.nodes)
        html << "<tr id=\"" << node.screen << "\"><th><a href=\"" << catalogue_link(node.screen)
             << "\">" << node.screen << "</a></th><td><img class=\"lcd\" src=\""
             << thumbnail(node.screen) << "\" alt=\"" << node.screen
             << "\" width=\"256\" height=\"128\"></td><td class=\"script\">"
             << markup_escaped(script_text(node.script)) << "</td></tr>\n";
    html << "</table>\n<h2>Transitions</h2>\n<table>\n<tr><th>From</th><th>Input</th>"
         << "<th>To</th><th>Script from power-on</th></tr>\n";
    for (const MapEdge& edge : map.edges)
        html << "<tr><td>" << edge.from << "</td><td>" << markup_escaped(edge.input) << "</td><td>"
             << edge.to << "</td><td class=\"script\">" << markup_escaped(script_text(edge.script))
             << "</td></tr>\n";
    html << "</table>\n</body>\n</html>\n";
    return html.str();
}

} // namespace

std::string short_input(const std::string& input) {
    static const std::map<std::string, std::string> buttons = {
        {"top-left", "TL"}, {"bottom-left", "BL"}, {"bottom-right", "BR"}, {"top-right", "TR"}};
    const std::size_t space = input.find(' ');
    const std::string verb = input.substr(0, space);
    const std::string what = space == std::string::npos ? "" : input.substr(space + 1);
    const auto button = buttons.find(what);
    if (button == buttons.end()) return input;
    return verb == "click" ? button->second : verb + ' ' + button->second;
}

int write_screen_map(const std::string& folder, const ScreenMap& map, const std::string& looks_like,
                     std::ostream& out, std::ostream& err, unsigned jobs) {
    const fs::path dir(folder);
    std::error_code ec;
    fs::create_directories(dir / "screens", ec);
    if (ec || !fs::is_directory(dir / "screens")) {
        err << "cannot make the folder " << (dir / "screens").string() << ": "
            << (ec ? ec.message() : std::string("a file of that name is in the way")) << '\n';
        return EXIT_USAGE;
    }
    std::string error;
    for (const MapNode& node : map.nodes)
        if (!write_png(dir / thumbnail(node.screen), node.picture, error)) {
            err << error << '\n';
            return EXIT_USAGE;
        }
    std::ostringstream catalogue_out;
    std::ostringstream catalogue_err;
    if (write_catalogue((dir / "catalogue").string(), catalogue_routes(), catalogue_out,
                        catalogue_err, jobs) == EXIT_USAGE) {
        err << catalogue_err.str();
        return EXIT_USAGE;
    }
    std::string svg;
    if (!draw_svg(dir, map_graph(map, nullptr), svg, error)) {
        err << error << '\n';
        return EXIT_USAGE;
    }
    if (!write_whole(dir / "map.json", map_json(map, looks_like), err) ||
        !write_whole(dir / "map.svg", svg, err) ||
        !write_whole(dir / "index.html", map_page(map, looks_like, svg), err))
        return EXIT_USAGE;
    for (const std::string& screen : map.unreached)
        err << "map: no way to " << screen << " was found\n";
    out << map.nodes.size() << " screens, " << map.edges.size() << " transitions, "
        << map.states_explored << " states explored"
        << (map.limit_reached ? " (the limit was reached)" : "") << ": "
        << (dir / "index.html").string() << '\n';
    return map.unreached.empty() ? EXIT_PASSED : EXIT_EXPECTATION_FAILED;
}

bool write_whole(const std::filesystem::path& path, const std::string& text, std::ostream& err) {
    std::string error;
    if (write_file_whole(path, text, error)) return true;
    err << error << '\n';
    return false;
}

} // namespace ql
