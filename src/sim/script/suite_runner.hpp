#pragma once
#include "sim/script/script_runner.hpp"
#include <iosfwd>
#include <string>
#include <vector>

namespace ql {

struct SuiteOptions {
    // A JUnit XML report is written to this file when it is not empty, its test suite named
    // `name`.
    std::string junit;
    std::string name = "ql730";
    // Scripts played at once, each on a thread of its own.
    unsigned jobs = 1;
};

// Several scripts as separate tests: each plays on a device of its own, created at time 0,
// and passes or fails by itself; `suite.jobs` of them play at once. What each script prints
// goes to `out` and its messages to `err` in the scripts' order, whatever the number of jobs,
// then the line "N passed, M failed". With a report file, one test case a script. Returns 0
// when all passed, 1 when any failed, 2 when a script met an error (or the report cannot be
// written).
int run_headless_suite(std::vector<Script> scripts, const ScriptOptions& options,
                       const SuiteOptions& suite, std::ostream& out, std::ostream& err);

} // namespace ql
