#pragma once

namespace ql {

struct TextState {};

} // namespace ql
