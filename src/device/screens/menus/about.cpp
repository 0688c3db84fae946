#include "device/device.hpp"
#include "device/graphics/draw.hpp"
#include "device/graphics/legends.hpp"
#include "device/graphics/number_format.hpp"
#include "device/graphics/text.hpp"
#include "device/kernel/kernel.hpp"
#include "device/screens/screen_list.hpp"
#include "device/settings/settings.hpp"
#include "resources/service_icons.hpp"

namespace ql {

namespace {

constexpr Texts RESET_FIRST = {"Restore factory", "R\xE9tablir r\xE9glages", "Ripristina imposta-",
                               "\xBFRestablecer val-", "Voreinstellungen"};
constexpr Texts RESET_SECOND = {"defaults?", "usine?", "zioni di fabbrica?",
                                "ores de f\xE1"
                                "brica?",
                                "wiederherstellen?"};

// QL730-009C-IT: the model, the product code in four hexadecimal digits, the variant.
void build_identity(Device& dev, char* out) {
    text_copy(out, "QL730-");
    text_copy(out + 6, format_hex4(dev, get_product_code(dev)) + 2);
    text_copy(out + 10, "-");
    text_copy(out + 11, variant_about_code(get_variant(dev)));
}

// v2.19: major and minor, each in decimal without leading zeros.
void build_version(Device& dev, char* out) {
    const std::uint16_t version = get_firmware_version(dev);
    out[0] = 'v';
    text_copy(out + 1, format_decimal(dev, version >> 8, 3, 0, FMT_NO_PAD));
    std::size_t end = 1;
    while (out[end] != '\0')
        ++end;
    out[end] = '.';
    text_copy(out + end + 1, format_decimal(dev, version & 0xFF, 3, 0, FMT_NO_PAD));
}

void about_enter(Device& dev) {
    lcd_clear(dev);
    draw_side_bars(dev);
    legend_top_left(dev, legend_word(dev, Legend::Back));
    char identity[16];
    build_identity(dev, identity);
    const std::uint8_t identity_width = text_width(dev, identity);
    const auto left = static_cast<std::uint8_t>(64 - identity_width / 2);
    text_draw_at(dev, left, 50, ALIGN_LEFT, identity);
    move_to(dev, left, 7);
    blit_picture(dev, BrandLogo);
    char version[12];
    build_version(dev, version);
    const auto version_left =
        static_cast<std::uint8_t>(left + identity_width - text_width(dev, version));
    text_draw_at(dev, version_left, 37, ALIGN_LEFT, version);
}

void about_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: about_enter(dev); break;
    case key_press(Button::TopLeft): change_screen(dev, MainMenuScreen); break;
    case key_press(Button::BottomLeft): change_screen(dev, FactoryResetScreen); break;
    default: break;
    }
}

void reset_enter(Device& dev) {
    lcd_clear(dev);
    draw_side_bars(dev);
    move_to(dev, 53, 8);
    blit_picture(dev, ResultWarnIcon);
    legend_top_left(dev, legend_word(dev, Legend::No));
    legend_bottom_left(dev, legend_word(dev, Legend::Yes));
    text_draw_at(dev, 64, 32, ALIGN_CENTRE, tr(dev, RESET_FIRST));
    text_draw_at(dev, 64, 45, ALIGN_CENTRE, tr(dev, RESET_SECOND));
}

void reset_handle(Device& dev, std::uint8_t event) {
    switch (event) {
    case EV_ENTER: reset_enter(dev); break;
    case key_press(Button::TopLeft): change_screen(dev, AboutScreen); break;
    // The factory settings are written by the next power-on; the question stays.
    case key_press(Button::BottomLeft): invalidate_settings(dev); break;
    default: break;
    }
}

} // namespace

QL_DEFINE_SCREEN(AboutScreen, about_handle);
QL_DEFINE_SCREEN(FactoryResetScreen, reset_handle);

} // namespace ql
