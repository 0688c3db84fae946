#pragma once
#include "sim/map/screen_map.hpp"
#include <filesystem>
#include <iosfwd>
#include <set>
#include <string>
#include <tuple>

namespace ql {

// The short form of an input on a drawing: "TL", "hold BR", "key up".
std::string short_input(const std::string& input);

// What a coverage run visited, marked on the drawing.
struct GraphMarks {
    std::set<std::string> screens;
    std::set<std::tuple<std::string, std::string, std::string>> transitions; // from, input, to
};

// The drawing in dot's language: screens grouped by what the main menu opened, top to
// bottom. Without marks a screen shows its thumbnail (screens/<screen>.png); with marks, only
// its name, the visited screens and arrows in green, the others in red.
std::string map_graph(const ScreenMap& map, const GraphMarks* marks);

// Writes the map into FOLDER: map.json (the nodes and edges with the script of each),
// screens/<screen>.png (the thumbnails), catalogue/ (every screen in every language, which the
// nodes link to), map.svg (drawn by Graphviz's dot) and index.html (the drawing, the
// thumbnails and every edge's script). `looks_like` says what the device powered on as.
// Returns 0, 1 when some screen of the list was not reached, 2 (one line on `err`) when dot
// is missing or a file cannot be written. The catalogue is pictured by `jobs` threads.
int write_screen_map(const std::string& folder, const ScreenMap& map, const std::string& looks_like,
                     std::ostream& out, std::ostream& err, unsigned jobs = 1);

// Writes one file of a map or report whole; false with one line on `err` when it cannot.
bool write_whole(const std::filesystem::path& path, const std::string& text, std::ostream& err);

} // namespace ql
