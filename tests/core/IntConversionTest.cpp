#include "IntConversion.h"

#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>

namespace kandorex {
namespace {

struct Accepted {
    std::string text;
    std::int32_t value;
};

void PrintTo(const Accepted &c, std::ostream *out)
{
    *out << '"' << c.text << '"';
}

class IntConversionAccepts : public ::testing::TestWithParam<Accepted> {};

TEST_P(IntConversionAccepts, ReadsTheValue)
{
    EXPECT_EQ(strToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    IntConversion, IntConversionAccepts,
    ::testing::Values(Accepted{"2", 2}, Accepted{"16", 16}, Accepted{"007", 7}, Accepted{"0", 0},
                      Accepted{" 5", 5}, Accepted{"   +5", 5}, Accepted{"-3", -3},
                      Accepted{"+0", 0}, Accepted{"-0", 0},
                      Accepted{"000000000000000000000000000012", 12},
                      Accepted{"2147483647", 2147483647},
                      Accepted{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                      // every hexadecimal prefix, letters in either case
                      Accepted{"$10", 16}, Accepted{"x11", 17}, Accepted{"X11", 17},
                      Accepted{"0x1f", 31}, Accepted{"0XaB", 171}, Accepted{"$00000000000f", 15},
                      // all 32 bits, taken as two's complement, negated after a minus sign
                      Accepted{"$FFFFFFFF", -1}, Accepted{"$7FFFFFFF", 2147483647},
                      Accepted{"$80000000", std::numeric_limits<std::int32_t>::min()},
                      Accepted{"-$80000000", std::numeric_limits<std::int32_t>::min()},
                      Accepted{"-$FFFFFFFF", 1}, Accepted{"-x10", -16}, Accepted{" -0x2", -2}));

class IntConversionRefuses : public ::testing::TestWithParam<std::string> {};

TEST_P(IntConversionRefuses, RaisesTheConversionError)
{
    try {
        strToInt(GetParam());
        FAIL() << "accepted '" << GetParam() << "'";
    } catch (const ConvertError &error) {
        EXPECT_EQ(error.text(), GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(IntConversion, IntConversionRefuses,
                         ::testing::Values("", " ", "abc", "+", "-", "+-1", "--1", "5 ", "1 2",
                                           " 5\t", "\t5", "1.5", "1e3", "0x", "$", "x", "0X", "$-1",
                                           "-$-1", "0x0x1", "$G", "0b101", "12a", "٣", "１",
                                           "2147483648", "-2147483649", "99999999999999999999",
                                           "$100000000", "0x1FFFFFFFF", "-$100000000",
                                           std::string("1\0", 2),
                                           std::string("\0"
                                                       "1",
                                                       2)));

TEST(IntConversion, MessageQuotesTheTextVerbatim)
{
    const std::string hostile = std::string("%s%n\0\xff\xfe '\r\n", 11);
    try {
        strToInt(hostile);
        FAIL();
    } catch (const ConvertError &error) {
        EXPECT_EQ(error.message(), "'" + hostile + "' is not a valid integer value");
    }
    try {
        strToInt("abc");
        FAIL();
    } catch (const ConvertError &error) {
        EXPECT_EQ(error.message(), "'abc' is not a valid integer value");
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
}

TEST(IntConversion, MegabyteTextsEndInAValueOrTheError)
{
    const std::string zeros(1 << 20, '0');
    EXPECT_EQ(strToInt(zeros + "9"), 9);
    EXPECT_EQ(strToInt(std::string(1 << 20, ' ') + "$" + zeros + "A"), 10);

    const std::string nines(1 << 20, '9');
    try {
        strToInt(nines);
        FAIL();
    } catch (const ConvertError &error) {
        EXPECT_EQ(error.message(), "'" + nines + "' is not a valid integer value");
    }
}

// Every boundary of both ranges, written in decimal and in each hex form, converts back.
TEST(IntConversion, RangeEdgesRoundTripInEveryForm)
{
    for (std::int64_t value :
         {0ll, 1ll, 16ll, 17ll, 2147483646ll, 2147483647ll, -1ll, -2147483647ll, -2147483648ll}) {
        EXPECT_EQ(strToInt(std::to_string(value)), value);
        const auto bits = static_cast<std::uint32_t>(value);
        char hex[16];
        std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(bits));
        for (const char *prefix : {"$", "x", "X", "0x", "0X"})
            EXPECT_EQ(strToInt(std::string(prefix) + hex), value) << prefix << hex;
    }
}

} // namespace
} // namespace kandorex
