#include "RecordingView.h"

#include "UnitTable.h"

namespace kandorex::testing {

RecordingView::RecordingView()
{
    for (const SpliceUnit &unit : kSpliceUnits)
        lists_[Box::cbbCellSel].emplace_back(unit.text);
    for (int count = 1; count <= 16; ++count) {
        lists_[Box::cbbXn].push_back(std::to_string(count));
        lists_[Box::cbbYn].push_back(std::to_string(count));
    }
    for (Box box : {Box::cbbCellSel, Box::cbbXn, Box::cbbYn, Box::edtView})
        texts_[box];
}

void RecordingView::replaceBoxText(Box box, const std::string &text)
{
    texts_[box] = text;
    replacements.push_back({box, text});
}

std::string RecordingView::boxItem(Box box, int index) const
{
    return lists_.at(box).at(static_cast<std::size_t>(index));
}

} // namespace kandorex::testing
