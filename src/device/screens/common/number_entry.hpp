#pragma once
#include "device/kernel/screen.hpp"
#include "device/ui/number_editor.hpp"
#include <cstdint>

namespace ql {

inline constexpr std::uint8_t ENTRY_TEXT_SIZE = 16;

// A number-entry screen, described by its font, position, how it loads and stores its value,
// and its limits. It draws over the screen it was opened from: the editor brings its own side
// bars and legends. Up and down change the character under edit (auto-repeat included); the
// left-hand buttons move between characters; back on the first character leaves without a
// change, set on the last one accepts.
struct NumberEntryLayout {
    EditorSize size;
    std::uint8_t x;
    std::uint8_t y;
    // Writes the text to edit, a numeric template such as "00.000", from the stored value.
    void (*load)(Device& dev, char* text);
    // What else the screen shows around the number (a unit, a title); may be nullptr.
    void (*draw)(Device& dev);
    // The typed value limited to [min, max]; out_of_range tells whether it had to be. The
    // routine stores it and chooses the next screen.
    void (*accept)(Device& dev, std::int32_t value, bool out_of_range);
    std::int32_t min;
    std::int32_t max;
    const Screen* back; // left without a change
};

void number_entry_handle(Device& dev, const NumberEntryLayout& layout, std::uint8_t event);

// The typed value as the editor reads it, brought into [min, max].
std::int32_t number_entry_value(Device& dev, const NumberEntryLayout& layout, bool& out_of_range);

} // namespace ql
