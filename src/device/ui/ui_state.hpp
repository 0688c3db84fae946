#pragma once
#include <array>
#include <cstdint>

namespace ql {

struct Device;

struct ListItem {
    const char* text = nullptr; // the label in the current language
    // Draws what else the row shows (a marker, a current value), given the row's text y.
    void (*draw_extra)(Device& dev, std::uint8_t text_y) = nullptr;
};

// A three-row scrolling list of 1 to 9 items, kept by the screen that shows it.
struct ListMenu {
    std::uint8_t selected = 0; // the highlighted item
    std::uint8_t top = 0;      // the item in the first row
    std::uint8_t count = 0;
    ListItem* items = nullptr;
};

// Digit fonts the editor can show its number in.
enum class EditorSize : std::uint8_t { Small = 0, Medium = 1, Large = 2 };
inline constexpr EditorSize NUMEDIT_SMALL = EditorSize::Small;
inline constexpr EditorSize NUMEDIT_MEDIUM = EditorSize::Medium;
inline constexpr EditorSize NUMEDIT_LARGE = EditorSize::Large;

// The one number editor: the user changes a numeric text in place, one character at a time.
struct NumberEditor {
    EditorSize size = NUMEDIT_SMALL;
    std::uint8_t x = 0; // the cell of the character under edit
    std::uint8_t y = 0;
    char* text = nullptr; // belongs to the calling screen
    std::uint8_t pos = 0; // index of the character under edit
    std::uint8_t advance = 0;
    std::uint8_t dot_advance = 0;
};

struct UiState {
    ListMenu* list = nullptr; // the list the list operations work on
    NumberEditor editor;
    // The text of the one number entry open, which the editor changes in place.
    std::array<char, 16> entry_text{};
};

} // namespace ql
