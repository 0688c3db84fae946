#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The function assigned to auxiliary input A or B, one of nine, marked in the list. Both
// screens show the same items, each with a selection of its own.
extern const Screen AuxFunctionScreenA;
extern const Screen AuxFunctionScreenB;

} // namespace ql
