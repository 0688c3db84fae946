#include "device/device.hpp"
#include "device/graphics/number_format.hpp"
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace ql {
namespace {

TEST(ScaleDistance, ChoosesDecimalsByMagnitudeAndMode) {
    struct Case {
        std::int32_t in;
        std::uint8_t mode;
        std::int32_t out;
        std::uint8_t decimals;
    };
    const Case cases[] = {
        {123456, 0, 12345, 2},  {1234567, 0, 12345, 1}, {-12345, 0, -1234, 2},
        {99999, 0, 99999, 3},   {99999, 2, 9999, 2},    {123, 1, 1, 1},
        {-100000, 3, -1000, 1}, {-9999, 3, -9999, 3},   {1000000, 3, 10000, 1},
    };
    for (const Case& c : cases) {
        std::int32_t v = c.in;
        EXPECT_EQ(scale_distance(v, c.mode), c.decimals) << c.in << " mode " << int(c.mode);
        EXPECT_EQ(v, c.out) << c.in << " mode " << int(c.mode);
    }
}

class FormatTest : public ::testing::Test {
  protected:
    Device dev;
    std::string fmt(std::int32_t v, std::uint8_t i, std::uint8_t d, FormatFlags f) {
        return format_decimal(dev, v, i, d, f);
    }
};

TEST_F(FormatTest, RightAlignsInAFixedField) {
    EXPECT_EQ(fmt(1234, 3, 2, FMT_NONE), " 12.34");
    EXPECT_EQ(fmt(-5, 3, 1, FMT_MINUS), " -0.5");
    EXPECT_EQ(fmt(7, 3, 0, FMT_ZERO_PAD), "007");
    EXPECT_EQ(fmt(0, 2, 0, FMT_PLUS), "+0");
    EXPECT_EQ(fmt(88, 4, 0, FMT_PLUS), " +88");
    EXPECT_EQ(fmt(0, 4, 1, FMT_PLUS), "  +0.0");
    EXPECT_EQ(fmt(5, 2, 3, FMT_MINUS), " 0.005");
    EXPECT_EQ(fmt(-250, 2, 3, FMT_MINUS), "-0.250");
    EXPECT_EQ(fmt(70309, 2, 4, FMT_ZERO_PAD), "07.0309");
}

TEST_F(FormatTest, SignsFollowTheValueNotTheFlags) {
    EXPECT_EQ(fmt(-5, 3, 0, FMT_PLUS), "  5") << "a negative value never gets a plus";
    EXPECT_EQ(fmt(5, 3, 0, FMT_MINUS), "  5");
    EXPECT_EQ(fmt(5, 3, 0, FMT_PLUS | FMT_MINUS), " +5");
    EXPECT_EQ(fmt(-5, 3, 0, FMT_PLUS | FMT_MINUS), " -5");
}

TEST_F(FormatTest, DigitsThatDoNotFitAreDroppedWithTheSign) {
    EXPECT_EQ(fmt(-123, 3, 0, FMT_MINUS), "123");
    EXPECT_EQ(fmt(12345, 3, 0, FMT_PLUS), "345");
    EXPECT_EQ(fmt(1234, 0, 2, FMT_NONE), ".34");
}

TEST_F(FormatTest, NoPadReturnsFromTheFirstWrittenCharacter) {
    EXPECT_EQ(fmt(2, 3, 0, FMT_NO_PAD), "2");
    EXPECT_EQ(fmt(-42, 5, 1, FMT_NO_PAD | FMT_MINUS), "-4.2");
}

TEST_F(FormatTest, TheMostNegativeValueIsFormattedByItsMagnitude) {
    constexpr std::int32_t MIN = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(fmt(MIN, 11, 0, FMT_MINUS), "-2147483648");
    EXPECT_EQ(fmt(MIN, 10, 0, FMT_MINUS), "2147483648");
    EXPECT_EQ(fmt(MIN, 4, 2, FMT_MINUS), "4836.48");
}

TEST_F(FormatTest, AFieldWiderThanTheScratchBufferIsCutToFit) {
    const std::string s = fmt(1, 200, 0, FMT_NONE);
    EXPECT_EQ(s.size(), TEXT_SCRATCH_SIZE - 1);
    EXPECT_EQ(s.back(), '1');
}

TEST_F(FormatTest, ThreeDigitsAndHex) {
    EXPECT_EQ(std::string(format_3_digits(dev, 7)), "007");
    EXPECT_EQ(std::string(format_3_digits(dev, 255)), "255");
    EXPECT_EQ(std::string(format_hex4(dev, 156)), "0x009C");
    EXPECT_EQ(std::string(format_hex4(dev, 0xBEEF)), "0xBEEF");
}

TEST(FillBlanks, WritesBlanksAndATerminator) {
    char buf[8] = "xxxxxxx";
    fill_blanks(buf, 6);
    EXPECT_STREQ(buf, "      ");
    fill_blanks(buf, 0);
    EXPECT_STREQ(buf, "");
}

TEST(ParseDecimal, SignAndDigits) {
    std::int32_t out = 99;
    EXPECT_EQ(parse_decimal("-0150", out), -150);
    EXPECT_EQ(out, -150);
    EXPECT_EQ(parse_decimal("", out), 0);
    EXPECT_EQ(parse_decimal("+42", out), 42);
    EXPECT_EQ(parse_decimal("0125", out), 125);
    EXPECT_EQ(parse_decimal("-2147483648", out), std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace ql
