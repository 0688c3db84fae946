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
    std::string test_case; // the script's test case in the report, when there is one
    std::string printed;   // what the script wrote to standard output
    std::string messages;  // what the script wrote to standard error
    double seconds = 0;
    std::unique_ptr<ShellWatcher> watcher; // what watched its device, to be merged
};

std::string first_line(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// The script's <testcase> element of the report.
std::string test_case(const std::string& name, const Outcome& o) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", o.seconds);
    std::string xml = "  <testcase classname=\"ql730\" name=\"" + markup_escaped(name) +
                      "\" time=\"" + seconds + "\"";
    if (o.status == ScriptStatus::failed || o.status == ScriptStatus::error) {
        const std::string tag = o.status == ScriptStatus::failed ? "failure" : "error";
        xml += ">\n    <" + tag + " message=\"" + markup_escaped(first_line(o.messages)) + "\">" +
               markup_escaped(o.messages) + "</" + tag + ">\n  </testcase>\n";
    } else {
        xml += "/>\n";
    }
    return xml;
}

// Plays one script on a device of its own; shares nothing with the scripts played beside it.
// The script is spent: freed here, on the thread that played it, as is the making of its
// test case, so that the thread handing results back has the least to do.
Outcome play_alone(Script script, const ScriptOptions& options, bool report) {
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
    if (report) outcome.test_case = test_case(script.name, outcome);
    return outcome;
}

// Written atomically, so that a reader never sees half a file.
bool write_junit(const std::string& name, const std::string& suite_name,
                 const std::vector<Outcome>& outcomes, std::string& error) {
    int failures = 0;
    int errors = 0;
    double total = 0;
    std::size_t size = 0;
    for (const Outcome& o : outcomes) {
        failures += o.status == ScriptStatus::failed ? 1 : 0;
        errors += o.status == ScriptStatus::error ? 1 : 0;
        total += o.seconds;
        size += o.test_case.size();
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", total);
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n<testsuite name=\"" +
        markup_escaped(suite_name) + "\" tests=\"" + std::to_string(outcomes.size()) +
        "\" failures=\"" + std::to_string(failures) + "\" errors=\"" + std::to_string(errors) +
        "\" time=\"" + seconds + "\">\n";
    xml.reserve(xml.size() + size + 64);
    for (const Outcome& o : outcomes)
        xml += o.test_case;
    xml += "</testsuite>\n</testsuites>\n";
    AtomicWriteStep step{};
    if (write_file_atomically(name, xml, step)) return true;
    error = "cannot write the report " + name;
    if (step == AtomicWriteStep::rename) error += std::string(": ") + std::strerror(errno);
    return false;
}

} // namespace

int run_headless_suite(std::vector<Script> scripts, const ScriptOptions& options,
                       const SuiteOptions& suite, std::ostream& out, std::ostream& err) {
    std::vector<Outcome> outcomes(scripts.size());
    int passed = 0;
    int failed = 0;
    bool any_error = false;
    // Played side by side; what each printed is passed on in the scripts' order.
    run_ordered_jobs(
        scripts.size(), suite.jobs,
        [&](std::size_t i) {
            outcomes[i] = play_alone(std::move(scripts[i]), options, !suite.junit.empty());
        },
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
        if (!write_junit(suite.junit, suite.name, outcomes, error)) {
            err << error << '\n';
            return EXIT_USAGE;
        }
    }
    if (any_error) return EXIT_USAGE;
    return failed > 0 ? EXIT_EXPECTATION_FAILED : EXIT_PASSED;
}

} // namespace ql
