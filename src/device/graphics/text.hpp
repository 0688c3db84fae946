#pragma once
#include "device/graphics/text_state.hpp"
#include <cstdint>

namespace ql {

struct Device;

// Which point of the text sits on the given column.
enum class Align : std::uint8_t { Left = 0, Centre = 1, Right = 2 };
inline constexpr Align ALIGN_LEFT = Align::Left;
inline constexpr Align ALIGN_CENTRE = Align::Centre;
inline constexpr Align ALIGN_RIGHT = Align::Right;

// Walks the text from the cursor, drawing when `draw` is true; x ends after the last character.
void text_render(Device& dev, const char* text, bool draw);
void text_draw(Device& dev, const char* text);
std::uint8_t text_width(Device& dev, const char* text);
// Draws with the cell's top row at y, aligned on column x; the cursor ends after the text.
void text_draw_at(Device& dev, std::uint8_t x, std::uint8_t y, Align align, const char* text);
void text_copy(char* destination, const char* source);
char* text_scratch(Device& dev, const char* source);

} // namespace ql
