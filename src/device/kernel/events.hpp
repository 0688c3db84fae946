#pragma once
#include <cstdint>

namespace ql {

// Event codes: the high nibble is the kind, the low nibble the button where there is one.
inline constexpr std::uint8_t EV_ENTER = 0x10;
inline constexpr std::uint8_t EV_EXIT = 0x20;
inline constexpr std::uint8_t EV_TICK_250MS = 0x40;
inline constexpr std::uint8_t EV_TICK_500MS = 0x50;
inline constexpr std::uint8_t EV_TICK_1S = 0x60;
inline constexpr std::uint8_t EV_KEY_PRESS = 0x70;   // + button; also every auto-repeat
inline constexpr std::uint8_t EV_KEY_HOLD = 0x80;    // + button; held for one second
inline constexpr std::uint8_t EV_KEY_RELEASE = 0x90; // + button

// The four push-buttons, two each side of the display.
enum class Button : std::uint8_t { TopLeft = 0, BottomLeft = 1, BottomRight = 2, TopRight = 3 };
inline constexpr Button BTN_TOP_LEFT = Button::TopLeft;
inline constexpr Button BTN_BOTTOM_LEFT = Button::BottomLeft;
inline constexpr Button BTN_BOTTOM_RIGHT = Button::BottomRight;
inline constexpr Button BTN_TOP_RIGHT = Button::TopRight;
inline constexpr std::uint8_t BUTTON_COUNT = 4;

// The high nibble of an event code.
enum class EventKind : std::uint8_t {
    None = 0x00,
    Enter = EV_ENTER,
    Exit = EV_EXIT,
    Tick250ms = EV_TICK_250MS,
    Tick500ms = EV_TICK_500MS,
    Tick1s = EV_TICK_1S,
    KeyPress = EV_KEY_PRESS,
    KeyHold = EV_KEY_HOLD,
    KeyRelease = EV_KEY_RELEASE,
};

constexpr std::uint8_t button_index(Button b) {
    return static_cast<std::uint8_t>(b);
}
constexpr EventKind event_kind(std::uint8_t event) {
    return static_cast<EventKind>(event & 0xF0);
}
// The button of a key event (any event's low nibble, taken modulo the four buttons).
constexpr Button event_button(std::uint8_t event) {
    return static_cast<Button>((event & 0x0F) % BUTTON_COUNT);
}
constexpr bool is_key_event(std::uint8_t event) {
    const EventKind k = event_kind(event);
    return (k == EventKind::KeyPress || k == EventKind::KeyHold || k == EventKind::KeyRelease) &&
           (event & 0x0F) < BUTTON_COUNT;
}

// The codes of one button's events, usable as case labels.
constexpr std::uint8_t key_press(Button b) {
    return static_cast<std::uint8_t>(EV_KEY_PRESS + button_index(b));
}
constexpr std::uint8_t key_hold(Button b) {
    return static_cast<std::uint8_t>(EV_KEY_HOLD + button_index(b));
}
constexpr std::uint8_t key_release(Button b) {
    return static_cast<std::uint8_t>(EV_KEY_RELEASE + button_index(b));
}
constexpr bool is_key_press(std::uint8_t event, Button b) {
    return event == key_press(b);
}
constexpr bool is_key_hold(std::uint8_t event, Button b) {
    return event == key_hold(b);
}
constexpr bool is_key_release(std::uint8_t event, Button b) {
    return event == key_release(b);
}

// Sticky diagnostic bits of SystemFlags.
inline constexpr std::uint16_t SF_QUEUE_OVERFLOW = 0x0001;
inline constexpr std::uint16_t SF_SETTING_RANGE = 0x0008;

} // namespace ql
