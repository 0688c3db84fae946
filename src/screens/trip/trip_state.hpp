#pragma once

namespace ql {

struct TripScreenState {};

} // namespace ql
