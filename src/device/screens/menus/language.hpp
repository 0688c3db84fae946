#pragma once
#include "device/kernel/screen.hpp"

namespace ql {

// The languages the variant offers, each named in itself; the current one is marked.
extern const Screen LanguageScreen;

} // namespace ql
