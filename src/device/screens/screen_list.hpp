#pragma once
#include "device/kernel/screen.hpp"
#include <span>
#include <string_view>

namespace ql {

// Every screen object of the screen list (screen_list.def), each defined in its group's file.
#define QL_SCREEN(NAME) extern const Screen NAME;
#include "device/screens/screen_list.def"

// Every screen of the instrument, in the order of their names.
std::span<const Screen* const> all_screens();

// True for a name the screen list holds.
constexpr bool screen_listed(std::string_view name) {
#define QL_SCREEN(NAME)                                                                            \
    if (name == #NAME) return true;
#include "device/screens/screen_list.def"
    return false;
}

// Defines a screen of the screen list with its handling routine; the screen's name is the
// object's own, so it is written once.
// clang-format off
#define QL_DEFINE_SCREEN(NAME, ...)                                                                \
    static_assert(screen_listed(#NAME), #NAME " is missing from screen_list.def");                 \
    const Screen NAME{#NAME, __VA_ARGS__}
// clang-format on

} // namespace ql
