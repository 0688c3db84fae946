// ql730-soak: random buttons, keys and waits on one simulated device, every state checked.
#include "app/program_messages.hpp"
#include "app/version.hpp"
#include "sim/script/ordered_jobs.hpp"
#include "sim/tools/monkey.hpp"
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <iostream>
#include <malloc.h>
#include <string_view>

namespace {

bool number(std::string_view text, std::uint64_t& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    const ql::ProgramMessages messages("ql730-soak");
    ql::SoakOptions options;
    std::uint64_t jobs = ql::default_jobs();
    for (int i = 1; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout
                << "Usage: ql730-soak [--seed N] [--inputs N] [--per-seed N] [--max-wait MS] "
                   "[--jobs N]\n"
                   "       ql730-soak --version\n"
                   "Feeds N random clicks, holds, releases, arrow keys and waits (default "
                   "100000, seed 1) to simulated devices and checks the state after every "
                   "message. The inputs are split into runs of at most --per-seed (default "
                   "100000), each on a device of its own with the next seed (N, N+1, ...); "
                   "--jobs runs (by default as many as there are cores) play at once, and what "
                   "is printed is the same for any number.\nExit codes: 0 every rule held, 1 a "
                   "rule broke (the seed and the last 50 inputs are printed as a script), 2 a "
                   "bad option.\n";
            return 0;
        }
        if (option == "--version") {
            std::cout << "ql730-soak " << ql::VERSION << '\n';
            return 0;
        }
        std::uint64_t* target = option == "--seed"       ? &options.monkey.seed
                                : option == "--inputs"   ? &options.monkey.inputs
                                : option == "--max-wait" ? &options.monkey.max_wait_ms
                                : option == "--per-seed" ? &options.per_seed
                                : option == "--jobs"     ? &jobs
                                                         : nullptr;
        const bool at_least_one =
            target == &options.monkey.max_wait_ms || target == &options.per_seed || target == &jobs;
        if (target == nullptr || i + 1 == argc || !number(argv[i + 1], *target) ||
            (at_least_one && *target == 0) || (target == &jobs && jobs > 4096)) {
            std::cerr << "ql730-soak: " << option
                      << (target == nullptr ? " is not an option"
                          : target == &jobs ? " takes a whole number from 1 to 4096"
                          : at_least_one    ? " takes a whole number from 1"
                                            : " needs a whole number")
                      << " (see --help)\n";
            return 2;
        }
    }
    options.jobs = static_cast<unsigned>(jobs);
    // What a seed's device frees is kept for the next seed's (see script_cli.cpp).
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
    mallopt(M_TOP_PAD, 16 * 1024 * 1024);
    const auto start = std::chrono::steady_clock::now();
    const ql::SoakResult soak = ql::run_soak(options);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    if (soak.seeds == 1)
        std::cout << "seed: " << options.monkey.seed << "\n";
    else
        std::cout << "seeds: " << options.monkey.seed << " to "
                  << options.monkey.seed + soak.seeds - 1 << ", at most " << options.per_seed
                  << " inputs each\n";
    ql::print_monkey_summary(soak.total, std::cout);
    const double threads = static_cast<double>(std::min<std::uint64_t>(jobs, soak.seeds));
    std::cout << "wall time: " << wall.count() << " s ("
              << static_cast<std::uint64_t>(static_cast<double>(soak.total.inputs) / wall.count() /
                                            threads)
              << " inputs a second on each of " << threads << " threads)\n";
    if (!soak.total.passed) {
        std::cout << soak.total.failure;
        return 1;
    }
    return 0;
}
