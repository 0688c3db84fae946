#include "device/graphics/legends.hpp"
#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "device/settings/languages.hpp"
#include "resources/legends.hpp"

namespace ql {
namespace {

using namespace legend_words;

// One row per meaning, in the order of Legend.
constexpr PerLanguage<const std::uint8_t*> WORDS[] = {
    {BACK.data(), PRECE.data(), INDT.data(), ATR.data(), ZRCK.data()},
    {SET.data(), REGLA.data(), IMP.data(), AJST.data(), EINST.data()},
    {EDIT.data(), MODIF.data(), MOD.data(), MODF.data(), BEAR.data()},
    {CLR.data(), RAZ.data(), AZZ.data(), BORR.data(), LSCH.data()},
    {MODE.data(), MODE.data(), MODO.data(), MODO.data(), MOD.data()},
    {STRT.data(), DEMAR.data(), STRT.data(), ACTV.data(), STRT.data()},
    {STOP.data(), STOP.data(), STOP.data(), DTEN.data(), STOP.data()},
    {YES.data(), OUI.data(), SI.data(), SI.data(), JA.data()},
    {NO.data(), NON.data(), NO.data(), NO.data(), NEIN.data()},
    {OK.data(), OK.data(), OK.data(), OK.data(), OK.data()},
    {MENU.data(), MENU.data(), MENU.data(), MENU.data(), MENU.data()},
};

constexpr const std::uint8_t* SYMBOLS[] = {
    legend_symbols::UP.data(),    legend_symbols::DOWN.data(), legend_symbols::LEFT.data(),
    legend_symbols::RIGHT.data(), legend_symbols::PLUS.data(), legend_symbols::MINUS.data(),
};

void place_legend(Device& dev, std::uint8_t x, std::uint8_t y, const std::uint8_t* bitmap) {
    move_to(dev, x, y);
    blit_xor(dev, LEGEND_W, LEGEND_H, bitmap);
}

void erase_legend(Device& dev, std::uint8_t x, std::uint8_t y) {
    move_to(dev, x, y);
    draw_rect(dev, 9, 29, RECT_SET);
}

constexpr std::uint8_t BAR_WIDTH = 11;
constexpr std::uint8_t GAP_PAGE = 4;

void write_bar(Device& dev, std::uint8_t column, std::uint8_t page) {
    lcd_set_address(dev, column, page);
    for (std::uint8_t offset = 0; offset < BAR_WIDTH; ++offset) {
        // Row 32, the top row of page 4, is dotted at the odd offsets to part the two legends.
        const bool gap = page == GAP_PAGE && offset % 2 == 1;
        lcd_write(dev, gap ? 0xFE : 0xFF);
    }
}

} // namespace

const std::uint8_t* legend_word(Legend meaning, std::uint8_t language) {
    const auto row = static_cast<std::size_t>(meaning);
    if (row >= std::size(WORDS)) return WORDS[0].english;
    return WORDS[row].in(language);
}

const std::uint8_t* legend_word(Device& dev, Legend meaning) {
    return legend_word(meaning, current_language(dev));
}

const std::uint8_t* legend_symbol(LegendSymbol symbol) {
    const auto index = static_cast<std::size_t>(symbol);
    if (index >= std::size(SYMBOLS)) return SYMBOLS[0];
    return SYMBOLS[index];
}

void legend_top_left(Device& dev, const std::uint8_t* bitmap) {
    place_legend(dev, 2, 4, bitmap);
}
void legend_bottom_left(Device& dev, const std::uint8_t* bitmap) {
    place_legend(dev, 2, 36, bitmap);
}
void legend_bottom_right(Device& dev, const std::uint8_t* bitmap) {
    place_legend(dev, 119, 36, bitmap);
}
void legend_top_right(Device& dev, const std::uint8_t* bitmap) {
    place_legend(dev, 119, 4, bitmap);
}

void legend_erase_top_left(Device& dev) {
    erase_legend(dev, 1, 1);
}
void legend_erase_bottom_left(Device& dev) {
    erase_legend(dev, 1, 34);
}
void legend_erase_bottom_right(Device& dev) {
    erase_legend(dev, 118, 34);
}

void draw_side_bars(Device& dev) {
    for (std::uint8_t page = 0; page < LCD_PAGES; ++page) {
        write_bar(dev, 117, page);
        write_bar(dev, 0, page);
    }
}

} // namespace ql
