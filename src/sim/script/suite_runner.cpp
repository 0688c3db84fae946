#include "sim/script/suite_runner.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/files/markup.hpp"
#include "sim/script/ordered_jobs.hpp"
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace ql {

namespace {

struct Outcome {
    ScriptStatus status = ScriptStatus::finished;
    std::string printed;  // what the script wrote to standard output
    std::string messages; // what the script wrote to standard error
    double seconds = 0;
    std::unique_ptr<ShellWatcher> watcher; // what watched its device, to be merged
};

// Plays one script on a device of its own; shares nothing with the scripts played beside it.
Outcome play_alone(const Script& script, const ScriptOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    {
        Shell shell(ShellConfig{options.power_on, options.settings_file});
        if (options.watcher != nullptr) {
            outcome.watcher = options.watcher->fork();
            outcome.watcher->watch(shell);
        }
        outcome.status = play_script(script, shell, options, out, err);
    }
    outcome.printed = out.str();
    outcome.messages = err.str();
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

std::string first_line(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Written atomically, so that a reader never sees half a file.
bool write_junit(const std::string& name, const std::string& suite_name,
                 const std::vector<Script>& scripts, const std::vector<Outcome>& outcomes,
                 std::string& error) {
    int failures = 0;
    int errors = 0;
    double total = 0;
    for (const Outcome& o : outcomes) {
        failures += o.status == ScriptStatus::failed ? 1 : 0;
        errors += o.status == ScriptStatus::error ? 1 : 0;
        total += o.seconds;
    }
    std::ostringstream xml;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", total);
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites>\n<testsuite name=\"" << markup_escaped(suite_name) << "\" tests=\""
        << scripts.size() << "\" failures=\"" << failures << "\" errors=\"" << errors
        << "\" time=\"" << seconds << "\">\n";
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        const Outcome& o = outcomes[i];
        std::snprintf(seconds, sizeof seconds, "%.3f", o.seconds);
        xml << "  <testcase classname=\"ql730\" name=\"" << markup_escaped(scripts[i].name)
            << "\" time=\"" << seconds << "\"";
        if (o.status == ScriptStatus::failed || o.status == ScriptStatus::error) {
            const char* tag = o.status == ScriptStatus::failed ? "failure" : "error";
            xml << ">\n    <" << tag << " message=\"" << markup_escaped(first_line(o.messages))
                << "\">" << markup_escaped(o.messages) << "</" << tag << ">\n  </testcase>\n";
        } else {
            xml << "/>\n";
        }
    }
    xml << "</testsuite>\n</testsuites>\n";
    AtomicWriteStep step{};
    if (write_file_atomically(name, xml.str(), step)) return true;
    error = "cannot write the report " + name;
    if (step == AtomicWriteStep::rename) error += std::string(": ") + std::strerror(errno);
    return false;
}

} // namespace

int run_headless_suite(const std::vector<Script>& scripts, const ScriptOptions& options,
                       const SuiteOptions& suite, std::ostream& out, std::ostream& err) {
    std::vector<Outcome> outcomes(scripts.size());
    int passed = 0;
    int failed = 0;
    bool any_error = false;
    // Played side by side; what each printed is passed on in the scripts' order.
    run_ordered_jobs(
        scripts.size(), suite.jobs,
        [&](std::size_t i) { outcomes[i] = play_alone(scripts[i], options); },
        [&](std::size_t i) {
            Outcome& o = outcomes[i];
            out << o.printed;
            err << o.messages;
            o.printed.clear();
            if (o.watcher != nullptr) {
                options.watcher->merge(*o.watcher);
                o.watcher.reset();
            }
            if (o.status == ScriptStatus::finished) {
                ++passed;
            } else {
                ++failed;
                any_error = any_error || o.status == ScriptStatus::error;
            }
            return true;
        });
    err << passed << " passed, " << failed << " failed\n";
    if (!suite.junit.empty()) {
        std::string error;
        if (!write_junit(suite.junit, suite.name, scripts, outcomes, error)) {
            err << error << '\n';
            return EXIT_USAGE;
        }
    }
    if (any_error) return EXIT_USAGE;
    return failed > 0 ? EXIT_EXPECTATION_FAILED : EXIT_PASSED;
}

} // namespace ql
