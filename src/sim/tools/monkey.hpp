#pragma once
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

namespace ql {

// A random-input soak: clicks, holds of random length, releases, arrow keys and waits fed to
// one shell, the state checked after every message. The same seed gives the same run.
struct MonkeyOptions {
    std::uint64_t seed = 1;
    std::uint64_t inputs = 100'000;
    // The longest random wait; waits are mostly short, a few reach this.
    std::uint64_t max_wait_ms = 120'000;
};

struct MonkeyResult {
    bool passed = true;
    std::uint64_t inputs = 0; // inputs fed before the end or the first broken rule
    std::uint64_t simulated_ms = 0;
    std::map<std::string, std::uint64_t> screens; // screen name -> times it became current
    std::string failure; // the broken rule, the seed and the last inputs as a script
};

MonkeyResult run_monkey(const MonkeyOptions& options);

// A soak split across seeds: `inputs` in runs of at most `per_seed`, seeds `seed`, `seed` + 1,
// ..., each on a device of its own, `jobs` at once. The result adds the runs up to the first
// that broke a rule (whose failure it carries), and is the same for any number of jobs.
struct SoakOptions {
    MonkeyOptions monkey;
    std::uint64_t per_seed = 100'000;
    unsigned jobs = 1;
};
struct SoakResult {
    MonkeyResult total;
    std::uint64_t seeds = 0; // runs played, the broken one included
};
SoakResult run_soak(const SoakOptions& options);

// "inputs, simulated hours, screens visited" and one line per screen.
void print_monkey_summary(const MonkeyResult& result, std::ostream& out);

} // namespace ql
