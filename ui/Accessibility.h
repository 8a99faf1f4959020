#pragma once

namespace kandorex {

// Gives the program's line edits and links their own accessible interfaces (AccessibleLineEdit,
// AccessibleLink), ahead of the toolkit's. Call before the widgets are made; safe to call more
// than once.
void installAccessibility();

} // namespace kandorex
