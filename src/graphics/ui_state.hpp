#pragma once
#include "graphics/list_menu.hpp"
#include "graphics/number_editor.hpp"

namespace ql {

struct UiState {
    ListMenu* list = nullptr; // the list the list operations work on
    NumberEditor editor;
};

} // namespace ql
