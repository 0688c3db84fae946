#pragma once
#include "device/graphics/legends.hpp"
#include "device/kernel/screen.hpp"
#include "device/settings/languages.hpp"
#include "resources/bitmap.hpp"
#include <array>
#include <cstdint>

namespace ql {

struct Device;

inline constexpr std::uint8_t MESSAGE_MAX_LINES = 4;
inline constexpr std::uint8_t MESSAGE_LINE_PITCH = 13;

// A message of up to four lines centred on the display, the first one's top at `row` and each
// further one 13 rows lower. Unused lines are nullptr.
struct MessageLines {
    std::uint8_t row;
    std::array<const char*, MESSAGE_MAX_LINES> lines;
};
using Message = PerLanguage<MessageLines>;

void draw_message(Device& dev, const Message& message);

// A step of a wizard that asks the driver to do something and confirm it: the message, OK at
// the bottom left and back at the top left. The screen handles its buttons itself.
void draw_confirm_screen(Device& dev, const Message& message);

// The faults of the sensor and of the rates: outside English the message shows only the error
// number, e.g. "Errore 01:", and refers to the user's manual.
constexpr Message numbered_error(MessageLines english, const char* french, const char* italian,
                                 const char* spanish, const char* german) {
    return {english,
            {26, {french, "Consulter le mode", "d'emploi."}},
            {26, {italian, "Vedi il manuale", "utente."}},
            {26, {spanish, "Consulte el manual", "del usuario."}},
            {26, {german, "Lesen Sie das Be-", "nutzerhandbuch."}}};
}

// A screen that shows a 19 x 19 result icon and a message, and whose only button is the top-left
// one: it leaves for `next`.
struct MessageScreenLayout {
    const Picture<19, 19>* icon;
    std::uint8_t icon_y;
    Legend legend; // back, or OK when the screen reports a finished step
    const Screen* next;
    const Message* message;
};

inline constexpr std::uint8_t RESULT_ICON_X = 53;

void message_screen_handle(Device& dev, const MessageScreenLayout& layout, std::uint8_t event);

// The handling routine of a message screen: QL_DEFINE_SCREEN(Name, message_screen<LAYOUT>).
template <const MessageScreenLayout& LAYOUT> void message_screen(Device& dev, std::uint8_t event) {
    message_screen_handle(dev, LAYOUT, event);
}

} // namespace ql
