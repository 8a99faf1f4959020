#pragma once

namespace kandorex {

// The window's layout asks for the fonts of the desktop it was drawn on. Where those are missing,
// these substitutes keep every Chinese character in a CJK font: a Kai face for the result box, a
// sans face elsewhere. Safe to call more than once.
void installFontFallbacks();

} // namespace kandorex
