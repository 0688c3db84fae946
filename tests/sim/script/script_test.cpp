#include "device/hardware/buttons.hpp"
#include "device/hardware/keys.hpp"
#include "device/kernel/events.hpp"
#include "sim/script/script.hpp"
#include <gtest/gtest.h>

namespace ql {
namespace {

std::uint64_t duration(const char* text) {
    std::uint64_t ms = 12345;
    EXPECT_TRUE(parse_duration(text, ms)) << text;
    return ms;
}

bool refused(const char* text) {
    std::uint64_t ms = 12345;
    const bool ok = parse_duration(text, ms);
    EXPECT_EQ(ms, 12345u) << "a refused duration leaves the result alone";
    return !ok;
}

TEST(ScriptDuration, ReadsEveryUnit) {
    EXPECT_EQ(duration("250ms"), 250u);
    EXPECT_EQ(duration("2s"), 2000u);
    EXPECT_EQ(duration("1.5s"), 1500u);
    EXPECT_EQ(duration("0.125s"), 125u);
    EXPECT_EQ(duration("3m"), 180000u);
    EXPECT_EQ(duration("1h"), 3600000u);
    EXPECT_EQ(duration("0.5h"), 1800000u);
    EXPECT_EQ(duration("0ms"), 0u);
}

TEST(ScriptDuration, RefusesWhatIsNotAWholeNumberOfMilliseconds) {
    EXPECT_TRUE(refused("5"));
    EXPECT_TRUE(refused("ms"));
    EXPECT_TRUE(refused("1.5ms"));
    EXPECT_TRUE(refused("0.0001s"));
    EXPECT_TRUE(refused("-1s"));
    EXPECT_TRUE(refused("+1s"));
    EXPECT_TRUE(refused(".5s"));
    EXPECT_TRUE(refused("1.s"));
    EXPECT_TRUE(refused("1 s"));
    EXPECT_TRUE(refused("2d"));
    EXPECT_TRUE(refused("1e3ms"));
    EXPECT_TRUE(refused("99999999999999999999h"));
    EXPECT_TRUE(refused("8761h")) << "more than a year";
}

Script parsed(const char* text) {
    Script script;
    std::string error;
    EXPECT_TRUE(parse_script("s.txt", text, script, error)) << error;
    return script;
}

std::string problem(const char* text) {
    Script script;
    std::string error;
    EXPECT_FALSE(parse_script("s.txt", text, script, error)) << text;
    return error;
}

TEST(ScriptParse, ClickIsAPressInTheMiddleOfTheButtonAndARelease) {
    const Script s = parsed("click bottom-right\n");
    ASSERT_EQ(s.commands.size(), 2u);
    EXPECT_EQ(s.commands[0].op, ScriptOp::mouse_down);
    const ButtonRegion r = button_region(BTN_BOTTOM_RIGHT);
    EXPECT_EQ(s.commands[0].x, (r.left + r.right) / 2);
    EXPECT_EQ(s.commands[0].y, (r.top + r.bottom) / 2);
    EXPECT_GE(s.commands[0].x, r.left);
    EXPECT_LT(s.commands[0].y, r.bottom);
    EXPECT_EQ(s.commands[1].op, ScriptOp::mouse_up);
}

TEST(ScriptParse, HoldIsPressWaitRelease) {
    const Script s = parsed("hold top-left 1.5s");
    ASSERT_EQ(s.commands.size(), 3u);
    EXPECT_EQ(s.commands[0].op, ScriptOp::mouse_down);
    EXPECT_EQ(s.commands[1].op, ScriptOp::wait);
    EXPECT_EQ(s.commands[1].ms, 1500u);
    EXPECT_EQ(s.commands[2].op, ScriptOp::mouse_up);
}

TEST(ScriptParse, CommentsBlankLinesAndSpacingAreIgnoredAndLinesAreCounted) {
    const Script s = parsed("# a scenario\n"
                            "\n"
                            "   key   up  3   # faster\r\n"
                            "\tkey right\n"
                            "mouse-down -5 300\n"
                            "print-state\n");
    ASSERT_EQ(s.commands.size(), 4u);
    EXPECT_EQ(s.commands[0].op, ScriptOp::key);
    EXPECT_EQ(s.commands[0].key, KEY_UP);
    EXPECT_EQ(s.commands[0].count, 3u);
    EXPECT_EQ(s.commands[0].line, 3);
    EXPECT_EQ(s.commands[1].key, KEY_RIGHT);
    EXPECT_EQ(s.commands[1].count, 1u);
    EXPECT_EQ(s.commands[2].x, -5);
    EXPECT_EQ(s.commands[2].y, 300);
    EXPECT_EQ(s.commands[3].op, ScriptOp::print_state);
    EXPECT_EQ(s.commands[3].line, 6);
}

TEST(ScriptParse, AFileNameIsOneWordOrQuoted) {
    const Script s = parsed("save-window \"shots/after the click.png\"\nexpect-lcd a.txt # why\n");
    EXPECT_EQ(s.commands[0].argument, "shots/after the click.png");
    EXPECT_EQ(s.commands[1].argument, "a.txt");
}

TEST(ScriptParse, ProblemsNameTheScriptAndTheLine) {
    EXPECT_EQ(problem("key up\nfly away\n"),
              "s.txt:2: unknown command \"fly\" (see --help for the commands)");
    EXPECT_EQ(problem("press middle"),
              "s.txt:1: unknown button \"middle\": use top-left, bottom-left, bottom-right or "
              "top-right");
    EXPECT_EQ(problem("\n\nwait 5"), "s.txt:3: bad duration \"5\": write a whole number of "
                                     "milliseconds as 250ms, 2s, 1.5s, 3m or 1h, at most 8760h");
    EXPECT_NE(problem("wait 8761h").find("at most 8760h"), std::string::npos);
}

TEST(ScriptParse, MissingAndExtraArgumentsAreRefused) {
    EXPECT_NE(problem("press").find("s.txt:1: press BUTTON"), std::string::npos);
    EXPECT_NE(problem("hold top-left").find("DURATION is missing"), std::string::npos);
    EXPECT_NE(problem("wait").find("DURATION is missing"), std::string::npos);
    EXPECT_NE(problem("key").find("KEY is missing"), std::string::npos);
    EXPECT_NE(problem("key sideways").find("unknown key \"sideways\""), std::string::npos);
    EXPECT_NE(problem("key up 0").find("COUNT"), std::string::npos);
    EXPECT_NE(problem("key up lots").find("COUNT"), std::string::npos);
    EXPECT_NE(problem("release now").find("too many arguments for release"), std::string::npos);
    EXPECT_NE(problem("click top-left twice").find("too many"), std::string::npos);
    EXPECT_NE(problem("expect-screen A B").find("too many"), std::string::npos);
    EXPECT_NE(problem("expect-screen").find("NAME is missing"), std::string::npos);
    EXPECT_NE(problem("save-lcd").find("file name is missing"), std::string::npos);
}

TEST(ScriptParse, MouseCoordinatesMustBeSigned16BitNumbers) {
    EXPECT_EQ(parsed("mouse-down -32768 32767").commands[0].x, -32768);
    EXPECT_NE(problem("mouse-down 40000 1").find("-32768 to 32767"), std::string::npos);
    EXPECT_NE(problem("mouse-down 1").find("-32768 to 32767"), std::string::npos);
    EXPECT_NE(problem("mouse-down 1.5 2").find("-32768 to 32767"), std::string::npos);
}

TEST(ScriptParse, NothingIsKeptFromAScriptWithABadLine) {
    Script script;
    std::string error;
    EXPECT_FALSE(parse_script("s.txt", "key up\nkey up\nnonsense\n", script, error));
    EXPECT_EQ(error.rfind("s.txt:3:", 0), 0u);
    EXPECT_TRUE(script.commands.empty());
}

} // namespace
} // namespace ql
