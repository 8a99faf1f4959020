#include "WallSize.h"

#include "UnitTable.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>

namespace kandorex {
namespace {

std::string lineFor(std::string_view model, int across, int down, std::string_view separator = ".")
{
    const SpliceUnit *unit = findSpliceUnit(model);
    EXPECT_NE(unit, nullptr) << model;
    const float width = totalLength(across, unit->width);
    const float height = totalLength(down, unit->height);
    return resultLine(width, height, totalArea(width, height), separator);
}

struct LineCase {
    const char *model;
    int across;
    int down;
    const char *line;
};

void PrintTo(const LineCase &c, std::ostream *out)
{
    *out << c.model << ' ' << c.across << " × " << c.down;
}

class ResultLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ResultLine, PrintsTheStoredTotals)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(lineFor(c.model, c.across, c.down), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    WallSize, ResultLine,
    ::testing::Values(
        // the start-up wall
        LineCase{"DLP100 英寸背投拼接", 2, 2, "总宽度4.06米×总高度3.05米=总面积12.39平方米"},
        // trailing zeros go: 3.0967 rounds to 3.10 and prints 3.1
        LineCase{"DLP100 英寸背投拼接", 1, 1, "总宽度2.03米×总高度1.52米=总面积3.1平方米"},
        // the area multiplies the stored 6.096 × 7.62, not the printed 6.1 × 7.62
        LineCase{"DLP100 英寸背投拼接", 3, 5, "总宽度6.1米×总高度7.62米=总面积46.45平方米"},
        // 4.00064 prints as a whole number, with no separator
        LineCase{"DLD 56 英寸背投拼接", 2, 2, "总宽度2.24米×总高度1.79米=总面积4平方米"},
        // single precision stores 8.7349996…, which rounds down; decimal figures would give 8.74
        LineCase{"DLP 86 英寸背投拼接", 5, 1, "总宽度8.73米×总高度1.31米=总面积11.45平方米"},
        LineCase{"DLP 86 英寸背投拼接", 1, 5, "总宽度1.75米×总高度6.55米=总面积11.45平方米"},
        // values below one keep their leading zero
        LineCase{"LCD 19 英寸超薄拼接", 1, 1, "总宽度0.39米×总高度0.31米=总面积0.12平方米"},
        LineCase{"LCD 42 英寸超薄拼接", 2, 2, "总宽度1.88米×总高度1.08米=总面积2.03平方米"},
        LineCase{"LCD 30 英寸超薄拼接", 2, 2, "总宽度1.33米×总高度0.81米=总面积1.07平方米"},
        // the largest wall the window admits
        LineCase{"DLP100 英寸背投拼接", 16, 16, "总宽度32.51米×总高度24.38米=总面积792.77平方米"}));

TEST(WallSize, TotalsAreRoundedOnceToSinglePrecision)
{
    const SpliceUnit *dlp86 = findSpliceUnit("DLP 86 英寸背投拼接");
    ASSERT_NE(dlp86, nullptr);
    EXPECT_EQ(static_cast<double>(totalLength(5, dlp86->width)), 8.7349996566772461);
    EXPECT_EQ(static_cast<double>(totalLength(5, dlp86->height)), 6.5549998283386230);
}

// The long double product of a 32-bit integer and a float is exact on x86-64 (64-bit mantissa),
// so one cast to float is the single rounding to compare with, even where double would round twice.
TEST(WallSize, TotalLengthIsExactForEveryThirtyTwoBitCount)
{
    if (std::numeric_limits<long double>::digits < 56)
        GTEST_SKIP() << "long double has no 56-bit mantissa here; the reference would round twice";
    for (std::int32_t count : {1, 16, 536870913, 1073741825, 2147483647, -2147483647 - 1, -7, 0}) {
        for (const SpliceUnit &unit : kSpliceUnits) {
            const float expected = static_cast<float>(static_cast<long double>(count) * unit.width);
            EXPECT_EQ(totalLength(count, unit.width), expected) << count << " × " << unit.text;
        }
    }
}

// The cents of a float by exact integer arithmetic: value = mantissa × 2^exponent, rounded half up.
std::int64_t exactCents(float value)
{
    int exponent = 0;
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(std::frexp(value, &exponent), 24));
    exponent -= 24;
    if (exponent >= 0)
        return mantissa * 100 * (std::int64_t{1} << exponent);
    const std::int64_t denominator = std::int64_t{1} << -exponent;
    return (mantissa * 200 + denominator) / (2 * denominator);
}

std::string centsText(std::int64_t cents)
{
    std::string text = std::to_string(cents / 100);
    const int rest = static_cast<int>(cents % 100);
    if (rest != 0) {
        text += '.';
        text += static_cast<char>('0' + rest / 10);
        if (rest % 10 != 0)
            text += static_cast<char>('0' + rest % 10);
    }
    return text;
}

TEST(WallSize, EveryModelAndCountMatchesAnExactDecimalReference)
{
    for (const SpliceUnit &unit : kSpliceUnits) {
        for (int across = 1; across <= 16; ++across) {
            for (int down = 1; down <= 16; ++down) {
                const float width = static_cast<float>(static_cast<double>(unit.width) * across);
                const float height = static_cast<float>(static_cast<double>(unit.height) * down);
                const float area = static_cast<float>(static_cast<long double>(width) * height);
                const std::string expected = "总宽度" + centsText(exactCents(width)) + "米×总高度" +
                                             centsText(exactCents(height)) + "米=总面积" +
                                             centsText(exactCents(area)) + "平方米";
                EXPECT_EQ(lineFor(unit.text, across, down), expected)
                    << unit.text << ' ' << across << " × " << down;
            }
        }
    }
}

// Compilers without an 80-bit long double evaluate the rounding in double: same figures.
TEST(WallSize, DoubleRoundingAgreesWithExtendedForEveryWindowInput)
{
    for (const SpliceUnit &unit : kSpliceUnits) {
        for (int across = 1; across <= 16; ++across) {
            for (int down = 1; down <= 16; ++down) {
                const float width = totalLength(across, unit.width);
                const float height = totalLength(down, unit.height);
                for (float value : {width, height, totalArea(width, height)}) {
                    EXPECT_EQ(roundToCentsIn<double>(value), roundToCentsIn<long double>(value))
                        << unit.text << ' ' << across << " × " << down << ": " << value;
                }
            }
        }
    }
}

TEST(WallSize, RoundingTruncatesTowardZeroAfterAddingAHalf)
{
    // A negative count is refused by the window, yet the arithmetic must stay defined for it.
    EXPECT_EQ(formatGeneral(roundToCents(-6.096f), "."), "-6.09");
    EXPECT_EQ(formatGeneral(roundToCents(0.0f), "."), "0");
    // Beyond 64-bit cents the value is already whole and passes through.
    EXPECT_EQ(roundToCents(1e19f), static_cast<double>(1e19f));
}

TEST(WallSize, DecimalSeparatorIsTheUsers)
{
    EXPECT_EQ(lineFor("DLP100 英寸背投拼接", 2, 2, ","),
              "总宽度4,06米×总高度3,05米=总面积12,39平方米");
    // Some locales use a separator that takes more than one byte.
    EXPECT_EQ(lineFor("LCD 19 英寸超薄拼接", 1, 1, "٫"),
              "总宽度0٫39米×总高度0٫31米=总面积0٫12平方米");
    EXPECT_EQ(lineFor("DLD 56 英寸背投拼接", 2, 2, ","), "总宽度2,24米×总高度1,79米=总面积4平方米");
}

TEST(WallSize, GeneralFormatDropsTrailingZerosOnly)
{
    EXPECT_EQ(formatGeneral(3.1, "."), "3.1");
    EXPECT_EQ(formatGeneral(4.0, "."), "4");
    EXPECT_EQ(formatGeneral(0.39, "."), "0.39");
    EXPECT_EQ(formatGeneral(792.77, "."), "792.77");
    EXPECT_EQ(formatGeneral(100.0, "."), "100");
    EXPECT_EQ(formatGeneral(406 * 0.01, "."), "4.06"); // 4.0600000000000005 in double
}

} // namespace
} // namespace kandorex
