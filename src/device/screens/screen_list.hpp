#pragma once
#include "device/kernel/screen.hpp"
#include <span>

namespace ql {

// Every screen of the instrument, in the order of their names.
std::span<const Screen* const> all_screens();

} // namespace ql
