#include "UnitTable.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>

namespace kandorex {
namespace {

// Byte length in the GBK code page: ASCII takes one byte, every Chinese character two.
std::size_t gbkLength(std::string_view utf8)
{
    std::size_t length = 0;
    for (unsigned char byte : utf8) {
        if (byte < 0x80)
            length += 1;
        else if (byte >= 0xC0) // a lead byte starts one non-ASCII character
            length += 2;
    }
    return length;
}

// The maker's catalogue, written out again here with its sizes as the decimal figures it prints,
// so that a swapped row, a changed digit or a changed letter in the program's table shows.
struct CatalogueRow {
    const char *text;
    const char *width;
    const char *height;
};
constexpr CatalogueRow kCatalogue[] = {
    {"DLP100 英寸背投拼接", "2.032", "1.524"},   {"DLP 86 英寸背投拼接", "1.747", "1.311"},
    {"DLP 60 英寸背投拼接", "1.2192", "0.9144"}, {"DLD 56 英寸背投拼接", "1.12", "0.893"},
    {"DLD 50 英寸背投拼接", "1.016", "0.762"},   {"CRT 56 英寸背投拼接", "1.12", "0.893"},
    {"CRT 45 英寸背投拼接", "0.91", "0.693"},    {"PDP 50 英寸超薄拼接", "1.1382", "0.6605"},
    {"PDP 42 英寸超薄拼接", "0.9612", "0.5594"}, {"LCD 42 英寸超薄拼接", "0.9412", "0.5394"},
    {"LCD 30 英寸超薄拼接", "0.6632", "0.405"},  {"LCD 19 英寸超薄拼接", "0.386", "0.31"},
    {"CRT 29 英寸长寿拼接", "0.62", "0.49"},
};

TEST(UnitTable, EveryRowMatchesTheCatalogueInOrder)
{
    ASSERT_EQ(kSpliceUnits.size(), std::size(kCatalogue));
    for (std::size_t row = 0; row < kSpliceUnits.size(); ++row) {
        const CatalogueRow &expected = kCatalogue[row];
        SCOPED_TRACE("row " + std::to_string(row + 1) + ": " + expected.text);
        EXPECT_EQ(kSpliceUnits[row].text, expected.text);
        // strtof gives the single-precision value nearest to the printed figure.
        EXPECT_EQ(kSpliceUnits[row].width, std::strtof(expected.width, nullptr));
        EXPECT_EQ(kSpliceUnits[row].height, std::strtof(expected.height, nullptr));
    }
}

TEST(UnitTable, EveryTextIsNineteenGbkBytesAndUnique)
{
    std::set<std::string_view> seen;
    for (const SpliceUnit &unit : kSpliceUnits) {
        EXPECT_EQ(gbkLength(unit.text), 19u) << unit.text;
        EXPECT_TRUE(seen.insert(unit.text).second) << "duplicate " << unit.text;
    }
}

TEST(UnitTable, KindsFollowTheRowOrder)
{
    for (std::size_t row = 0; row < kSpliceUnits.size(); ++row) {
        const std::string_view text = kSpliceUnits[row].text;
        const char *kind = row < 7 ? " 英寸背投拼接" : row < 12 ? " 英寸超薄拼接" : " 英寸长寿拼接";
        EXPECT_NE(text.find(kind), std::string_view::npos) << "row " << row + 1 << ": " << text;
    }
    EXPECT_EQ(kSpliceUnits.front().text, "DLP100 英寸背投拼接");
}

TEST(UnitTable, LookupGivesTheSinglePrecisionSizes)
{
    const SpliceUnit *lcd42 = findSpliceUnit("LCD 42 英寸超薄拼接");
    ASSERT_NE(lcd42, nullptr);
    EXPECT_EQ(static_cast<double>(lcd42->width), 0.94120001792907715);
    EXPECT_EQ(static_cast<double>(lcd42->height), 0.53939998149871826);
}

TEST(UnitTable, EveryRowIsFoundByItsOwnText)
{
    for (const SpliceUnit &unit : kSpliceUnits)
        EXPECT_EQ(findSpliceUnit(unit.text), &unit) << unit.text;
}

TEST(UnitTable, SameSizedModelsStayDistinctRows)
{
    const SpliceUnit *dld56 = findSpliceUnit("DLD 56 英寸背投拼接");
    const SpliceUnit *crt56 = findSpliceUnit("CRT 56 英寸背投拼接");
    ASSERT_NE(dld56, nullptr);
    ASSERT_NE(crt56, nullptr);
    EXPECT_NE(dld56, crt56);
    EXPECT_EQ(dld56->width, 1.12f);
    EXPECT_EQ(dld56->height, 0.893f);
    EXPECT_EQ(crt56->width, dld56->width);
    EXPECT_EQ(crt56->height, dld56->height);
}

class UnitLookupMiss : public ::testing::TestWithParam<std::string> {};

TEST_P(UnitLookupMiss, NearMissesNameNoRow)
{
    EXPECT_EQ(findSpliceUnit(GetParam()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(UnitTable, UnitLookupMiss,
                         ::testing::Values("DLP 100 英寸背投拼接", // blank inserted
                                           "dlp100 英寸背投拼接",  // letter case counts
                                           "DLP100 英寸背投拼接 ", // trailing blank
                                           " DLP100 英寸背投拼接", // leading blank
                                           "DLP100",               // cut short after the diagonal
                                           "DLP100 英寸背投",      // cut short in the kind
                                           "",                     //
                                           std::string("DLP100 英寸背投拼接\0", 26)));

} // namespace
} // namespace kandorex
