#pragma once
#include "device/ui/ui_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

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
