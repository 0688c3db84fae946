#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace ql {

// The screen catalogue: a picture of every screen of the instrument, each reached from
// power-on by the device's own button presses, in the five languages and both unit systems,
// and a page that shows them side by side for the people who write manuals and translations.

// The way to one screen from power-on. `after` names the screen whose way comes first (empty
// for power-on itself); `steps` are script commands separated by ';', a command followed by
// " *N" is given N times.
struct CatalogueRoute {
    std::string screen;
    std::string after;
    std::string steps;
};

// The ways to every screen of the instrument.
const std::vector<CatalogueRoute>& catalogue_routes();

// The whole way from power-on, as script lines, one command a line.
std::string catalogue_script(const std::vector<CatalogueRoute>& routes, const std::string& screen);

// One column of the catalogue: a language (its command-line name) and a unit system.
struct CatalogueLook {
    std::string language;
    bool imperial = false;
};
std::vector<CatalogueLook> catalogue_looks();

// "MainMenuScreen-french-metric.png"
std::string catalogue_file_name(const std::string& screen, const CatalogueLook& look);

// Writes FOLDER/<screen>-<language>-<units>.png for every screen and look, and
// FOLDER/index.html. A screen that no route reaches, or whose steps end on another screen, is
// named on `err` and on the page. Returns 0 when every screen was pictured in every look, 1
// when some are missing, 2 (with one line on `err`) when the folder or a file cannot be
// written. `jobs` pictures are taken at once, each on a device of its own; the files and the
// messages are the same for any number.
int write_catalogue(const std::string& folder, const std::vector<CatalogueRoute>& routes,
                    std::ostream& out, std::ostream& err, unsigned jobs = 1);

} // namespace ql
