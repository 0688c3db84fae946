#include "device/hardware/buttons.hpp"
#include "device/device.hpp"
#include "device/kernel/kernel.hpp"
#include <limits>

namespace ql {

namespace {

// Over the button pictures of the faceplate. The right-hand ones are narrower, and the
// bottom-right one is a pixel taller than the others.
constexpr std::array<ButtonRegion, BUTTON_COUNT> REGIONS{{
    {38, 50, 90, 97},     // BTN_TOP_LEFT
    {38, 129, 90, 176},   // BTN_BOTTOM_LEFT
    {412, 129, 461, 177}, // BTN_BOTTOM_RIGHT
    {412, 50, 461, 97},   // BTN_TOP_RIGHT
}};

bool contains(const ButtonRegion& r, std::int16_t x, std::int16_t y) {
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

} // namespace

ButtonRegion button_region(int b) {
    if (b < 0 || b >= BUTTON_COUNT) return {};
    return REGIONS[static_cast<std::size_t>(b)];
}

void button_regions_init(Device& dev) {
    dev.buttons.regions = REGIONS;
    dev.buttons.pressed = false;
}

void button_press_at(Device& dev, std::int16_t x, std::int16_t y) {
    ButtonInput& in = dev.buttons;
    bool hit = false;
    for (std::uint8_t b = 0; b < BUTTON_COUNT && !hit; ++b) {
        if (contains(in.regions[b], x, y)) {
            in.pressed = true;
            in.button = static_cast<Button>(b);
            hit = true;
        }
    }
    if (!hit && !in.pressed) return;
    post_event(dev, key_press(in.button));
    dev.host->start_timer(TIMER_HOLD, HOLD_PERIOD_MS);
    dev.host->start_timer(TIMER_REPEAT, REPEAT_FIRST_MS);
    in.repeat_count = 1;
}

void button_release(Device& dev) {
    ButtonInput& in = dev.buttons;
    if (!in.pressed) return;
    post_event(dev, key_release(in.button));
    in.pressed = false;
    dev.host->stop_timer(TIMER_HOLD);
    dev.host->stop_timer(TIMER_REPEAT);
}

void button_timer(Device& dev, std::uint8_t timer_id) {
    ButtonInput& in = dev.buttons;
    if (timer_id == TIMER_HOLD) {
        post_event(dev, key_hold(in.button));
        dev.host->stop_timer(TIMER_HOLD);
    } else if (timer_id == TIMER_REPEAT) {
        post_event(dev, key_press(in.button));
        // The first two repeats come at the slow pace, then they speed up.
        dev.host->start_timer(TIMER_REPEAT, in.repeat_count < 3 ? REPEAT_FIRST_MS : REPEAT_FAST_MS);
        if (in.repeat_count < std::numeric_limits<std::int32_t>::max()) ++in.repeat_count;
    }
}

void tick_timer(Device& dev, std::uint8_t timer_id) {
    if (timer_id != TIMER_TICK) return;
    ButtonInput& in = dev.buttons;
    post_event(dev, EV_TICK_250MS);
    if ((in.tick_count & 1) == 0) post_event(dev, EV_TICK_500MS);
    if ((in.tick_count & 3) == 0) post_event(dev, EV_TICK_1S);
    ++in.tick_count;
}

} // namespace ql
