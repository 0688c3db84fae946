#pragma once
#include "device/ui/ui_state.hpp"
#include <array>
#include <cstdint>

namespace ql {

inline constexpr std::uint8_t LIST_MAX_ITEMS = 9;

// Where a list screen keeps its list: the ListMenu (selection and scroll, kept across visits)
// and the items it points at, both in the screen group's state.
struct ListScreenState {
    ListMenu menu;
    std::array<ListItem, LIST_MAX_ITEMS> items{};
};

} // namespace ql
