#pragma once

namespace ql {

struct ButtonInput {};

} // namespace ql
