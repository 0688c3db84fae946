#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "sim/files/png_file.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/status_text.hpp"
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ql {
namespace {

const std::filesystem::path DATA = std::filesystem::path(__FILE__).parent_path() / "data";

void click(Shell& shell, Button button) {
    const ButtonRegion r = button_region(button);
    shell_mouse_down(shell, static_cast<std::int16_t>((r.left + r.right) / 2),
                     static_cast<std::int16_t>((r.top + r.bottom) / 2));
    shell_mouse_up(shell);
}

// The picture a new window would show for this shell's panel memory and status texts.
RgbImage drawn_at_once(const Shell& shell) {
    WindowPicture fresh;
    return fresh.update(shell.dev, shell.speed_text, shell.fuel_text);
}

class Picture : public ::testing::Test {
  protected:
    void SetUp() override {
        shell_paint(shell);
        shell_picture(shell);
        shell.picture.changes_shown();
    }
    Shell shell;
};

TEST(WindowPictureGolden, AnHourAt300KphWithTheFuelAt5LooksAsItAlwaysHas) {
    RgbImage expected;
    std::string error;
    ASSERT_TRUE(read_png(DATA / "window_after_an_hour.png", expected, error)) << error;
    Shell shell;
    shell_paint(shell);
    for (int i = 0; i < 30; ++i)
        shell_key_down(shell, KEY_UP);
    for (int i = 0; i < 5; ++i)
        shell_key_down(shell, KEY_RIGHT);
    shell_picture(shell); // looked at once on the way, as a window would
    shell_advance_to(shell, 3'600'000);
    const RgbImage& found = shell_picture(shell);
    ASSERT_EQ(found.width, expected.width);
    ASSERT_EQ(found.height, expected.height);
    EXPECT_TRUE(found.rgb == expected.rgb);
}

TEST_F(Picture, MadeBitByBitItEqualsAPictureMadeAtOnce) {
    for (int i = 0; i < 12; ++i)
        shell_key_down(shell, KEY_UP);
    for (int step = 0; step < 40; ++step) {
        if (step % 7 == 3) click(shell, BTN_BOTTOM_LEFT);
        if (step % 11 == 5) shell_key_down(shell, step % 2 == 0 ? KEY_RIGHT : KEY_DOWN);
        shell_advance_to(shell, shell.now_ms + 650);
        if (step % 3 == 0) shell_picture(shell); // looked at now and then, not at every change
    }
    const RgbImage& bit_by_bit = shell_picture(shell);
    EXPECT_TRUE(bit_by_bit.rgb == drawn_at_once(shell).rgb);
}

TEST_F(Picture, NothingIsDrawnUntilSomeoneLooks) {
    lcd_set_address(shell.dev, 5, 2);
    lcd_write(shell.dev, 0xFF);
    EXPECT_TRUE(shell.picture.changes().empty());
    EXPECT_TRUE(shell.picture.stale(shell.dev));
    const RgbImage& picture = shell_picture(shell);
    EXPECT_FALSE(shell.picture.stale(shell.dev));
    EXPECT_EQ(picture.at(LCD_WINDOW_X + 10, LCD_WINDOW_Y + 32 + 15), LCD_ON_COLOUR);
}

TEST_F(Picture, OnlyTheChangedPartOfThePanelIsReported) {
    lcd_set_address(shell.dev, 5, 2);
    lcd_write(shell.dev, static_cast<std::uint8_t>(~frame_byte(shell.dev.lcd, 5, 2)));
    lcd_set_address(shell.dev, 9, 4);
    lcd_write(shell.dev, static_cast<std::uint8_t>(~frame_byte(shell.dev.lcd, 9, 4)));
    shell_picture(shell);
    // Columns 5 to 9, pages 2 to 4: two pixels a dot.
    EXPECT_EQ(shell.picture.changes(),
              (std::vector<PictureArea>{{LCD_WINDOW_X + 10, LCD_WINDOW_Y + 32, 10, 48}}));
}

TEST_F(Picture, BytesWrittenAgainUnchangedNeedNoNewPicture) {
    lcd_set_address(shell.dev, 40, 3);
    lcd_write(shell.dev, frame_byte(shell.dev.lcd, 40, 3));
    shell_advance_to(shell, 125); // the performance timer alone
    shell_picture(shell);
    EXPECT_TRUE(shell.picture.changes().empty());
}

TEST_F(Picture, ChangesGatheredOverSeveralLooksAreKeptUntilShown) {
    lcd_set_address(shell.dev, 0, 0);
    lcd_write(shell.dev, static_cast<std::uint8_t>(~frame_byte(shell.dev.lcd, 0, 0)));
    shell_picture(shell);
    lcd_set_address(shell.dev, 127, 7);
    lcd_write(shell.dev, static_cast<std::uint8_t>(~frame_byte(shell.dev.lcd, 127, 7)));
    shell_key_down(shell, KEY_UP);
    shell_picture(shell);
    EXPECT_EQ(shell.picture.changes(),
              (std::vector<PictureArea>{
                  {LCD_WINDOW_X, LCD_WINDOW_Y, 256, 128}, {58, 256, 50, 16}, {190, 256, 20, 16}}));
    shell.picture.changes_shown();
    shell_picture(shell);
    EXPECT_TRUE(shell.picture.changes().empty());
}

TEST_F(Picture, APaintMessageRedrawsTheWholeWindow) {
    shell_paint(shell);
    shell_picture(shell);
    EXPECT_EQ(shell.picture.changes(),
              (std::vector<PictureArea>{{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT}}));
}

// A status text is drawn when the window is looked at, not for every key. That shows the same
// only if whatever a text leaves outside its cleared area, every other text leaves too.
std::vector<Rgb> outside_cleared_area(const std::string& text, const StatusTextPlace& place) {
    RgbImage image(WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BACKGROUND);
    draw_status_text(image, place.x, place.y, text);
    std::vector<Rgb> out;
    for (int y = 0; y < WINDOW_HEIGHT; ++y)
        for (int x = 0; x < WINDOW_WIDTH; ++x)
            if (x < place.clear_left || x > place.clear_right || y < place.clear_top ||
                y > place.clear_bottom)
                out.push_back(image.at(x, y));
    return out;
}

TEST(StatusTexts, EveryTextLeavesTheSameOutsideItsClearedArea) {
    const std::vector<Rgb> speed = outside_cleared_area("Speed : 0 kph", SPEED_TEXT_PLACE);
    for (int kph = 10; kph <= 300; kph += 10)
        EXPECT_TRUE(outside_cleared_area("Speed : " + std::to_string(kph) + " kph",
                                         SPEED_TEXT_PLACE) == speed)
            << kph;
    const std::vector<Rgb> fuel = outside_cleared_area("Fuel : 0", FUEL_TEXT_PLACE);
    for (int reading = 1; reading <= 255; ++reading)
        EXPECT_TRUE(outside_cleared_area("Fuel : " + std::to_string(reading), FUEL_TEXT_PLACE) ==
                    fuel)
            << reading;
}

} // namespace
} // namespace ql
