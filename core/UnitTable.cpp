#include "UnitTable.h"

#include <algorithm>

namespace kandorex {

// The sizes are float literals on purpose: every calculation starts from the single-precision
// value nearest to the catalogue figure, and that rounding shows in the printed totals.
const std::array<SpliceUnit, 13> kSpliceUnits{{
    {"DLP100 英寸背投拼接", 2.032f, 1.524f},
    {"DLP 86 英寸背投拼接", 1.747f, 1.311f},
    {"DLP 60 英寸背投拼接", 1.2192f, 0.9144f},
    {"DLD 56 英寸背投拼接", 1.12f, 0.893f},
    {"DLD 50 英寸背投拼接", 1.016f, 0.762f},
    {"CRT 56 英寸背投拼接", 1.12f, 0.893f},
    {"CRT 45 英寸背投拼接", 0.91f, 0.693f},
    {"PDP 50 英寸超薄拼接", 1.1382f, 0.6605f},
    {"PDP 42 英寸超薄拼接", 0.9612f, 0.5594f},
    {"LCD 42 英寸超薄拼接", 0.9412f, 0.5394f},
    {"LCD 30 英寸超薄拼接", 0.6632f, 0.405f},
    {"LCD 19 英寸超薄拼接", 0.386f, 0.31f},
    {"CRT 29 英寸长寿拼接", 0.62f, 0.49f},
}};

const SpliceUnit *findSpliceUnit(std::string_view text)
{
    const auto row = std::find_if(kSpliceUnits.begin(), kSpliceUnits.end(),
                                  [text](const SpliceUnit &unit) { return unit.text == text; });
    return row == kSpliceUnits.end() ? nullptr : &*row;
}

} // namespace kandorex
