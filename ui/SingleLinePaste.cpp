#include "SingleLinePaste.h"

#include "WholeCharacters.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

namespace kandorex {
namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case 0x000A:
    case 0x000B:
    case 0x000C:
    case 0x000D:
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// Room left under the edit's length limit once `replaced` code units of its text give way.
qsizetype roomFor(const QLineEdit *edit, qsizetype replaced)
{
    return qMax<qsizetype>(edit->maxLength() - (edit->text().size() - replaced), 0);
}

QString fitted(const QString &text, qsizetype room)
{
    return text.left(wholeCharactersWithin(text, room));
}

} // namespace

QAction *standardPasteAction(const QMenu &menu)
{
    // Newer toolkits name the action; older ones are known by the line edit's own label for it.
    if (auto *named = menu.findChild<QAction *>(QStringLiteral("edit-paste")))
        return named;
    const QString label = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction *action : menu.actions()) {
        if (action->text().section(u'\t', 0, 0) == label)
            return action;
    }
    return nullptr;
}

QString firstLine(const QString &text)
{
    const auto end = std::find_if(text.begin(), text.end(), isLineBreak);
    return text.left(end - text.begin());
}

SingleLinePaste::SingleLinePaste(QLineEdit *edit, QWidget *keyTarget)
    : QObject(edit), edit_(edit), keyTarget_(keyTarget)
{
    edit->installEventFilter(this);
    if (keyTarget != edit)
        keyTarget->installEventFilter(this);
}

void SingleLinePaste::insertFirstLine(QLineEdit *edit, const QString &text)
{
    const QString line = firstLine(text);
    if (line.isEmpty() && !edit->hasSelectedText())
        return;
    edit->insert(fitted(line, roomFor(edit, edit->selectedText().size())));
}

void SingleLinePaste::paste(QClipboard::Mode mode)
{
    if (edit_->isReadOnly())
        return;
    insertFirstLine(edit_, QGuiApplication::clipboard()->text(mode));
}

bool SingleLinePaste::eventFilter(QObject *watched, QEvent *event)
{
    if (redispatching_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == keyTarget_ &&
            static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            paste(QClipboard::Clipboard);
            return true;
        }
        break;
    case QEvent::ContextMenu:
        if (watched == keyTarget_)
            return showContextMenu(*static_cast<QContextMenuEvent *>(event));
        break;
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the primary selection where the window system has one.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == edit_ && mouse->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection() &&
            edit_->rect().contains(mouse->position().toPoint())) {
            paste(QClipboard::Selection);
            return true;
        }
        break;
    }
    case QEvent::Drop:
        if (watched == edit_)
            return drop(*static_cast<QDropEvent *>(event));
        break;
    default:
        break;
    }
    return false;
}

bool SingleLinePaste::showContextMenu(const QContextMenuEvent &event)
{
    // The toolkit's own menu, translated and enabled as usual, with its Paste routed here.
    QMenu *menu = edit_->createStandardContextMenu();
    if (QAction *pasteAction = standardPasteAction(*menu)) {
        QObject::disconnect(pasteAction, nullptr, edit_, nullptr);
        connect(pasteAction, &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event.globalPos());
    return true;
}

bool SingleLinePaste::drop(QDropEvent &event)
{
    const QMimeData *data = event.mimeData();
    if (data == nullptr || !data->hasText() || edit_->isReadOnly())
        return false;
    // A move within the box takes its own selection out first.
    const bool moveWithin = event.source() == edit_ && event.dropAction() == Qt::MoveAction;
    const qsizetype replaced = moveWithin ? edit_->selectedText().size() : 0;
    QMimeData line;
    line.setText(fitted(firstLine(data->text()), roomFor(edit_, replaced)));
    QDropEvent lineDrop(event.position(), event.possibleActions(), &line, event.buttons(),
                        event.modifiers(), event.type());
    lineDrop.setDropAction(event.dropAction());
    redispatching_ = true;
    const QPointer<QObject> guard(this);
    QCoreApplication::sendEvent(edit_, &lineDrop);
    if (guard)
        redispatching_ = false;
    event.setDropAction(lineDrop.dropAction());
    event.setAccepted(lineDrop.isAccepted());
    return true;
}

} // namespace kandorex
