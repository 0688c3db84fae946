#include "device/screens/screen_list.hpp"
#include "sim/files/png_file.hpp"
#include "sim/script/script_runner.hpp"
#include "sim/tools/catalogue.hpp"
#include "support/temp_folder.hpp"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace ql {
namespace {

namespace fs = std::filesystem;

class Catalogue : public test::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        fs::remove_all(folder); // the catalogue makes its own folder
    }

    RgbImage picture(const std::string& screen, const std::string& language, bool imperial) {
        RgbImage image;
        std::string error;
        EXPECT_TRUE(
            read_png(folder / catalogue_file_name(screen, {language, imperial}), image, error))
            << error;
        return image;
    }

    std::string page() const {
        std::ifstream in(folder / "index.html");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static std::size_t count(const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }

    std::ostringstream out;
    std::ostringstream err;
};

// Every screen in all ten looks: each picture is there, each look shows what it should, and
// the page shows each picture once.
TEST_F(Catalogue, PicturesEveryScreenInEveryLanguageAndUnitSystem) {
    ASSERT_EQ(write_catalogue(folder.string(), catalogue_routes(), out, err), EXIT_PASSED)
        << err.str();
    EXPECT_EQ(err.str(), "");
    const std::vector<CatalogueLook> looks = catalogue_looks();
    ASSERT_EQ(looks.size(), 10u);
    for (const Screen* screen : all_screens())
        for (const CatalogueLook& look : looks) {
            const RgbImage image = picture(screen->name, look.language, look.imperial);
            EXPECT_EQ(image.width, 128);
            EXPECT_EQ(image.height, 64);
        }

    // The language reached every path: every screen has words or legends of its own.
    for (const Screen* screen : all_screens())
        EXPECT_NE(picture(screen->name, "english", false).rgb,
                  picture(screen->name, "german", false).rgb)
            << screen->name;
    EXPECT_NE(picture("MainMenuScreen", "french", false).rgb,
              picture("MainMenuScreen", "german", false).rgb);
    // Miles and gallons reached the screens that show a unit, and only the unit changed
    // where there is none.
    for (const char* name :
         {"CalValueScreen", "UnitsScreen", "AlarmSpeedScreen", "DistanceEntryScreen",
          "FuelCalAmountScreen", "FuelGaugeScreen", "MainTripScreen", "PerfMenuScreen"})
        EXPECT_NE(picture(name, "spanish", false).rgb, picture(name, "spanish", true).rgb) << name;
    for (const char* name : {"MainMenuScreen", "FactoryResetScreen", "ContrastScreen"})
        EXPECT_EQ(picture(name, "italian", false).rgb, picture(name, "italian", true).rgb) << name;

    const std::string html = page();
    EXPECT_EQ(count(html, "<img "), all_screens().size() * looks.size());
    EXPECT_EQ(count(html, "<tr id="), all_screens().size());
    EXPECT_EQ(count(html, "class=\"missing\""), 0u);
    EXPECT_NE(html.find("<img src=\"FuelCalMaxScreen-german-imperial.png\""), std::string::npos);
    EXPECT_NE(out.str().find("430 pictures of 43 screens"), std::string::npos) << out.str();
}

// A way that ends on another screen, and a screen with no way at all, are named on standard
// error and on the page, and the run fails; the other screens are still pictured. Three
// threads say and write exactly what one does.
TEST_F(Catalogue, NamesTheScreensItCouldNotReach) {
    std::vector<CatalogueRoute> routes = catalogue_routes();
    std::erase_if(routes, [](const CatalogueRoute& r) { return r.screen == "UnitsScreen"; });
    for (CatalogueRoute& route : routes)
        if (route.screen == "FactoryResetScreen") route.steps = "click top-left"; // back
    ASSERT_EQ(write_catalogue(folder.string(), routes, out, err, 3), EXIT_EXPECTATION_FAILED);
    std::ostringstream alone_out;
    std::ostringstream alone_err;
    ASSERT_EQ(write_catalogue((folder / "alone").string(), routes, alone_out, alone_err, 1),
              EXIT_EXPECTATION_FAILED);
    EXPECT_EQ(alone_err.str(), err.str());
    {
        std::ifstream in(folder / "alone" / "index.html");
        std::ostringstream alone_page;
        alone_page << in.rdbuf();
        EXPECT_EQ(alone_page.str(), page());
    }
    EXPECT_EQ(picture("MainMenuScreen", "german", true).rgb,
              picture("alone/MainMenuScreen", "german", true).rgb);
    const std::string messages = err.str();
    EXPECT_NE(messages.find("catalogue: FactoryResetScreen (french, imperial) is missing: the "
                            "steps end on MainMenuScreen\n"),
              std::string::npos)
        << messages;
    EXPECT_NE(messages.find("catalogue: UnitsScreen (german, metric) is missing: no way to it "
                            "is known\n"),
              std::string::npos);
    EXPECT_EQ(count(messages, "\n"), 20u); // two screens in ten looks
    EXPECT_FALSE(fs::exists(folder / "FactoryResetScreen-english-metric.png"));
    EXPECT_TRUE(fs::exists(folder / "AboutScreen-english-metric.png"));
    const std::string html = page();
    EXPECT_EQ(count(html, "<img "), (all_screens().size() - 2) * 10);
    EXPECT_EQ(count(html, "<td class=\"missing\">missing: the steps end on MainMenuScreen</td>"),
              10u);
    EXPECT_NE(html.find("<li>UnitsScreen (German, km, litres): no way to it is known</li>"),
              std::string::npos);
}

// The steps are written compactly; the page and the script read them the same way.
TEST_F(Catalogue, SpellsOutRepeatedSteps) {
    EXPECT_EQ(catalogue_script(catalogue_routes(), "AboutScreen"),
              "click top-left\nclick top-right\nclick top-right\nclick bottom-left\n");
    const std::vector<CatalogueRoute> bad{{"MainMenuScreen", "", "click top-left *x"}};
    ASSERT_EQ(write_catalogue(folder.string(), bad, out, err), EXIT_EXPECTATION_FAILED);
    EXPECT_NE(err.str().find("MainMenuScreen (english, metric) is missing: its steps cannot be "
                             "read: MainMenuScreen:1: too many arguments for click"),
              std::string::npos)
        << err.str();
}

TEST_F(Catalogue, FolderInTheWayIsOneLine) {
    std::ofstream(folder) << "x";
    ASSERT_EQ(write_catalogue((folder / "sub").string(), catalogue_routes(), out, err), EXIT_USAGE);
    EXPECT_EQ(err.str(),
              "cannot make the folder " + (folder / "sub").string() + ": Not a directory\n");
    fs::remove(folder);
}

} // namespace
} // namespace ql
