#pragma once
#include "device/kernel/screen.hpp"
#include <cstdint>

namespace ql {

// The hub between the trip screen and every set-up and service screen: a strip of three
// icons (previous, selected, next) with the selected entry's name below.
extern const Screen MainMenuScreen;

inline constexpr std::uint8_t MAIN_MENU_ENTRIES = 7;

// Redraws the icon strip and the label for the current selection.
void draw_main_menu_strip(Device& dev);

} // namespace ql
