#pragma once

#include <array>
#include <string_view>

namespace kandorex {

// One model of splicing display unit: its display text and the outer size of one unit.
struct SpliceUnit {
    std::string_view text; // UTF-8
    float width;           // metres, across
    float height;          // metres, down
};

// The fixed model table. Its order is the order of the model list, and the first row is both the
// start-up model and the fall-back for a model text that names no row.
extern const std::array<SpliceUnit, 13> kSpliceUnits;

// The row whose text equals `text` exactly (no trimming, no case folding), or nullptr.
const SpliceUnit *findSpliceUnit(std::string_view text);

} // namespace kandorex
