#pragma once
#include <filesystem>
#include <string>

namespace ql {

// Graphviz's dot program draws the screen map and the coverage page's drawing.

// True when a program named dot is on the PATH.
bool dot_available();

// What to tell a user who has no dot.
inline constexpr const char* DOT_MISSING =
    "drawing the map needs Graphviz's dot program, which is not on the PATH "
    "(Debian: apt-get install graphviz)";

// Draws `graph` (dot's language) as SVG into `svg`. dot runs in `folder`, so that the pictures
// a graph names are found from there. False with one line in `error` when it cannot.
bool draw_svg(const std::filesystem::path& folder, const std::string& graph, std::string& svg,
              std::string& error);

// An SVG file's text without its XML prologue and document type, to be put inside a page.
std::string inline_svg(const std::string& svg);

// "text" in dot's quoted form.
std::string dot_quoted(const std::string& text);

} // namespace ql
