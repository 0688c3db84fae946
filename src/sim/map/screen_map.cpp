#include "sim/map/screen_map.hpp"
#include "device/screens/screen_list.hpp"
#include "sim/files/lcd_frame.hpp"
#include "sim/script/ordered_jobs.hpp"
#include "sim/script/script.hpp"
#include "sim/script/script_runner.hpp"
#include "sim/tools/catalogue.hpp"
#include <array>
#include <deque>
#include <iterator>
#include <map>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace ql {

namespace {

// What a replay ended on.
struct Reached {
    bool played = false;
    const Screen* screen = nullptr;
    LcdPanel lcd{};
};

// One state to explore: the script that reaches it from power-on and its group.
struct State {
    std::vector<std::string> path;
    std::string group;
    const Screen* screen = nullptr;
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

// Plays `lines` on a device of its own, powered on as `power_on`.
Reached replay(const PowerOnOptions& power_on, const std::vector<std::string>& lines) {
    Reached reached;
    Script script;
    std::string error;
    if (!parse_script("map", joined(lines), script, error)) return reached;
    Shell shell(ShellConfig{power_on, {}});
    std::ostringstream out;
    std::ostringstream err;
    reached.played =
        play_script(script, shell, ScriptOptions{}, out, err) == ScriptStatus::finished;
    reached.screen = shell.dev.kernel.current_screen;
    reached.lcd = shell.dev.lcd;
    reached.lcd.sink = nullptr;
    return reached;
}

std::string state_key(const Reached& reached) {
    std::string key = reached.screen->name;
    key += '\n';
    key.append(reached.lcd.frame_memory.begin(), reached.lcd.frame_memory.end());
    return key;
}

bool is_hub(const Screen* screen) {
    return screen == &MainTripScreen || screen == &MainMenuScreen;
}

// The group of a screen reached from `from`: what the main menu (or the trip screen) opened
// on the way.
std::string group_after(const State& from, const Screen* to) {
    if (is_hub(to)) return {};
    if (from.screen == &MainMenuScreen) return to->name;
    if (from.screen == &MainTripScreen) return MainTripScreen.name;
    return from.group.empty() ? std::string(to->name) : from.group;
}

// The same for the end of a catalogue way: the screen whose way starts at the main menu.
std::string group_of_route(const std::vector<CatalogueRoute>& routes, const std::string& screen) {
    std::string at = screen;
    for (std::size_t step = 0; step <= routes.size(); ++step) {
        const CatalogueRoute* route = nullptr;
        for (const CatalogueRoute& r : routes)
            if (r.screen == at) route = &r;
        if (route == nullptr) return {};
        if (route->after == MainMenuScreen.name) return route->screen;
        if (route->after.empty())
            return route->screen == MainTripScreen.name || route->screen == MainMenuScreen.name
                       ? std::string()
                       : std::string(MainTripScreen.name);
        at = route->after;
    }
    return {};
}

std::vector<std::string> script_of(const std::string& lines) {
    std::vector<std::string> result;
    std::istringstream in(lines);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) result.push_back(line);
    return result;
}

class Explorer {
  public:
    Explorer(const PowerOnOptions& power_on, const MapLimits& limits, unsigned jobs)
        : power_on_(power_on), limits_(limits), jobs_(jobs) {
        map_.state_limit = limits.states;
        map_.states_per_screen = limits.per_screen;
    }

    ScreenMap run() {
        State start;
        admit(start, replay(power_on_, {}), false);
        explore();
        // The ways a user types or drives through: the state before each way's last input,
        // from which that input is tried with the rest, and the state at its end.
        const std::vector<CatalogueRoute>& routes = catalogue_routes();
        for (const CatalogueRoute& route : routes) {
            std::vector<std::string> path = script_of(catalogue_script(routes, route.screen));
            if (path.empty()) continue;
            State seed;
            seed.group = group_of_route(routes, route.screen);
            seed.path = path;
            const std::vector<std::string> whole = path;
            seed.path.pop_back();
            admit(seed, replay(power_on_, seed.path), true);
            seed.path = whole;
            admit(seed, replay(power_on_, seed.path), true);
            explore();
        }
        for (const Screen* screen : all_screens())
            if (!node_of_.contains(screen->name)) map_.unreached.emplace_back(screen->name);
        regroup();
        return std::move(map_);
    }

  private:
    // A screen's group is the main-menu entry (or the trip screen) whose clicks lead to it, as
    // a user would open it; a held button's repeats may jump further, and a screen reached
    // only that way, or by a catalogue way, keeps the group it was found in.
    void regroup() {
        std::map<std::string, std::string> group;
        std::deque<std::string> queue;
        const auto hub = [](const std::string& screen) {
            return screen == MainTripScreen.name || screen == MainMenuScreen.name;
        };
        for (const bool clicks_only : {true, false}) {
            for (const MapEdge& edge : map_.edges)
                if (hub(edge.from) && !hub(edge.to) && edge.input.starts_with("click ") &&
                    !group.contains(edge.to)) {
                    group[edge.to] = edge.from == MainMenuScreen.name ? edge.to : edge.from;
                    queue.push_back(edge.to);
                }
            for (const MapNode& node : map_.nodes)
                if (!clicks_only && !hub(node.screen) && !group.contains(node.screen))
                    group[node.screen] = node.group;
            while (!queue.empty()) {
                const std::string from = queue.front();
                queue.pop_front();
                for (const MapEdge& edge : map_.edges)
                    if (edge.from == from && !hub(edge.to) && !group.contains(edge.to) &&
                        (!clicks_only || edge.input.starts_with("click "))) {
                        group[edge.to] = group[from];
                        queue.push_back(edge.to);
                    }
            }
        }
        for (MapNode& node : map_.nodes)
            if (group.contains(node.screen)) node.group = group[node.screen];
    }

    // Takes the state a replay reached: a node for a new screen, a state to explore when its
    // picture is new (within the limits; `seeded` states pass the limit for one screen).
    void admit(State state, const Reached& reached, bool seeded) {
        if (!reached.played || reached.screen == nullptr) return;
        state.screen = reached.screen;
        note_node(state, reached);
        std::string key = state_key(reached);
        if (seen_.contains(key)) return;
        std::size_t& count = per_screen_[reached.screen];
        if (map_.states_explored >= limits_.states || (!seeded && count >= limits_.per_screen)) {
            map_.limit_reached = true;
            return;
        }
        seen_.insert(std::move(key));
        ++count;
        ++map_.states_explored;
        queue_.push_back(std::move(state));
    }

    void note_node(const State& state, const Reached& reached) {
        const auto known = node_of_.find(reached.screen->name);
        if (known != node_of_.end()) {
            MapNode& node = map_.nodes[known->second];
            if (state.path.size() < node.script.size()) {
                node.script = state.path;
                node.picture = lcd_image(reached.lcd);
            }
            return;
        }
        node_of_.emplace(reached.screen->name, map_.nodes.size());
        map_.nodes.push_back(
            {reached.screen->name, state.group, state.path, lcd_image(reached.lcd)});
    }

    void note_edge(const State& from, const std::string& input, const Screen* to,
                   const std::vector<std::string>& script) {
        std::string key = std::string(from.screen->name) + '\n' + input + '\n' + to->name;
        const auto known = edge_of_.find(key);
        if (known != edge_of_.end()) {
            MapEdge& edge = map_.edges[known->second];
            if (script.size() < edge.script.size()) edge.script = script;
            return;
        }
        edge_of_.emplace(std::move(key), map_.edges.size());
        map_.edges.push_back({from.screen->name, input, to->name, script});
    }

    // What a state's inputs lead to: each button clicked and held, the device left alone for a
    // quarter second, and each arrow key. Replays only, so states are tried side by side.
    struct Trials {
        std::array<std::vector<std::string>, 8> button_paths;
        std::array<Reached, 8> buttons;
        Reached still;
        std::array<std::vector<std::string>, 4> key_paths;
        std::array<Reached, 4> keys;
    };

    Trials trials_of(const State& state) const {
        Trials trials;
        for (std::size_t b = 0; b < 4; ++b)
            for (const bool hold : {false, true}) {
                std::vector<std::string>& path = trials.button_paths[b * 2 + (hold ? 1 : 0)];
                path = state.path;
                path.push_back(hold ? std::string("hold ") + MAP_BUTTON_NAMES[b] + ' ' +
                                          MAP_HOLD_DURATION
                                    : std::string("click ") + MAP_BUTTON_NAMES[b]);
                trials.buttons[b * 2 + (hold ? 1 : 0)] = replay(power_on_, path);
            }
        // An arrow key counts where the screen shows it within a quarter second.
        std::vector<std::string> idle = state.path;
        idle.emplace_back("wait 250ms");
        trials.still = replay(power_on_, idle);
        if (!trials.still.played) return trials;
        for (std::size_t k = 0; k < 4; ++k) {
            std::vector<std::string>& path = trials.key_paths[k];
            path = state.path;
            path.push_back(std::string("key ") + MAP_KEY_NAMES[k]);
            path.emplace_back("wait 250ms");
            trials.keys[k] = replay(power_on_, path);
        }
        return trials;
    }

    // The states waiting are tried side by side and taken in the order they were queued, so
    // the map is the same for any number of jobs.
    void explore() {
        while (!queue_.empty()) {
            std::vector<State> batch(std::make_move_iterator(queue_.begin()),
                                     std::make_move_iterator(queue_.end()));
            queue_.clear();
            std::vector<Trials> trials(batch.size());
            run_ordered_jobs(
                batch.size(), jobs_, [&](std::size_t i) { trials[i] = trials_of(batch[i]); },
                [&](std::size_t i) {
                    take(batch[i], trials[i]);
                    trials[i] = Trials{};
                    return true;
                });
        }
    }

    void take(const State& state, Trials& trials) {
        for (std::size_t b = 0; b < 4; ++b)
            for (const bool hold : {false, true}) {
                const std::size_t at = b * 2 + (hold ? 1 : 0);
                take_input(state, map_input_name(hold, b), std::move(trials.button_paths[at]),
                           trials.buttons[at], "");
            }
        if (!trials.still.played) return;
        const std::string unless = state_key(trials.still);
        for (std::size_t k = 0; k < 4; ++k)
            take_input(state, std::string("key ") + MAP_KEY_NAMES[k],
                       std::move(trials.key_paths[k]), trials.keys[k], unless);
    }

    // The state's path and one input reached `reached`; `unless` (for the arrow keys) is the
    // state the device reaches without the input, where the input then changed nothing.
    void take_input(const State& state, const std::string& input, std::vector<std::string> path,
                    const Reached& reached, const std::string& unless) {
        if (!reached.played || reached.screen == nullptr) return;
        if (!unless.empty() && state_key(reached) == unless) return;
        note_edge(state, input, reached.screen, path);
        State next;
        next.path = std::move(path);
        next.group = group_after(state, reached.screen);
        admit(std::move(next), reached, false);
    }

    PowerOnOptions power_on_;
    MapLimits limits_;
    unsigned jobs_;
    ScreenMap map_;
    std::deque<State> queue_;
    std::unordered_set<std::string> seen_;
    std::unordered_map<const Screen*, std::size_t> per_screen_;
    std::map<std::string, std::size_t> node_of_;
    std::unordered_map<std::string, std::size_t> edge_of_;
};

} // namespace

std::string map_input_name(bool hold, std::size_t button) {
    return std::string(hold ? "hold " : "click ") + MAP_BUTTON_NAMES[button];
}

ScreenMap explore_screen_map(const PowerOnOptions& power_on, const MapLimits& limits,
                             unsigned jobs) {
    return Explorer(power_on, limits, jobs).run();
}

} // namespace ql
