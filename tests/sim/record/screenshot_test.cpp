#include "sim/files/png_file.hpp"
#include "sim/record/screenshot.hpp"
#include "support/temp_folder.hpp"
#include <gtest/gtest.h>
#include <unistd.h>

namespace ql {
namespace {

namespace fs = std::filesystem;

class Screenshots : public test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        shell_paint(shell);
    }

    Shell shell;
    std::string error;
    const std::time_t when = 1'700'000'000;
};

TEST_F(Screenshots, TheWindowAndTheLcdAreSavedAtTheirOwnSizes) {
    const fs::path window = save_screenshot(shell, false, folder, when, error);
    const fs::path lcd = save_screenshot(shell, true, folder, when, error);
    ASSERT_FALSE(window.empty()) << error;
    ASSERT_FALSE(lcd.empty()) << error;
    EXPECT_EQ(window.filename().string().rfind("ql730-window-", 0), 0u);
    EXPECT_EQ(lcd.filename().string().rfind("ql730-lcd-", 0), 0u);
    RgbImage image;
    ASSERT_TRUE(read_png(window, image, error)) << error;
    EXPECT_EQ(image.width, WINDOW_WIDTH);
    EXPECT_TRUE(image.rgb == shell_picture(shell).rgb);
    ASSERT_TRUE(read_png(lcd, image, error)) << error;
    EXPECT_EQ(image.width, LCD_COLUMNS);
    EXPECT_EQ(image.height, LCD_ROWS);
}

TEST_F(Screenshots, ASecondShotInTheSameSecondDoesNotOverwriteTheFirst) {
    const fs::path first = save_screenshot(shell, false, folder, when, error);
    const fs::path second = save_screenshot(shell, false, folder, when, error);
    ASSERT_FALSE(second.empty()) << error;
    EXPECT_NE(first, second);
    EXPECT_EQ(second.stem().string(), first.stem().string() + "-2");
}

TEST_F(Screenshots, AFolderThatCannotBeWrittenGivesAMessage) {
    EXPECT_TRUE(save_screenshot(shell, false, folder / "missing", when, error).empty());
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

} // namespace
} // namespace ql
