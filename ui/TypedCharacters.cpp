#include "TypedCharacters.h"

#include <QKeyEvent>

namespace kandorex {

QString typedCharacters(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    const int key = event.key();

    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: // X11 gives it the text U+007F; it types nothing
        return {};
    case Qt::Key_Backspace:
        return QString(QChar(control ? 0x7F : 0x08));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(QChar(control ? 0x0A : 0x0D));
    case Qt::Key_Escape:
        return QString(QChar(0x1B));
    default:
        break;
    }

    // Ctrl+Alt is AltGr on many keyboards and types its character; Ctrl alone types the control
    // codes of the letters and a few brackets, and nothing for other keys.
    if (control && !alt) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QString(QChar(key - Qt::Key_A + 1));
        switch (key) {
        case Qt::Key_BracketLeft:
            return QString(QChar(0x1B));
        case Qt::Key_Backslash:
            return QString(QChar(0x1C));
        case Qt::Key_BracketRight:
            return QString(QChar(0x1D));
        default:
            return {};
        }
    }
    // Alt+key types nothing into a box on that desktop, but Qt's line edit would insert its text:
    // it goes through the filter like any other typed text.
    return event.text();
}

} // namespace kandorex
