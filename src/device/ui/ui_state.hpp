#pragma once
#include "device/ui/list_menu.hpp"
#include "device/ui/number_editor.hpp"
#include <array>

namespace ql {

struct UiState {
    ListMenu* list = nullptr; // the list the list operations work on
    NumberEditor editor;
    // The text of the one number entry open, which the editor changes in place.
    std::array<char, 16> entry_text{};
};

} // namespace ql
