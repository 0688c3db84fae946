#pragma once
#include "device/ui/ui_state.hpp"
#include <array>
#include <cstddef>
#include <cstdint>

namespace ql {

inline constexpr std::uint8_t LIST_MAX_ITEMS = 9;

// The list screens of the screen list (QL_LIST_SCREEN), each with a slot of its own in
// ScreenStates::lists: ListSlot::UnitsScreenSlot.
enum class ListSlot : std::size_t {
#define QL_SCREEN(NAME)
#define QL_LIST_SCREEN(NAME) NAME##Slot,
#include "device/screens/screen_list.def"
    count
};
inline constexpr std::size_t LIST_SLOT_COUNT = static_cast<std::size_t>(ListSlot::count);

// Where a list screen keeps its list: the ListMenu (selection and scroll, kept across visits)
// and the items it points at.
struct ListScreenState {
    ListMenu menu;
    std::array<ListItem, LIST_MAX_ITEMS> items{};
};

} // namespace ql
