#include "WallCalculator.h"

#include "IntConversion.h"
#include "UnitTable.h"
#include "WallSize.h"

namespace kandorex {
namespace {

// Entry 1 of a count list is "2": the start-up count and the replacement for any refused count.
constexpr int kDefaultCountItem = 1;
constexpr int kMaxCount = 16;

} // namespace

WallCalculator::WallCalculator(CalculatorView &view, std::string decimalSeparator)
    : view_(view), decimalSeparator_(std::move(decimalSeparator))
{
}

void WallCalculator::FormCreate()
{
    view_.replaceBoxText(Box::cbbCellSel, view_.boxItem(Box::cbbCellSel, 0));
    view_.replaceBoxText(Box::cbbXn, view_.boxItem(Box::cbbXn, kDefaultCountItem));
    view_.replaceBoxText(Box::cbbYn, view_.boxItem(Box::cbbYn, kDefaultCountItem));
    cbbYnChange();
}

void WallCalculator::cbbXnChange()
{
    checkCount(Box::cbbXn);
}

void WallCalculator::cbbYnChange()
{
    checkCount(Box::cbbYn);
}

void WallCalculator::cbbCellSelChange()
{
    CalcWall();
}

void WallCalculator::cbbXnKeyPress(char32_t &key)
{
    filterDigit(key);
}

void WallCalculator::cbbYnKeyPress(char32_t &key)
{
    filterDigit(key);
}

void WallCalculator::checkCount(Box box)
{
    if (view_.boxText(box).empty())
        view_.replaceBoxText(box, view_.boxItem(box, kDefaultCountItem));

    // A refused count goes back to "2", never to the nearer bound; an accepted text stays exactly
    // as typed, leading zeros and hex prefixes included.
    const std::int32_t count = strToInt(view_.boxText(box));
    if (count > kMaxCount || count < 1)
        view_.replaceBoxText(box, view_.boxItem(box, kDefaultCountItem));

    CalcWall();
}

void WallCalculator::filterDigit(char32_t &key)
{
    if (key >= U'0' && key <= U'9')
        return;
    key = 0;
    view_.messageBeep();
}

void WallCalculator::CalcWall()
{
    const std::string model = view_.boxText(Box::cbbCellSel);
    const SpliceUnit *unit = findSpliceUnit(model);
    if (unit == nullptr) {
        unit = &kSpliceUnits.front();
        view_.replaceBoxText(Box::cbbCellSel, view_.boxItem(Box::cbbCellSel, 0));
    }
    figures_.CellWidth = unit->width;
    figures_.CellHeight = unit->height;

    // A bad count stops here: the model's size stays set and the old result line stays shown.
    figures_.WallWidth = totalLength(strToInt(view_.boxText(Box::cbbXn)), figures_.CellWidth);
    figures_.WallHeight = totalLength(strToInt(view_.boxText(Box::cbbYn)), figures_.CellHeight);
    figures_.WallArea = totalArea(figures_.WallWidth, figures_.WallHeight);

    view_.replaceBoxText(Box::edtView, resultLine(figures_.WallWidth, figures_.WallHeight,
                                                  figures_.WallArea, decimalSeparator_));
}

} // namespace kandorex
