#include "device/graphics/frame_picture.hpp"
#include "sim/files/lcd_frame.hpp"
#include "sim/files/png_file.hpp"
#include "sim/script/script_runner.hpp"
#include "support/temp_folder.hpp"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

namespace ql {
namespace {

namespace fs = std::filesystem;

// Runs scripts given as texts through the headless driver, in a folder of their own.
class HeadlessRun : public test::TempFolderTest {
  protected:
    // Loads every script as the program does, then plays them; the exit code.
    int run(std::vector<std::string> texts) {
        std::vector<Script> scripts(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const fs::path path = write("s" + std::to_string(i) + ".txt", texts[i]);
            std::string error;
            if (!load_script(path.string(), options, scripts[i], error)) {
                err << error << '\n';
                return EXIT_USAGE;
            }
        }
        return run_headless(scripts, options, out, err);
    }

    nlohmann::json last_state() const {
        std::istringstream lines(out.str());
        std::string line, last;
        while (std::getline(lines, line))
            last = line;
        return nlohmann::json::parse(last);
    }

    ScriptOptions options;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(HeadlessRun, PrintLcdPrintsTheStartUpScreenAs64RowsOf128Dots) {
    ASSERT_EQ(run({"print-lcd\n"}), EXIT_PASSED) << err.str();
    const std::string picture = out.str();
    ASSERT_EQ(picture.size(), 64u * 129u);
    EXPECT_EQ(picture.find_first_not_of("#.\n"), std::string::npos);
    EXPECT_NE(picture.find('#'), std::string::npos) << "the trip screen draws something";
}

TEST_F(HeadlessRun, TimeStartsAtZeroAndWaitDeliversEveryTimerOnTheWay) {
    ASSERT_EQ(run({"print-state\nwait 1.25s\nprint-state\n"}), EXIT_PASSED) << err.str();
    std::istringstream lines(out.str());
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(nlohmann::json::parse(first)["time_ms"], 0);
    const nlohmann::json state = last_state();
    EXPECT_EQ(state["time_ms"], 1250);
    EXPECT_EQ(state["clock"]["seconds"], 1);
    EXPECT_EQ(state["clock"]["fraction"], 64);
}

TEST_F(HeadlessRun, ScriptsPlayOneAfterTheOtherOnOneDevice) {
    ASSERT_EQ(run({"key up 3\nwait 1s\n", "key right\nprint-state\n"}), EXIT_PASSED) << err.str();
    const nlohmann::json state = last_state();
    EXPECT_EQ(state["vehicle"]["speed"], 30);
    EXPECT_EQ(state["time_ms"], 1000);
    EXPECT_EQ(state["status"]["speed"], "Speed : 30 kph");
    EXPECT_EQ(state["status"]["fuel"], "Fuel : 1");
}

TEST_F(HeadlessRun, AFailedScreenExpectationStopsTheRunWithExitCodeOne) {
    EXPECT_EQ(run({"key up\nexpect-screen MainMenuScreen\nprint-state\n"}),
              EXIT_EXPECTATION_FAILED);
    EXPECT_EQ(err.str(), (folder / "s0.txt").string() +
                             ":2: expected the screen MainMenuScreen, found MainTripScreen\n");
    EXPECT_EQ(out.str(), "") << "nothing after the failed line runs";
}

TEST_F(HeadlessRun, AMatchingScreenExpectationLetsTheRunGoOn) {
    EXPECT_EQ(run({"expect-screen MainTripScreen\nprint-state\n"}), EXIT_PASSED) << err.str();
    EXPECT_EQ(last_state()["screen"], "MainTripScreen");
}

TEST_F(HeadlessRun, ALcdExpectationComparesWithAFrameBesideTheScript) {
    ASSERT_EQ(run({"save-lcd " + (folder / "start.png").string() + "\n"}), EXIT_PASSED)
        << err.str();
    EXPECT_EQ(run({"expect-lcd start.png\n"}), EXIT_PASSED) << err.str();
    EXPECT_EQ(run({"click top-left\nexpect-lcd start.png\n"}), EXIT_EXPECTATION_FAILED);
    EXPECT_NE(err.str().find("s0.txt:2: the LCD does not match start.png: "), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("differ"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("expected "), std::string::npos) << err.str();
}

TEST_F(HeadlessRun, RebaseliningWritesTheFoundFrameInsteadOfComparing) {
    options.rebaseline = true;
    ASSERT_EQ(run({"expect-lcd frames/start.txt\n"}), EXIT_USAGE) << "the folder is missing";
    fs::create_directories(folder / "frames");
    ASSERT_EQ(run({"key up\nexpect-lcd frames/start.txt\n"}), EXIT_PASSED) << err.str();
    options.rebaseline = false;
    out.str("");
    ASSERT_EQ(run({"print-lcd\n"}), EXIT_PASSED);
    std::string frame, error;
    ASSERT_TRUE(read_frame(folder / "frames/start.txt", frame, error)) << error;
    EXPECT_EQ(frame, out.str());
}

TEST_F(HeadlessRun, AMissingExpectedFrameStopsTheScriptBeforeItStarts) {
    EXPECT_EQ(run({"print-state\nexpect-lcd nowhere.txt\n"}), EXIT_USAGE);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("s0.txt:2: cannot read the file"), std::string::npos) << err.str();
}

TEST_F(HeadlessRun, AFileThatCannotBeWrittenStopsTheRunWithExitCodeTwo) {
    EXPECT_EQ(run({"save-window " + (folder / "no/such/folder/w.png").string() + "\nprint-lcd\n"}),
              EXIT_USAGE);
    EXPECT_NE(err.str().find("s0.txt:1: cannot write the file"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("w.png"), std::string::npos);
    EXPECT_EQ(out.str(), "");
}

TEST_F(HeadlessRun, SaveWindowWritesTheWholeWindowWithThePanelInIt) {
    const fs::path file = folder / "window.png";
    ASSERT_EQ(run({"save-window " + file.string() + "\n"}), EXIT_PASSED) << err.str();
    RgbImage image;
    std::string error;
    ASSERT_TRUE(read_png(file, image, error)) << error;
    EXPECT_EQ(image.width, WINDOW_WIDTH);
    EXPECT_EQ(image.height, WINDOW_HEIGHT);
    int panel_pixels = 0;
    for (int y = LCD_WINDOW_Y; y < LCD_WINDOW_Y + 128; ++y)
        for (int x = LCD_WINDOW_X; x < LCD_WINDOW_X + 256; ++x)
            panel_pixels += image.at(x, y) == LCD_ON_COLOUR || image.at(x, y) == LCD_OFF_COLOUR;
    EXPECT_EQ(panel_pixels, 256 * 128);
}

TEST_F(HeadlessRun, AMissingScriptIsNamed) {
    Script script;
    std::string error;
    EXPECT_FALSE(load_script((folder / "absent.txt").string(), options, script, error));
    EXPECT_NE(error.find("cannot read the script"), std::string::npos) << error;
    EXPECT_NE(error.find("absent.txt"), std::string::npos) << error;
    EXPECT_FALSE(load_script(folder.string(), options, script, error));
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
}

} // namespace
} // namespace ql
