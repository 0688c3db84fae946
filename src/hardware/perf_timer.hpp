#pragma once

namespace ql {

struct PerfTimerUnit {};

} // namespace ql
