#include "device/device.hpp"
#include "device/screens/common/list_screen.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/menu_icons.hpp"
#include <array>

namespace ql {

namespace {

constexpr std::uint8_t FUNCTION_COUNT = 9;

// Indexed by the function's value.
constexpr Texts FUNCTIONS[FUNCTION_COUNT] = {
    {"None", "D\xE9sactiv\xE9", "Nessuna", "Ninguno", "Keine"},
    {"Clear Interval", "Raz. Intervalle", "Canc. Intervallo", "Borr. Intervalo",
     "Intervall L\xF6sch."},
    {"Clear Total", "Raz. Total", "Canc. Totale", "Borr. Total", "Gesamt L\xF6sch."},
    {"Freeze", "Freeze", "Freeze", "Freeze", "Freeze"},
    {"Stopwatch", "Chronom\xE8tre", "Cronometro", "Cron\xF3metro", "Stoppuhr"},
    {"Display Mode", "Mode", "Modo", "Modo", "Modus"},
    {"Backlight Dim", "Luminosit\xE9", "Luminosit\xE0", "Brillo", "Helligkeit"},
    {"Count Up/Dn", "Compte", "Conteggio", "Cuenta", "Z\xE4hlen"},
    {"S/S Control", "S/S Commande", "S/S Controllo", "S/S Control", "S/S Control"},
};

// What differs between the two inputs: the setting and the list's selection.
struct AuxInput {
    std::uint8_t (*get)(Device& dev);
    void (*set)(Device& dev, std::uint8_t value);
    ListMenu& (*menu)(Device& dev);
};

ListMenu& menu_a(Device& dev) {
    return dev.screens.settings.aux_functions.menu;
}
ListMenu& menu_b(Device& dev) {
    return dev.screens.settings.aux_b_menu;
}

constexpr AuxInput INPUT_A{get_aux_a_function, set_aux_a_function, menu_a};
constexpr AuxInput INPUT_B{get_aux_b_function, set_aux_b_function, menu_b};

ListScreenState& shared_items(Device& dev) {
    return dev.screens.settings.aux_functions;
}

void set_marker(Device& dev, std::uint8_t function, bool on) {
    shared_items(dev).items[function].draw_extra = on ? list_choice_marker : nullptr;
}

// The list opens on the stored function, scrolled into view, with the marker on it.
template <const AuxInput& IN> void prepare(Device& dev, ListScreenState&) {
    const std::uint8_t function = IN.get(dev);
    list_select(IN.menu(dev), function);
    set_marker(dev, function, true);
}

template <const AuxInput& IN> void choose(Device& dev) {
    const std::uint8_t selected = IN.menu(dev).selected;
    set_marker(dev, IN.get(dev), false);
    set_marker(dev, selected, true);
    IN.set(dev, selected);
    list_draw(dev);
}

// The items are shared: the other input's screen must not find this input's marker.
template <const AuxInput& IN> void other(Device& dev, std::uint8_t event) {
    if (event == EV_EXIT) set_marker(dev, IN.get(dev), false);
}

template <const AuxInput& IN> constexpr std::array<ListRow, FUNCTION_COUNT> rows() {
    std::array<ListRow, FUNCTION_COUNT> out{};
    for (std::size_t i = 0; i < FUNCTION_COUNT; ++i)
        out[i] = ListRow{FUNCTIONS[i], nullptr, choose<IN>, nullptr};
    return out;
}

constexpr auto ROWS_A = rows<INPUT_A>();
constexpr auto ROWS_B = rows<INPUT_B>();

template <const AuxInput& IN>
constexpr ListScreenTable screen_table(const std::array<ListRow, FUNCTION_COUNT>& rows) {
    return {PlugTitleIcon.data(), rows.data(), FUNCTION_COUNT, &SettingsMenuScreen,
            shared_items,         prepare<IN>, other<IN>,      IN.menu};
}

constexpr ListScreenTable TABLE_A = screen_table<INPUT_A>(ROWS_A);
constexpr ListScreenTable TABLE_B = screen_table<INPUT_B>(ROWS_B);

} // namespace

QL_DEFINE_SCREEN(AuxFunctionScreenA, list_screen<TABLE_A>);
QL_DEFINE_SCREEN(AuxFunctionScreenB, list_screen<TABLE_B>);

} // namespace ql
