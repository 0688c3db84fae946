#include "resources/status_font.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/status_text.hpp"
#include "support/picture.hpp"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace ql {
namespace {

constexpr Rgb WHITE{255, 255, 255};

// The text as drawn, '#' for each black pixel, rows of the whole cell.
std::string drawn(const std::string& text) {
    RgbImage image(status_text_width(text), status_font::CELL_HEIGHT, WHITE);
    draw_status_text(image, 0, 0, text);
    std::string out;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            out += image.at(x, y) == STATUS_TEXT_COLOUR ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(StatusText, EachNumberStartsWhereItsClearedAreaStarts) {
    // Otherwise a number that gets shorter would leave a column of its old digits behind.
    EXPECT_EQ(SPEED_TEXT_PLACE.x + status_text_width("Speed : "), SPEED_TEXT_PLACE.clear_left);
    EXPECT_EQ(FUEL_TEXT_PLACE.x + status_text_width("Fuel : "), FUEL_TEXT_PLACE.clear_left);
}

TEST(StatusText, TheLongestTextsStayInsideTheirClearedAreas) {
    EXPECT_LE(SPEED_TEXT_PLACE.x + status_text_width("Speed : 300 kph") - 1,
              SPEED_TEXT_PLACE.clear_right);
    EXPECT_LE(FUEL_TEXT_PLACE.x + status_text_width("Fuel : 255") - 1, FUEL_TEXT_PLACE.clear_right);
    EXPECT_GE(SPEED_TEXT_PLACE.y, SPEED_TEXT_PLACE.clear_top);
    EXPECT_LE(SPEED_TEXT_PLACE.y + status_font::CELL_HEIGHT - 1, SPEED_TEXT_PLACE.clear_bottom);
}

TEST(StatusText, EveryCharacterOfTheStatusLineHasItsOwnShape) {
    const std::string used = "SpedkhFul:0123456789";
    std::set<std::string> shapes;
    for (char ch : used) {
        const std::string shape = drawn(std::string(1, ch));
        EXPECT_NE(shape.find('#'), std::string::npos) << "no glyph for '" << ch << "'";
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), used.size());
}

TEST(StatusText, DigitsShareOneAdvanceSoThatNumbersLineUp) {
    for (char ch = '0'; ch <= '9'; ++ch)
        EXPECT_EQ(status_text_width(std::string(1, ch)), 6) << ch;
}

TEST(StatusText, DrawsOnlyDarkDotsAndLeavesTheBackground) {
    RgbImage image(40, 13, Rgb{1, 2, 3});
    draw_status_text(image, 0, 0, "Fuel : 7");
    int dark = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.at(x, y);
            EXPECT_TRUE(c == STATUS_TEXT_COLOUR || c == (Rgb{1, 2, 3}));
            dark += c == STATUS_TEXT_COLOUR;
        }
    EXPECT_GT(dark, 20);
}

TEST(StatusText, ADescenderReachesBelowTheBaseline) {
    EXPECT_EQ(drawn("p"), test::rows({
                              "......",
                              "......",
                              "......",
                              "......",
                              "......",
                              "####..",
                              "#...#.",
                              "#...#.",
                              "#...#.",
                              "#...#.",
                              "####..",
                              "#.....",
                              "#.....",
                          }));
}

TEST(StatusText, UnknownCharactersAdvanceLikeASpaceAndDrawNothing) {
    EXPECT_EQ(status_text_width("?"), status_text_width(" "));
    EXPECT_EQ(drawn("?").find('#'), std::string::npos);
}

} // namespace
} // namespace ql
