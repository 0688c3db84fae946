#pragma once
#include <cstdint>

namespace ql {

struct Device;

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

// Draws the side bars, the four legends and the text at (x, y), and highlights its first
// character.
void numedit_open(Device& dev, EditorSize size, std::uint8_t x, std::uint8_t y, char* text);
// Move to the next or previous digit or sign, stepping over points and colons; false, and
// nothing done, when there is none.
bool numedit_next(Device& dev);
bool numedit_prev(Device& dev);
// Digits wrap from 9 to 0 and back without carry; a sign swaps.
void numedit_increment(Device& dev);
void numedit_decrement(Device& dev);
std::uint8_t numedit_position(const Device& dev);
// The text read as a whole number, points and colons left out (012.5 gives 125).
void numedit_value(const Device& dev, std::int32_t& out);

} // namespace ql
