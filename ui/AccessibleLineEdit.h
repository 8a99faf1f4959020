#pragma once

#include "TextBoundaries.h"

#include <QAccessibleWidget>

class QLineEdit;

namespace kandorex {

// What a screen reader sees of a line edit: its role, states, name and value, and its text with
// caret, selection and editing, as the toolkit's own interface offers them. Its own are the
// text items a reader asks for by character, word, sentence or line (see TextBoundaries.h): the
// toolkit's loop for them never returns at the end of the text in Qt 6.4, freezing the program.
// Its text carries no attributes, told as one run over the whole text: an empty run made Orca
// drop the last character when it read a line.
class AccessibleLineEdit : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit AccessibleLineEdit(QLineEdit *edit);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

  private:
    QLineEdit *lineEdit() const;
    // The text a reader may hear: none of a password's.
    QString readableText() const;
    QString item(int offset, QAccessible::TextBoundaryType boundaryType, TextSide side,
                 int *startOffset, int *endOffset) const;
};

} // namespace kandorex
