#pragma once

namespace ql {

struct Settings {};

} // namespace ql
