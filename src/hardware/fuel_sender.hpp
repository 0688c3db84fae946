#pragma once

namespace ql {

struct FuelSender {};

} // namespace ql
