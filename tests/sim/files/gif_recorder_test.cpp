#include "sim/files/gif_recorder.hpp"
#include "sim/files/png_file.hpp"
#include "sim/script/script_runner.hpp"
#include "support/temp_folder.hpp"
#include <filesystem>
#include <fstream>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <numeric>
#include <sstream>
#include <unistd.h>

namespace ql {
namespace {

namespace fs = std::filesystem;

// A GIF read back with giflib: each frame's delay, and the picture the frames leave when drawn
// one over the other.
struct ReadGif {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<int> delays_cs;
    RgbImage last;
    int total_cs() const { return std::accumulate(delays_cs.begin(), delays_cs.end(), 0); }
};

ReadGif read_gif(const fs::path& path) {
    ReadGif out;
    int code = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &code);
    if (gif == nullptr) return out;
    if (DGifSlurp(gif) == GIF_OK) {
        out.ok = true;
        out.width = gif->SWidth;
        out.height = gif->SHeight;
        out.last = RgbImage(gif->SWidth, gif->SHeight);
        for (int i = 0; i < gif->ImageCount; ++i) {
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            out.delays_cs.push_back(control.DelayTime);
            const SavedImage& frame = gif->SavedImages[i];
            const GifImageDesc& d = frame.ImageDesc;
            const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
            for (int y = 0; y < d.Height; ++y)
                for (int x = 0; x < d.Width; ++x) {
                    const GifColorType c = map->Colors[frame.RasterBits[y * d.Width + x]];
                    out.last.set(d.Left + x, d.Top + y, Rgb{c.Red, c.Green, c.Blue});
                }
        }
    }
    DGifCloseFile(gif, &code);
    return out;
}

class GifRecording : public test::TempFolderTest {
  protected:
    int run(const std::string& text) {
        std::ofstream(folder / "s.txt", std::ios::binary) << text;
        Script script;
        std::string error;
        if (!load_script((folder / "s.txt").string(), options, script, error)) {
            err << error << '\n';
            return EXIT_USAGE;
        }
        return run_headless({script}, options, out, err);
    }

    ScriptOptions options;
    std::ostringstream out;
    std::ostringstream err;
};

RgbImage solid(Rgb c) {
    return RgbImage(40, 20, c);
}

TEST_F(GifRecording, DelaysCarryTheirRoundingAndAddUpToTheWholeRecording) {
    GifRecorder gif;
    std::string error;
    const Rgb colours[] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    ASSERT_TRUE(gif.start(folder / "a.gif", solid(colours[0]), 1000, error)) << error;
    EXPECT_EQ(gif.frames(), 1u);
    ASSERT_TRUE(gif.add(solid(colours[1]), 1015, error));
    ASSERT_TRUE(gif.add(solid(colours[1]), 1020, error)); // unchanged: no frame
    ASSERT_TRUE(gif.add(solid(colours[2]), 1027, error));
    ASSERT_TRUE(gif.add(solid(colours[3]), 1033, error));
    // Two changes within one hundredth: the later picture is the frame.
    ASSERT_TRUE(gif.add(solid(colours[4]), 1501, error));
    RgbImage last = solid(colours[4]);
    last.set(3, 4, Rgb{200, 100, 50}); // a colour the first picture did not have
    ASSERT_TRUE(gif.add(last, 1504, error));
    ASSERT_TRUE(gif.finish(2005, error)) << error;
    EXPECT_EQ(gif.frames(), 5u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    const ReadGif read = read_gif(folder / "a.gif");
    ASSERT_TRUE(read.ok);
    // 15, 12 and 6 ms after their frames: 1, 1 and 1 hundredths (10, 20, 30 of 33 ms),
    // then up to 500 ms: 47, then the rest to 1005 ms: 50.
    EXPECT_EQ(read.delays_cs, (std::vector<int>{1, 1, 1, 47, 50}));
    EXPECT_EQ(read.total_cs(), 100);
    EXPECT_EQ(read.last.rgb, last.rgb);
}

TEST_F(GifRecording, AStillPictureLongerThanOneFrameCanCarryGoesOnInOnePixelFrames) {
    GifRecorder gif;
    std::string error;
    ASSERT_TRUE(gif.start(folder / "long.gif", solid({1, 2, 3}), 0, error));
    ASSERT_TRUE(gif.add(solid({4, 5, 6}), 10, error));
    ASSERT_TRUE(gif.finish(700'000, error));
    EXPECT_EQ(gif.frames(), 3u);
    const ReadGif read = read_gif(folder / "long.gif");
    EXPECT_EQ(read.delays_cs, (std::vector<int>{1, 65535, 69999 - 65535}));
    EXPECT_EQ(read.last.rgb, solid({4, 5, 6}).rgb);
}

TEST_F(GifRecording, AnIdleMinuteOfTheTripScreenIsAFewFramesAndTheWholeMinute) {
    ASSERT_EQ(run("record-gif idle.gif\nwait 60s\nstop-gif\nsave-window end.png\n"), EXIT_PASSED)
        << err.str();
    const ReadGif read = read_gif(folder / "idle.gif");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.width, WINDOW_WIDTH);
    EXPECT_EQ(read.height, WINDOW_HEIGHT);
    EXPECT_GE(read.delays_cs.size(), 1u);
    EXPECT_LE(read.delays_cs.size(), 5u);
    EXPECT_EQ(read.total_cs(), 6000);
}

TEST_F(GifRecording, ADriveEndsOnThePictureTheWindowShows) {
    // Drive at 100 km/h for 20 s, open the menu, and leave the GIF open at the end.
    ASSERT_EQ(run("wait 1s\nrecord-gif drive.gif\nkey up 10\nwait 20s\nclick top-left\n"
                  "wait 1.234s\nsave-window end.png\n"),
              EXIT_PASSED)
        << err.str();
    const ReadGif read = read_gif(folder / "drive.gif");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.total_cs(), 2123); // 20 s + 1.234 s, to the hundredth below
    // The distance goes up every tick: many frames, but no more than ticks and inputs.
    EXPECT_GT(read.delays_cs.size(), 10u);
    EXPECT_LE(read.delays_cs.size(), 100u);
    RgbImage end;
    std::string error;
    ASSERT_TRUE(read_png(folder / "end.png", end, error)) << error;
    // The window has more colours than a GIF table holds: the LCD and the status line are
    // exact, a few of the faceplate's shaded edge pixels take the nearest colour.
    int differing = 0;
    for (int y = 0; y < end.height; ++y)
        for (int x = 0; x < end.width; ++x) {
            const Rgb a = read.last.at(x, y), b = end.at(x, y);
            if (a.r == b.r && a.g == b.g && a.b == b.b) continue;
            ++differing;
            const bool panel = x >= LCD_WINDOW_X && x < LCD_WINDOW_X + 2 * LCD_COLUMNS &&
                               y >= LCD_WINDOW_Y && y < LCD_WINDOW_Y + 2 * LCD_ROWS;
            ASSERT_FALSE(panel || y >= SPEED_TEXT_PLACE.clear_top) << x << ", " << y;
            ASSERT_LE(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b), 48)
                << x << ", " << y;
        }
    EXPECT_LT(differing, end.width * end.height / 100);
}

TEST_F(GifRecording, MistakesAreCaughtBeforeTheScriptRuns) {
    EXPECT_EQ(run("wait 1s\nstop-gif\n"), EXIT_USAGE);
    EXPECT_EQ(err.str(), (folder / "s.txt").string() + ":2: stop-gif: no record-gif before it\n");
    err.str("");
    EXPECT_EQ(run("record-gif a.gif\nwait 1s\nrecord-gif b.gif\n"), EXIT_USAGE);
    EXPECT_EQ(err.str(), (folder / "s.txt").string() +
                             ":3: record-gif: the GIF of line 1 is still being recorded "
                             "(stop-gif first)\n");
    EXPECT_FALSE(fs::exists(folder / "a.gif"));
    err.str("");
    EXPECT_EQ(run("record-gif\n"), EXIT_USAGE);
    EXPECT_EQ(err.str(), (folder / "s.txt").string() + ":1: record-gif: a file name is missing\n");
}

TEST_F(GifRecording, AnUnwritableFileStopsTheScriptWithOneLine) {
    std::ofstream(folder / "plain") << "x";
    EXPECT_EQ(run("record-gif plain/x.gif\nwait 1s\n"), EXIT_USAGE);
    EXPECT_EQ(err.str(), (folder / "s.txt").string() +
                             ":1: cannot write the file: Not a directory (" +
                             (folder / "plain/x.gif").string() + ")\n");
}

} // namespace
} // namespace ql
