#pragma once

namespace ql {

struct VehicleModel {};

} // namespace ql
