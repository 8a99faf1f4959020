#pragma once

#include <QString>

class QKeyEvent;

namespace kandorex {

// The characters a key press types, as the count boxes' digit filter must see them: every key
// that types a character on the desktop the calculator was made for, Backspace, Enter, Escape and
// Ctrl+letter included, but not Delete, Tab or the navigation keys, which type nothing there.
// Keys that type text in Qt's line edit (Alt+letter) count as typed, so nothing bypasses the
// filter. Empty when the key types nothing.
QString typedCharacters(const QKeyEvent &event);

} // namespace kandorex
