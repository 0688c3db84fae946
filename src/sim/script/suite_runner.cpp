#include "sim/script/suite_runner.hpp"
#include "sim/files/atomic_file.hpp"
#include "sim/files/markup.hpp"
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
    std::string messages; // what the script wrote to standard error
    double seconds = 0;
};

Outcome play_alone(const Script& script, const ScriptOptions& options, std::ostream& out) {
    const auto start = std::chrono::steady_clock::now();
    std::ostringstream err;
    Outcome outcome;
    {
        Shell shell(ShellConfig{options.power_on, options.settings_file});
        if (options.watcher != nullptr) options.watcher->watch(shell);
        outcome.status = play_script(script, shell, options, out, err);
    }
    outcome.messages = err.str();
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

std::string first_line(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Written atomically, so that a reader never sees half a file.
bool write_junit(const std::string& name, const std::vector<Script>& scripts,
                 const std::vector<Outcome>& outcomes, std::string& error) {
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
        << "<testsuites>\n<testsuite name=\"ql730\" tests=\"" << scripts.size() << "\" failures=\""
        << failures << "\" errors=\"" << errors << "\" time=\"" << seconds << "\">\n";
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
                       const std::string& junit, std::ostream& out, std::ostream& err) {
    std::vector<Outcome> outcomes;
    int passed = 0;
    int failed = 0;
    bool any_error = false;
    for (const Script& script : scripts) {
        outcomes.push_back(play_alone(script, options, out));
        const Outcome& o = outcomes.back();
        err << o.messages;
        if (o.status == ScriptStatus::finished) {
            ++passed;
        } else {
            ++failed;
            any_error = any_error || o.status == ScriptStatus::error;
        }
    }
    err << passed << " passed, " << failed << " failed\n";
    if (!junit.empty()) {
        std::string error;
        if (!write_junit(junit, scripts, outcomes, error)) {
            err << error << '\n';
            return EXIT_USAGE;
        }
    }
    if (any_error) return EXIT_USAGE;
    return failed > 0 ? EXIT_EXPECTATION_FAILED : EXIT_PASSED;
}

} // namespace ql
