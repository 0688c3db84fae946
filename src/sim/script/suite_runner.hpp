#pragma once
#include "sim/script/script_runner.hpp"
#include <iosfwd>
#include <string>
#include <vector>

namespace ql {

// Several scripts as separate tests: each plays on a device of its own, created at time 0,
// and passes or fails by itself. Messages go to `err` as they come, then the line
// "N passed, M failed". With a `junit` file name, a JUnit XML report is written there, one
// test case a script. Returns 0 when all passed, 1 when any failed, 2 when a script met an
// error (or the report cannot be written).
int run_headless_suite(const std::vector<Script>& scripts, const ScriptOptions& options,
                       const std::string& junit, std::ostream& out, std::ostream& err);

} // namespace ql
