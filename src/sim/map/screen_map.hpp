#pragma once
#include "device/power_on.hpp"
#include "sim/picture/image.hpp"
#include <cstddef>
#include <string>
#include <vector>

namespace ql {

// The screen map: the device explored by its buttons from power-on. Every state is reached by
// replaying its shortest known script on a device of its own, so explorations share nothing
// and may run side by side.

// What one input is called in a map and in a coverage report: "click top-left",
// "hold top-left", "key up".
inline constexpr const char* MAP_BUTTON_NAMES[] = {"top-left", "bottom-left", "bottom-right",
                                                   "top-right"};
inline constexpr const char* MAP_KEY_NAMES[] = {"up", "down", "left", "right"};

// How long the map holds a button: past the device's one-second hold.
inline constexpr const char* MAP_HOLD_DURATION = "1100ms";

struct MapNode {
    std::string screen;
    // The screen the main menu (or the trip screen) opened on the way here: what the drawing
    // groups by; empty for the trip screen and the main menu themselves.
    std::string group;
    std::vector<std::string> script; // the shortest script from power-on, one command a line
    RgbImage picture;                // the LCD when the screen was first reached
};

struct MapEdge {
    std::string from;
    std::string input; // "click top-left", "hold bottom-right", "key up"
    std::string to;
    std::vector<std::string> script; // from power-on, ending with the input
};

struct ScreenMap {
    std::vector<MapNode> nodes; // in the order they were reached
    std::vector<MapEdge> edges; // in the order they were found
    std::size_t states_explored = 0;
    std::size_t state_limit = 0;
    std::size_t states_per_screen = 0;
    bool limit_reached = false; // some states were left unexplored
    // Screens of the screen list that no exploration reached.
    std::vector<std::string> unreached;
};

struct MapLimits {
    // Distinct (screen, LCD picture) states explored in all, and at most for one screen.
    std::size_t states = 600;
    std::size_t per_screen = 12;
};

// Explores from power-on, breadth-first: every state is tried with a click and a hold of each
// button and with each arrow key (kept where the screen reacts within a quarter second). Where
// a screen's outcome needs inputs a user types or drives (a calibration's distance, a fuel
// point, a wizard's error), the ways of the screen catalogue are followed too, and the
// exploration goes on from where they end.
// `jobs` states are tried at once; the map is the same for any number.
ScreenMap explore_screen_map(const PowerOnOptions& power_on, const MapLimits& limits = {},
                             unsigned jobs = 1);

// "click top-left" from the index of the button, "key up" from the index of the key.
std::string map_input_name(bool hold, std::size_t button);

} // namespace ql
