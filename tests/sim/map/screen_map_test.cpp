#include "device/screens/screen_list.hpp"
#include "sim/map/coverage.hpp"
#include "sim/map/screen_map.hpp"
#include "sim/script/suite_runner.hpp"
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace ql {
namespace {

class ScreenMapTest : public ::testing::Test {
  protected:
    // Explored by three threads: the map must be the one a single thread finds.
    static void SetUpTestSuite() {
        map = new ScreenMap(explore_screen_map(PowerOnOptions{}, MapLimits{}, 3));
    }
    static void TearDownTestSuite() {
        delete map;
        map = nullptr;
    }

    static bool has_edge(const std::string& from, const std::string& input, const std::string& to) {
        return std::any_of(map->edges.begin(), map->edges.end(), [&](const MapEdge& e) {
            return e.from == from && e.input == input && e.to == to;
        });
    }

    static ScreenMap* map;
};

ScreenMap* ScreenMapTest::map = nullptr;

Script script_from(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    Script script;
    std::string error;
    EXPECT_TRUE(parse_script(name, text, script, error)) << error;
    return script;
}

// Every screen of the list, reached from power-on; the transitions the device's behaviour
// fixes; and every transition's script, replayed on a fresh device, ends on its target.
TEST_F(ScreenMapTest, ReachesEveryScreenAndEveryScriptTakesItsTransition) {
    EXPECT_EQ(map->nodes.size(), all_screens().size());
    EXPECT_TRUE(map->unreached.empty());
    EXPECT_GT(map->states_explored, all_screens().size());
    EXPECT_LE(map->states_explored, map->state_limit);
    EXPECT_EQ(map->nodes.front().screen, "MainTripScreen");
    EXPECT_TRUE(map->nodes.front().script.empty());

    EXPECT_TRUE(has_edge("MainTripScreen", "click top-left", "MainMenuScreen"));
    EXPECT_TRUE(has_edge("MainMenuScreen", "click top-left", "MainTripScreen"));
    for (const char* entry :
         {"AboutScreen", "SetDistanceScreen", "CalibrationMenuScreen", "SettingsMenuScreen",
          "FuelGaugeScreen", "PerfMenuScreen", "SpeedAlarmScreen"})
        EXPECT_TRUE(has_edge("MainMenuScreen", "click bottom-left", entry)) << entry;
    // The wizards' error screens, from what is typed into them.
    EXPECT_TRUE(has_edge("DistCalEntryScreen", "click bottom-left", "DistCalZeroScreen"));
    EXPECT_TRUE(has_edge("DistCalEntryScreen", "click bottom-left", "DistCalHighScreen"));
    EXPECT_TRUE(has_edge("DistCalEntryScreen", "click bottom-left", "DistCalLowScreen"));
    EXPECT_TRUE(has_edge("DistCalStartScreen", "click bottom-left", "DistCalDriveScreen"));
    EXPECT_TRUE(has_edge("CalValueEditScreen", "click bottom-left", "CalValueRangeScreen"));
    EXPECT_TRUE(has_edge("ClockAdjustScreen", "click bottom-left", "ClockErrorScreen"));
    // Grouped by the main-menu entry (or the trip screen) whose clicks open them.
    const auto group_of = [](const std::string& screen) {
        for (const MapNode& node : map->nodes)
            if (node.screen == screen) return node.group;
        return std::string("(missing)");
    };
    EXPECT_EQ(group_of("MainMenuScreen"), "");
    EXPECT_EQ(group_of("FactoryResetScreen"), "AboutScreen");
    EXPECT_EQ(group_of("DistCalStartScreen"), "CalibrationMenuScreen");
    EXPECT_EQ(group_of("DistCalZeroScreen"), "CalibrationMenuScreen");
    EXPECT_EQ(group_of("PerfArmScreen"), "PerfMenuScreen");
    EXPECT_EQ(group_of("ClockErrorScreen"), "MainTripScreen");
    // An arrow key is a transition only where the screen shows it.
    EXPECT_TRUE(std::any_of(map->edges.begin(), map->edges.end(), [](const MapEdge& e) {
        return e.from == "FuelGaugeScreen" && e.input == "key right";
    }));
    EXPECT_FALSE(has_edge("AboutScreen", "key up", "AboutScreen"));

    for (const MapEdge& edge : map->edges) {
        const Script script = script_from(edge.from + " " + edge.input, edge.script);
        Shell shell(ShellConfig{PowerOnOptions{}, {}});
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(play_script(script, shell, ScriptOptions{}, out, err), ScriptStatus::finished)
            << err.str();
        EXPECT_STREQ(shell.dev.kernel.current_screen->name, edge.to.c_str())
            << edge.from << " " << edge.input;
    }
}

// Threads only share out the replays: one thread finds the same nodes and edges, in the same
// order, with the same scripts and pictures.
TEST_F(ScreenMapTest, OneThreadFindsTheSameMap) {
    const ScreenMap alone = explore_screen_map(PowerOnOptions{}, MapLimits{}, 1);
    ASSERT_EQ(alone.nodes.size(), map->nodes.size());
    for (std::size_t i = 0; i < alone.nodes.size(); ++i) {
        EXPECT_EQ(alone.nodes[i].screen, map->nodes[i].screen);
        EXPECT_EQ(alone.nodes[i].group, map->nodes[i].group);
        EXPECT_EQ(alone.nodes[i].script, map->nodes[i].script);
        EXPECT_TRUE(alone.nodes[i].picture.rgb == map->nodes[i].picture.rgb);
    }
    ASSERT_EQ(alone.edges.size(), map->edges.size());
    for (std::size_t i = 0; i < alone.edges.size(); ++i)
        EXPECT_EQ(alone.edges[i].script, map->edges[i].script) << alone.edges[i].from;
    EXPECT_EQ(alone.states_explored, map->states_explored);
}

// Two small scripts as a suite on two threads: the coverage holds what they visited and nothing
// else, and the threshold passes at the share reached and fails just above it.
TEST_F(ScreenMapTest, CoverageOfASuiteIsWhatItsScriptsVisited) {
    const std::vector<Script> scripts = {
        script_from("menu", {"click top-left", "click top-left"}),
        script_from("about", {"click top-left", "click top-right", "click top-right",
                              "click bottom-left", "hold top-left 1100ms", "key up"}),
    };
    CoverageRecorder recorder;
    ScriptOptions options;
    options.watcher = &recorder;
    std::ostringstream out;
    std::ostringstream err;
    SuiteOptions suite;
    suite.jobs = 2;
    ASSERT_EQ(run_headless_suite(scripts, options, suite, out, err), EXIT_PASSED) << err.str();

    std::vector<std::string> screens;
    for (const Screen* screen : recorder.screens())
        screens.emplace_back(screen->name);
    std::sort(screens.begin(), screens.end());
    EXPECT_EQ(screens,
              (std::vector<std::string>{"AboutScreen", "MainMenuScreen", "MainTripScreen"}));
    std::set<std::tuple<std::string, std::string, std::string>> taken;
    for (const auto& [from, code, to] : recorder.transitions())
        taken.insert({from->name, coverage_input_name(code), to->name});
    const std::set<std::tuple<std::string, std::string, std::string>> expected = {
        {"MainTripScreen", "click top-left", "MainMenuScreen"},
        {"MainMenuScreen", "click top-left", "MainTripScreen"},
        {"MainMenuScreen", "click top-right", "MainMenuScreen"},
        {"MainMenuScreen", "click bottom-left", "AboutScreen"},
        {"AboutScreen", "hold top-left", "MainTripScreen"}, // the back button repeats
        {"MainTripScreen", "key up", "MainTripScreen"},
    };
    EXPECT_EQ(taken, expected);

    CoverageFigures figures;
    ASSERT_TRUE(write_coverage("", *map, recorder, figures, err)) << err.str();
    EXPECT_EQ(figures.screens_visited, 3U);
    EXPECT_EQ(figures.screens_total, all_screens().size());
    std::size_t in_map = 0;
    for (const auto& [from, input, to] : expected)
        in_map += has_edge(from, input, to) ? 1U : 0U;
    EXPECT_EQ(figures.transitions_visited, in_map);
    EXPECT_EQ(figures.transitions_total, map->edges.size());

    const double share = 100.0 * 3 / static_cast<double>(all_screens().size()); // 6.98 %
    CoverageThreshold threshold;
    ASSERT_TRUE(parse_coverage_threshold("6.9%", threshold));
    EXPECT_EQ(coverage_shortfall(figures, threshold), "");
    ASSERT_TRUE(parse_coverage_threshold("7", threshold));
    EXPECT_GT(threshold.screens, share);
    EXPECT_EQ(coverage_shortfall(figures, threshold),
              "screen coverage 7.0% is below --min-coverage 7.0%");
    ASSERT_TRUE(parse_coverage_threshold("5,100%", threshold));
    EXPECT_NE(coverage_shortfall(figures, threshold).find("transition coverage"),
              std::string::npos);
    for (const char* bad : {"", "x", "101", "-1", "50,", "50,abc", "50%%"})
        EXPECT_FALSE(parse_coverage_threshold(bad, threshold)) << bad;
}

} // namespace
} // namespace ql
