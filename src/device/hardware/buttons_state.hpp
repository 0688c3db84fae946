#pragma once
#include "device/kernel/events.hpp"
#include <array>
#include <cstdint>

namespace ql {

// A button's area in window client coordinates; a point is inside when
// left <= x < right and top <= y < bottom.
struct ButtonRegion {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};

// Turns mouse presses on the faceplate's buttons and the shell's timers into button and tick
// events.
struct ButtonInput {
    std::array<ButtonRegion, BUTTON_COUNT> regions{};
    bool pressed = false;
    Button button = Button::TopLeft; // the button that is down, or was last down
    std::int32_t repeat_count = 0;   // press events posted for the current press
    std::uint32_t tick_count = 0;    // 250 ms ticks since the window was created
};

} // namespace ql
