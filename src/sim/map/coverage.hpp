#pragma once
#include "sim/host/shell.hpp"
#include "sim/map/screen_map.hpp"
#include "sim/script/script_runner.hpp"
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_set>

namespace ql {

// Screen coverage: which screens, and which transitions (screen, button clicked or held or
// arrow key, the screen after it), the scripts of a run visited.

// Watches the shells of a run. Cheap: a pointer compared after each message, a set entry after
// each button release or key.
class CoverageRecorder final : public ShellObserver, public ShellWatcher {
  public:
    // Starts watching a shell just made; its current screen counts as visited.
    void watch(Shell& shell) override;
    void input(const Shell& shell, const ShellInput& in) override;
    void handled(Shell& shell) override;
    std::unique_ptr<ShellWatcher> fork() const override;
    void merge(const ShellWatcher& other) override;

    // Input codes: 0-3 a button clicked, 4-7 held (past the hold time), 8-11 the keys up,
    // down, left, right.
    using Transition = std::tuple<const Screen*, std::uint8_t, const Screen*>;
    const std::unordered_set<const Screen*>& screens() const { return screens_; }
    const std::set<Transition>& transitions() const { return transitions_; }

  private:
    enum class Pending : std::uint8_t { none, down, up, key };
    void visit(const Screen* screen);

    const Screen* last_ = nullptr;
    Pending pending_ = Pending::none;
    const Screen* from_ = nullptr;
    std::uint8_t key_ = 0;
    std::optional<Button> pressed_;
    const Screen* pressed_on_ = nullptr;
    std::uint64_t pressed_at_ = 0;
    std::unordered_set<const Screen*> screens_;
    std::set<Transition> transitions_;
};

// The map's name of a recorded input: "click top-left", "hold top-left", "key up".
std::string coverage_input_name(std::uint8_t code);

// --min-coverage SCREENS%[,TRANSITIONS%]: "90", "90%", "90,75%". False for anything else.
struct CoverageThreshold {
    double screens = 0;
    std::optional<double> transitions;
};
bool parse_coverage_threshold(const std::string& text, CoverageThreshold& threshold);

// The figures of one run against the map.
struct CoverageFigures {
    std::size_t screens_visited = 0;
    std::size_t screens_total = 0;
    std::size_t transitions_visited = 0;
    std::size_t transitions_total = 0;
};

// Compares what was recorded with the map: with a FILE name, writes FILE (JSON: the visited and
// unvisited screens and transitions, each unvisited transition with a script that takes it)
// and FILE.html (the map drawn with the visited screens and arrows marked, and the unvisited
// ones listed). The figures come back in `figures`. False with one line on `err` when a file
// cannot be written or drawn.
bool write_coverage(const std::string& file, const ScreenMap& map, const CoverageRecorder& recorder,
                    CoverageFigures& figures, std::ostream& err);

// "screens 40/43, transitions 118/151"
std::string coverage_line(const CoverageFigures& figures);

// Empty when the figures reach the threshold, otherwise one line saying which does not.
std::string coverage_shortfall(const CoverageFigures& figures, const CoverageThreshold& threshold);

} // namespace ql
