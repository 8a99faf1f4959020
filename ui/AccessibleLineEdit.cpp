#include "AccessibleLineEdit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>

namespace kandorex {

AccessibleLineEdit::AccessibleLineEdit(QLineEdit *edit)
    : QAccessibleWidget(edit, QAccessible::EditableText)
{
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit *AccessibleLineEdit::lineEdit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString AccessibleLineEdit::readableText() const
{
    return lineEdit()->echoMode() == QLineEdit::Normal ? lineEdit()->text() : QString();
}

QString AccessibleLineEdit::text(QAccessible::Text t) const
{
    QString result;
    if (t == QAccessible::Value) {
        const QLineEdit *edit = lineEdit();
        if (edit->echoMode() == QLineEdit::Normal)
            result = edit->text();
        else if (edit->echoMode() != QLineEdit::NoEcho)
            result = QString(edit->text().size(), u'*');
    }
    if (result.isEmpty())
        result = QAccessibleWidget::text(t);
    if (result.isEmpty() && t == QAccessible::Description)
        result = lineEdit()->placeholderText();
    return result;
}

void AccessibleLineEdit::setText(QAccessible::Text t, const QString &text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    QString value = text;
    int position = 0;
    if (const QValidator *validator = lineEdit()->validator();
        validator != nullptr && validator->validate(value, position) != QValidator::Acceptable)
        return;
    lineEdit()->setText(value);
}

QAccessible::State AccessibleLineEdit::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !lineEdit()->isReadOnly();
    state.readOnly = lineEdit()->isReadOnly();
    state.passwordEdit = lineEdit()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

void *AccessibleLineEdit::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void AccessibleLineEdit::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0)
        return;
    // -1 for no selection, as the toolkit has it: the bridge then reports the caret.
    *startOffset = int(lineEdit()->selectionStart());
    *endOffset = *startOffset + int(lineEdit()->selectedText().size());
}

int AccessibleLineEdit::selectionCount() const
{
    return lineEdit()->hasSelectedText() ? 1 : 0;
}

void AccessibleLineEdit::addSelection(int startOffset, int endOffset)
{
    // A line edit has one selection: a new one replaces it.
    setSelection(0, startOffset, endOffset);
}

void AccessibleLineEdit::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        lineEdit()->deselect();
}

void AccessibleLineEdit::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        lineEdit()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::cursorPosition() const
{
    return lineEdit()->cursorPosition();
}

void AccessibleLineEdit::setCursorPosition(int position)
{
    lineEdit()->setCursorPosition(position);
}

QString AccessibleLineEdit::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return QString();
    return readableText().mid(startOffset, endOffset - startOffset);
}

int AccessibleLineEdit::characterCount() const
{
    return int(lineEdit()->text().size());
}

QString AccessibleLineEdit::item(int offset, QAccessible::TextBoundaryType boundaryType,
                                 TextSide side, int *startOffset, int *endOffset) const
{
    const QString text = readableText();
    // By the toolkit's convention -2 asks at the caret and -1 at the end.
    if (offset == -2)
        offset = cursorPosition();
    else if (offset == -1)
        offset = int(text.size());
    if (lineEdit()->echoMode() != QLineEdit::Normal || offset < 0 || offset > text.size()) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    const TextRange range = textItem(text, offset, boundaryType, side);
    *startOffset = range.start;
    *endOffset = range.end;
    return text.mid(range.start, range.end - range.start);
}

QString AccessibleLineEdit::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int *startOffset, int *endOffset) const
{
    return item(offset, boundaryType, TextSide::Before, startOffset, endOffset);
}

QString AccessibleLineEdit::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    return item(offset, boundaryType, TextSide::After, startOffset, endOffset);
}

QString AccessibleLineEdit::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int *startOffset, int *endOffset) const
{
    return item(offset, boundaryType, TextSide::At, startOffset, endOffset);
}

QRect AccessibleLineEdit::characterRect(int offset) const
{
    const QString text = readableText();
    if (offset < 0 || offset >= text.size())
        return QRect();
    // The caret's place is known through the input method query, the rest is measured from it:
    // the edit may be scrolled.
    const QLineEdit *edit = lineEdit();
    const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QFontMetrics metrics(edit->font());
    const int caretIndex = edit->cursorPosition();
    const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) -
                  metrics.horizontalAdvance(text.left(caretIndex));
    const QRect local(x, caret.y(), metrics.horizontalAdvance(text.mid(offset, 1)),
                      metrics.height());
    return QRect(edit->mapToGlobal(local.topLeft()), local.size());
}

int AccessibleLineEdit::offsetAtPoint(const QPoint &point) const
{
    return lineEdit()->cursorPositionAt(lineEdit()->mapFromGlobal(point));
}

void AccessibleLineEdit::scrollToSubstring(int startIndex, int endIndex)
{
    lineEdit()->setCursorPosition(endIndex);
    lineEdit()->setCursorPosition(startIndex);
}

QString AccessibleLineEdit::attributes(int offset, int *startOffset, int *endOffset) const
{
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void AccessibleLineEdit::deleteText(int startOffset, int endOffset)
{
    lineEdit()->setText(lineEdit()->text().remove(startOffset, endOffset - startOffset));
}

void AccessibleLineEdit::insertText(int offset, const QString &text)
{
    lineEdit()->setText(lineEdit()->text().insert(offset, text));
}

void AccessibleLineEdit::replaceText(int startOffset, int endOffset, const QString &text)
{
    lineEdit()->setText(lineEdit()->text().replace(startOffset, endOffset - startOffset, text));
}

} // namespace kandorex
