#include "WallCalculator.h"

#include "RecordingView.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace kandorex {
namespace {

using testing::RecordingView;
using Replacement = RecordingView::Replacement;

const std::string kStartLine = "总宽度4.06米×总高度3.05米=总面积12.39平方米";
const std::string kFirstModel = "DLP100 英寸背投拼接";

// A calculator that has been through start-up, with the record cleared.
class Calculator : public ::testing::Test {
  protected:
    void SetUp() override
    {
        calculator.FormCreate();
        view.replacements.clear();
    }

    // What the window does for a user's edit: set the text, then run the box's change handler.
    void edit(Box box, const std::string &text)
    {
        view.type(box, text);
        runHandler(view, [this, box] {
            switch (box) {
            case Box::cbbXn:
                calculator.cbbXnChange();
                break;
            case Box::cbbYn:
                calculator.cbbYnChange();
                break;
            case Box::cbbCellSel:
                calculator.cbbCellSelChange();
                break;
            case Box::edtView:
                break;
            }
        });
    }

    RecordingView view;
    WallCalculator calculator{view};
};

TEST(WallCalculatorStart, FormCreateSetsTheStartStateAndTheFirstLine)
{
    RecordingView view;
    WallCalculator calculator(view);
    calculator.FormCreate();

    const std::vector<Replacement> expected{{Box::cbbCellSel, kFirstModel},
                                            {Box::cbbXn, "2"},
                                            {Box::cbbYn, "2"},
                                            {Box::edtView, kStartLine}};
    EXPECT_EQ(view.replacements, expected);
    EXPECT_EQ(view.beeps, 0);
    EXPECT_TRUE(view.reports.empty());
    EXPECT_EQ(calculator.figures().CellWidth, 2.032f);
    EXPECT_EQ(calculator.figures().WallArea, 4.064f * 3.048f);
}

TEST(WallCalculatorStart, SeparatorIsPassedIn)
{
    RecordingView view;
    WallCalculator calculator(view, ",");
    calculator.FormCreate();
    EXPECT_EQ(view.boxText(Box::edtView), "总宽度4,06米×总高度3,05米=总面积12,39平方米");
}

struct CountCase {
    std::string typed;
    std::string kept; // the box's text after the count check
    std::string line;
};

void PrintTo(const CountCase &c, std::ostream *out)
{
    *out << '"' << c.typed << '"';
}

class CountCheck : public Calculator, public ::testing::WithParamInterface<CountCase> {};

TEST_P(CountCheck, AcrossBoxKeepsOrResetsTheCount)
{
    const CountCase &c = GetParam();
    edit(Box::cbbXn, c.typed);
    EXPECT_EQ(view.boxText(Box::cbbXn), c.kept);
    EXPECT_EQ(view.boxText(Box::edtView), c.line);
    EXPECT_TRUE(view.reports.empty());
}

TEST_P(CountCheck, DownBoxBehavesTheSame)
{
    const CountCase &c = GetParam();
    edit(Box::cbbXn, "1");
    edit(Box::cbbYn, c.typed);
    EXPECT_EQ(view.boxText(Box::cbbYn), c.kept);
    EXPECT_TRUE(view.reports.empty());
}

INSTANTIATE_TEST_SUITE_P(
    WallCalculator, CountCheck,
    ::testing::Values(CountCase{"0", "2", kStartLine},   // below range: back to "2", not to 1
                      CountCase{"17", "2", kStartLine},  // above range: back to "2", not to 16
                      CountCase{"", "2", kStartLine},    // an emptied box
                      CountCase{"-1", "2", kStartLine},  //
                      CountCase{"x11", "2", kStartLine}, // 17 in hex
                      CountCase{"$FFFFFFFF", "2", kStartLine}, // -1 in two's complement
                      CountCase{"2147483647", "2", kStartLine},
                      CountCase{"1", "1", "总宽度2.03米×总高度3.05米=总面积6.19平方米"},
                      CountCase{"16", "16", "总宽度32.51米×总高度3.05米=总面积99.1平方米"},
                      CountCase{"007", "007", "总宽度14.22米×总高度3.05米=总面积43.35平方米"},
                      CountCase{" 5", " 5", "总宽度10.16米×总高度3.05米=总面积30.97平方米"},
                      CountCase{"$10", "$10", "总宽度32.51米×总高度3.05米=总面积99.1平方米"}));

TEST_F(Calculator, ResetReplacesOnlyTheBoxAndTheLine)
{
    edit(Box::cbbYn, "0");
    const std::vector<Replacement> expected{{Box::cbbYn, "2"}, {Box::edtView, kStartLine}};
    EXPECT_EQ(view.replacements, expected);
}

TEST_F(Calculator, PastedLettersAreReportedAndChangeNothing)
{
    edit(Box::cbbXn, "3");
    const std::string lineBefore = view.boxText(Box::edtView);
    view.replacements.clear();

    edit(Box::cbbXn, "abc");
    ASSERT_EQ(view.reports.size(), 1u);
    EXPECT_EQ(view.reports[0], "'abc' is not a valid integer value");
    EXPECT_EQ(view.boxText(Box::cbbXn), "abc");
    EXPECT_EQ(view.boxText(Box::edtView), lineBefore);
    EXPECT_TRUE(view.replacements.empty());
}

TEST_F(Calculator, ABadCountFailsEveryLaterChangeUntilMended)
{
    edit(Box::cbbXn, "abc");
    edit(Box::cbbCellSel, "LCD 42 英寸超薄拼接");
    edit(Box::cbbYn, "3");
    ASSERT_EQ(view.reports.size(), 3u);
    for (const std::string &report : view.reports)
        EXPECT_EQ(report, "'abc' is not a valid integer value");
    EXPECT_EQ(view.boxText(Box::edtView), kStartLine);
    // The model's size was taken before the count failed.
    EXPECT_EQ(calculator.figures().CellWidth, 0.9412f);

    edit(Box::cbbXn, "2");
    EXPECT_EQ(view.reports.size(), 3u);
    EXPECT_EQ(view.boxText(Box::edtView), "总宽度1.88米×总高度1.62米=总面积3.05平方米");
}

TEST_F(Calculator, OutOfRangeDecimalIsAConversionError)
{
    edit(Box::cbbYn, "2147483648");
    ASSERT_EQ(view.reports.size(), 1u);
    EXPECT_EQ(view.reports[0], "'2147483648' is not a valid integer value");
    EXPECT_EQ(view.boxText(Box::cbbYn), "2147483648");
}

TEST_F(Calculator, PickingAModelRecomputes)
{
    edit(Box::cbbCellSel, "LCD 42 英寸超薄拼接");
    EXPECT_EQ(view.boxText(Box::edtView), "总宽度1.88米×总高度1.08米=总面积2.03平方米");
    EXPECT_TRUE(view.replacements.size() == 1 && view.replacements[0].box == Box::edtView);
}

TEST_F(Calculator, UnknownModelFallsBackToTheFirstRow)
{
    edit(Box::cbbCellSel, "LCD 42 英寸超薄拼接");
    view.replacements.clear();
    edit(Box::cbbCellSel, "LCD 42");
    const std::vector<Replacement> expected{{Box::cbbCellSel, kFirstModel},
                                            {Box::edtView, kStartLine}};
    EXPECT_EQ(view.replacements, expected);
}

TEST_F(Calculator, UnknownModelResetStaysWhenACountFails)
{
    edit(Box::cbbXn, "abc");
    edit(Box::cbbCellSel, "nonsense");
    EXPECT_EQ(view.boxText(Box::cbbCellSel), kFirstModel);
    EXPECT_EQ(view.boxText(Box::edtView), kStartLine);
    EXPECT_EQ(view.reports.size(), 2u);
}

TEST_F(Calculator, HostileTextsEndInAResultOrTheError)
{
    const std::string megabyte(1 << 20, '7');
    const std::string hostile = std::string("%s%d\0\x01\xff\xc3(", 10);

    edit(Box::cbbCellSel, megabyte + "\xff\xfe");
    EXPECT_EQ(view.boxText(Box::cbbCellSel), kFirstModel);
    EXPECT_TRUE(view.reports.empty());

    edit(Box::cbbXn, megabyte);
    edit(Box::cbbYn, hostile);
    ASSERT_EQ(view.reports.size(), 2u);
    EXPECT_EQ(view.reports[0], "'" + megabyte + "' is not a valid integer value");
    EXPECT_EQ(view.reports[1], "'" + hostile + "' is not a valid integer value");
    EXPECT_EQ(view.boxText(Box::edtView), kStartLine);
}

TEST(WallCalculatorLine, AnyThirtyTwoBitCountGivesAResult)
{
    RecordingView view;
    WallCalculator calculator(view);
    calculator.FormCreate();
    // The count check never lets these through, but CalcWall itself must stay defined for them.
    view.type(Box::cbbXn, "2147483647");
    view.type(Box::cbbYn, "-2147483648");
    calculator.CalcWall();
    EXPECT_EQ(view.boxText(Box::edtView).rfind("总宽度4363686", 0), 0u)
        << view.boxText(Box::edtView);
    EXPECT_TRUE(view.reports.empty());
}

struct KeyCase {
    char32_t key;
    bool passes;
};

void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << "U+" << std::hex << std::uint32_t(c.key);
}

class DigitFilter : public Calculator, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DigitFilter, PassesDigitsAndBeepsForEverythingElse)
{
    for (bool across : {true, false}) {
        char32_t key = GetParam().key;
        const int beepsBefore = view.beeps;
        if (across)
            calculator.cbbXnKeyPress(key);
        else
            calculator.cbbYnKeyPress(key);
        EXPECT_EQ(key, GetParam().passes ? GetParam().key : U'\0');
        EXPECT_EQ(view.beeps - beepsBefore, GetParam().passes ? 0 : 1);
    }
    EXPECT_TRUE(view.replacements.empty());
}

INSTANTIATE_TEST_SUITE_P(WallCalculator, DigitFilter,
                         ::testing::Values(KeyCase{U'0', true}, KeyCase{U'5', true},
                                           KeyCase{U'9', true}, KeyCase{U'/', false},
                                           KeyCase{U':', false}, KeyCase{8, false},  // Backspace
                                           KeyCase{13, false}, KeyCase{27, false},   // Enter, Esc
                                           KeyCase{3, false}, KeyCase{22, false},    // Ctrl+C, V
                                           KeyCase{24, false}, KeyCase{U' ', false}, // Ctrl+X
                                           KeyCase{U'a', false}, KeyCase{U'$', false},
                                           KeyCase{U'１', false}, KeyCase{U'五', false},
                                           KeyCase{0x7F, false}, KeyCase{0, false}));

} // namespace
} // namespace kandorex
