#pragma once
#include <cstdint>

namespace ql {

struct Device;

// What a soft key does; the word shown for it depends on the language.
enum class Legend { Back, Set, Edit, Clear, Mode, Start, Stop, Yes, No, Ok, Menu };

// Legends that are the same in every language.
enum class LegendSymbol { Up, Down, Left, Right, Plus, Minus };

// Every legend is a 7 x 24 bitmap, drawn by exclusive-or onto the dark side bar.
inline constexpr std::uint8_t LEGEND_W = 7;
inline constexpr std::uint8_t LEGEND_H = 24;

// The word for `meaning` in the language whose bit is `language` (LANG_*); any other value
// gives the English word.
const std::uint8_t* legend_word(Legend meaning, std::uint8_t language);
// The word in the language the device shows now.
const std::uint8_t* legend_word(Device& dev, Legend meaning);
const std::uint8_t* legend_symbol(LegendSymbol symbol);

void legend_top_left(Device& dev, const std::uint8_t* bitmap);
void legend_bottom_left(Device& dev, const std::uint8_t* bitmap);
void legend_bottom_right(Device& dev, const std::uint8_t* bitmap);
void legend_top_right(Device& dev, const std::uint8_t* bitmap);

// Make the bar solid again around a legend, stopping short of the dotted gap in row 32. The
// top-right legend has no eraser: screens that change it draw the old bitmap again.
void legend_erase_top_left(Device& dev);
void legend_erase_bottom_left(Device& dev);
void legend_erase_bottom_right(Device& dev);

// Both dark side bars, written straight to the controller, right bar first.
void draw_side_bars(Device& dev);

} // namespace ql
