#pragma once

namespace ql {

struct Clocks {};

} // namespace ql
