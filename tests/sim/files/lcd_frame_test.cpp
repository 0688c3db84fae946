#include "device/device.hpp"
#include "device/graphics/frame_picture.hpp"
#include "sim/files/lcd_frame.hpp"
#include "sim/files/png_file.hpp"
#include "support/temp_folder.hpp"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace ql {
namespace {

namespace fs = std::filesystem;

class LcdFrameFiles : public test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        // A recognisable pattern: a diagonal, the four corners and a full byte in page 3.
        for (int i = 0; i < 64; ++i)
            set_dot(i * 2, i);
        set_dot(0, 0);
        set_dot(127, 0);
        set_dot(0, 63);
        set_dot(127, 63);
        dev.lcd.frame_memory[40 * LCD_PAGES + 3] = 0xFF;
    }

    void set_dot(int x, int y) {
        dev.lcd.frame_memory[static_cast<std::size_t>(x * LCD_PAGES + y / 8)] |=
            static_cast<std::uint8_t>(1u << (y % 8));
    }

    void write_text(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    Device dev;
    std::string error;
};

TEST_F(LcdFrameFiles, APngRoundTripGivesTheSamePicture) {
    const fs::path file = folder / "frame.png";
    ASSERT_TRUE(write_frame(file, dev.lcd, error)) << error;
    std::string frame;
    ASSERT_TRUE(read_frame(file, frame, error)) << error;
    EXPECT_EQ(frame, frame_picture(dev.lcd));
}

TEST_F(LcdFrameFiles, TheLcdPngHasOnePixelPerDotInThePanelColours) {
    const fs::path file = folder / "frame.PNG";
    ASSERT_TRUE(write_frame(file, dev.lcd, error)) << error;
    RgbImage image;
    ASSERT_TRUE(read_png(file, image, error)) << error;
    ASSERT_EQ(image.width, 128);
    ASSERT_EQ(image.height, 64);
    EXPECT_EQ(image.at(0, 0), LCD_ON_COLOUR);
    EXPECT_EQ(image.at(1, 0), LCD_OFF_COLOUR);
    EXPECT_EQ(image.at(2, 1), LCD_ON_COLOUR);
    EXPECT_EQ(image.at(40, 24), LCD_ON_COLOUR);
    EXPECT_EQ(image.at(40, 31), LCD_ON_COLOUR);
    EXPECT_EQ(image.at(40, 32), LCD_OFF_COLOUR);
}

TEST_F(LcdFrameFiles, ATextRoundTripGivesTheSamePicture) {
    const fs::path file = folder / "frame.txt";
    ASSERT_TRUE(write_frame(file, dev.lcd, error)) << error;
    std::string frame;
    ASSERT_TRUE(read_frame(file, frame, error)) << error;
    EXPECT_EQ(frame, frame_picture(dev.lcd));
}

TEST_F(LcdFrameFiles, ATextFrameMayHaveWindowsLineEndsAndATrailingBlankLine) {
    std::string text;
    for (int row = 0; row < 64; ++row)
        text += std::string(128, row == 5 ? '#' : '.') + "\r\n";
    write_text(folder / "crlf.txt", text + "\r\n");
    std::string frame;
    ASSERT_TRUE(read_frame(folder / "crlf.txt", frame, error)) << error;
    EXPECT_EQ(frame.substr(5 * 129, 129), std::string(128, '#') + "\n");
}

TEST_F(LcdFrameFiles, AShortTextFrameIsRefusedWithItsLineCount) {
    write_text(folder / "short.txt", std::string(128, '.') + "\n");
    std::string frame;
    EXPECT_FALSE(read_frame(folder / "short.txt", frame, error));
    EXPECT_NE(error.find("has 1 lines"), std::string::npos) << error;
}

TEST_F(LcdFrameFiles, ABadCharacterIsReportedWithItsLine) {
    std::string text;
    for (int row = 0; row < 64; ++row)
        text += std::string(128, '.') + "\n";
    text[2 * 129 + 7] = 'x';
    write_text(folder / "bad.txt", text);
    std::string frame;
    EXPECT_FALSE(read_frame(folder / "bad.txt", frame, error));
    EXPECT_NE(error.find("bad.txt:3:"), std::string::npos) << error;
}

TEST_F(LcdFrameFiles, APngOfAnotherSizeIsRefused) {
    write_png(folder / "big.png", RgbImage(130, 64), error);
    std::string frame;
    EXPECT_FALSE(read_frame(folder / "big.png", frame, error));
    EXPECT_NE(error.find("130 x 64"), std::string::npos) << error;
}

TEST_F(LcdFrameFiles, AMissingFileIsNamedInTheMessage) {
    std::string frame;
    EXPECT_FALSE(read_frame(folder / "absent.png", frame, error));
    EXPECT_NE(error.find("absent.png"), std::string::npos) << error;
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST_F(LcdFrameFiles, ATruncatedPngIsRefused) {
    ASSERT_TRUE(write_frame(folder / "whole.png", dev.lcd, error));
    std::ifstream in(folder / "whole.png", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    write_text(folder / "cut.png", bytes.substr(0, bytes.size() / 2));
    std::string frame;
    EXPECT_FALSE(read_frame(folder / "cut.png", frame, error));
    EXPECT_NE(error.find("cut.png"), std::string::npos) << error;
}

TEST_F(LcdFrameFiles, WritingIntoAMissingFolderFailsWithAMessage) {
    EXPECT_FALSE(write_frame(folder / "no" / "such" / "frame.png", dev.lcd, error));
    EXPECT_NE(error.find("frame.png"), std::string::npos) << error;
    EXPECT_FALSE(write_frame(folder / "no" / "such" / "frame.txt", dev.lcd, error));
    EXPECT_NE(error.find("frame.txt"), std::string::npos) << error;
}

TEST(FrameDifference, EqualFramesHaveNoDifference) {
    const std::string frame = std::string(128, '.') + "\n";
    EXPECT_EQ(frame_difference(frame, frame), "");
}

TEST(FrameDifference, NamesTheCountAndShowsTheFirstRowsWithMarks) {
    std::string a, b;
    for (int row = 0; row < 64; ++row) {
        std::string line(128, '.');
        a += line + "\n";
        if (row >= 10 && row < 15) line[static_cast<std::size_t>(row)] = '#';
        b += line + "\n";
    }
    const std::string d = frame_difference(a, b);
    EXPECT_EQ(d.rfind("5 rows differ", 0), 0u) << d;
    EXPECT_NE(d.find("row 10 expected " + std::string(128, '.')), std::string::npos) << d;
    EXPECT_NE(d.find("row 12"), std::string::npos);
    EXPECT_EQ(d.find("row 13"), std::string::npos) << "only the first rows are shown";
    EXPECT_NE(d.find("\n" + std::string(18 + 10, ' ') + "^\n"), std::string::npos) << d;
}

} // namespace
} // namespace ql
