// ql730-soak: random buttons, keys and waits on one simulated device, every state checked.
#include "app/program_messages.hpp"
#include "app/version.hpp"
#include "sim/tools/monkey.hpp"
#include <charconv>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string_view>

namespace {

bool number(std::string_view text, std::uint64_t& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    const ql::ProgramMessages messages("ql730-soak");
    ql::MonkeyOptions options;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            std::cout << "Usage: ql730-soak [--seed N] [--inputs N] [--max-wait MS]\n"
                         "       ql730-soak --version\n"
                         "Feeds N random clicks, holds, releases, arrow keys and waits (default "
                         "100000, seed 1) to one simulated device and checks its state after "
                         "every message.\nExit codes: 0 every rule held, 1 a rule broke (the "
                         "seed and the last 50 inputs are printed as a script), 2 a bad option.\n";
            return 0;
        }
        if (option == "--version") {
            std::cout << "ql730-soak " << ql::VERSION << '\n';
            return 0;
        }
        std::uint64_t* target = option == "--seed"       ? &options.seed
                                : option == "--inputs"   ? &options.inputs
                                : option == "--max-wait" ? &options.max_wait_ms
                                                         : nullptr;
        if (target == nullptr || i + 1 == argc || !number(argv[i + 1], *target) ||
            (target == &options.max_wait_ms && *target == 0)) {
            std::cerr << "ql730-soak: " << option
                      << (target == nullptr ? " is not an option" : " needs a whole number")
                      << " (see --help)\n";
            return 2;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    const ql::MonkeyResult result = ql::run_monkey(options);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::cout << "seed: " << options.seed << "\n";
    ql::print_monkey_summary(result, std::cout);
    std::cout << "wall time: " << wall.count() << " s\n";
    if (!result.passed) {
        std::cout << result.failure;
        return 1;
    }
    return 0;
}
