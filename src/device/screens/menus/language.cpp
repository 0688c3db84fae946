#include "device/device.hpp"
#include "device/graphics/legends.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"

namespace ql {

namespace {

constexpr std::uint8_t LANGUAGE_BITS[LANGUAGE_COUNT] = {LANG_ENGLISH, LANG_FRENCH, LANG_ITALIAN,
                                                        LANG_SPANISH, LANG_GERMAN};

ListScreenState& state(Device& dev) {
    return list_slot<ListSlot::LanguageScreenSlot>(dev);
}

// The position of a language among those offered: how many offered languages come before it.
std::uint8_t position_of(Device& dev, std::uint8_t language) {
    const std::uint8_t mask = get_language_mask(dev);
    std::uint8_t n = 0;
    for (const std::uint8_t bit : LANGUAGE_BITS)
        if (bit < language && (mask & bit) != 0) ++n;
    return n;
}

// The language offered at a position of the list, or none past its end.
std::uint8_t language_at(Device& dev, std::uint8_t position) {
    const std::uint8_t mask = get_language_mask(dev);
    for (const std::uint8_t bit : LANGUAGE_BITS) {
        if ((mask & bit) == 0) continue;
        if (position == 0) return bit;
        --position;
    }
    return 0;
}

void set_marker(Device& dev, std::uint8_t position, bool on) {
    ListScreenState& list = state(dev);
    if (position < list.menu.count)
        list.items[position].draw_extra = on ? list_choice_marker : nullptr;
}

void choose(Device& dev) {
    ListScreenState& list = state(dev);
    const std::uint8_t chosen = language_at(dev, list.menu.selected);
    if (chosen == 0) return;
    set_marker(dev, position_of(dev, get_language(dev)), false);
    set_marker(dev, list.menu.selected, true);
    set_language(dev, chosen);
    list_draw(dev);
    // The item names stay, each written in its own language; the back legend follows.
    legend_erase_top_left(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
}

// Every name is the language's own, the same in every column.
// clang-format off
const ListRow ROWS[LANGUAGE_COUNT] = {
    {{"English", "English", "English", "English", "English"}, nullptr, choose},
    {{"Fran\xE7" "ais", "Fran\xE7" "ais", "Fran\xE7" "ais", "Fran\xE7" "ais", "Fran\xE7" "ais"},
     nullptr, choose},
    {{"Italiano", "Italiano", "Italiano", "Italiano", "Italiano"}, nullptr, choose},
    {{"Espa\xF1ol", "Espa\xF1ol", "Espa\xF1ol", "Espa\xF1ol", "Espa\xF1ol"}, nullptr, choose},
    {{"Deutsch", "Deutsch", "Deutsch", "Deutsch", "Deutsch"}, nullptr, choose},
};
// clang-format on

// Only the languages the variant offers, in bit order; the current one marked and selected.
void prepare(Device& dev, ListScreenState& list) {
    const std::uint8_t mask = get_language_mask(dev);
    std::uint8_t n = 0;
    for (std::uint8_t i = 0; i < LANGUAGE_COUNT; ++i)
        if ((mask & LANGUAGE_BITS[i]) != 0) list.items[n++] = list.items[i];
    list.menu.count = n;
    const std::uint8_t current = position_of(dev, get_language(dev));
    if (current >= n) return;
    set_marker(dev, current, true);
    list_select(list.menu, current);
}

const ListScreenTable SCREEN_TABLE{LettersTitleIcon.data(), ROWS,  LANGUAGE_COUNT,
                                   &SettingsMenuScreen,     state, prepare};

} // namespace

QL_DEFINE_SCREEN(LanguageScreen, list_screen<SCREEN_TABLE>);

} // namespace ql
