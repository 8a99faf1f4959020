#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>

class QAction;
class QContextMenuEvent;
class QDropEvent;
class QLineEdit;
class QMenu;
class QWidget;

namespace kandorex {

// A pasted or dropped text as a single-line box takes it: up to its first line break (LF, CR,
// CR LF, vertical tab, form feed, NEL, line or paragraph separator). Tabs and the rest stay.
QString firstLine(const QString &text);

// The Paste entry of a line edit's standard context menu, or nullptr.
QAction *standardPasteAction(const QMenu &menu);

// Makes every way text is pasted or dropped into `edit` (the paste keys, the context menu's
// Paste, the middle button's selection paste, a drop) take the first line only, cut between whole
// characters where the box's length limit stops it. `keyTarget` is the widget that holds the
// keyboard focus and raises the context menu for the edit: an editable combo box for its line
// edit, or the edit itself. Install it before any other filter that must see keys first.
class SingleLinePaste : public QObject {
  public:
    SingleLinePaste(QLineEdit *edit, QWidget *keyTarget);

    // Inserts `text` at the edit's cursor as a paste would: first line, whole characters only.
    static void insertFirstLine(QLineEdit *edit, const QString &text);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void paste(QClipboard::Mode mode);
    bool showContextMenu(const QContextMenuEvent &event);
    bool drop(QDropEvent &event);

    QLineEdit *edit_;
    QWidget *keyTarget_;
    bool redispatching_ = false;
};

} // namespace kandorex
