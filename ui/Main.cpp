#include "Main.h"

#include "Accessibility.h"
#include "AccessibleLink.h"
#include "ErrorReport.h"
#include "FixedWindow.h"
#include "Fonts.h"
#include "SingleLinePaste.h"
#include "TypedCharacters.h"
#include "UnitTable.h"
#include "ui_Main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QUrl>
#include <utility>

namespace {

const QString kMakerUrl = QStringLiteral("https://www.kandorex.example/");

// The user's regional settings (LC_ALL, LC_NUMERIC, LANG on Unix; the system's own elsewhere).
std::string systemDecimalSeparator()
{
    return QLocale::system().decimalPoint().toStdString();
}

} // namespace

TFormMain::TFormMain(QWidget *parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TFormMain>()),
      calculator_(*this, systemDecimalSeparator())
{
    kandorex::installFontFallbacks();
    kandorex::installAccessibility();
    ui_->setupUi(this);
    // A fixed window: title, system menu and close button, nothing to minimise or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    kandorex::keepWindowFixed(this);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/example.kandorex.Kandorex-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/example.kandorex.Kandorex-32.png"), QSize(32, 32));
    setWindowIcon(icon);

    for (const kandorex::SpliceUnit &unit : kandorex::kSpliceUnits)
        ui_->cbbCellSel->addItem(QString::fromUtf8(unit.text.data(), qsizetype(unit.text.size())));
    for (QLabel *label : {ui_->lbl1, ui_->lbl2, ui_->lbl3})
        label->buddy()->setAccessibleName(label->text());
    ui_->lbl4->setAccessibleName(ui_->lbl4->text());
    kandorex::exposeAsLink(ui_->lbl4, [this] { lbl4Click(); });

    // Qt's completer fills in the text only after the change signal has gone out with the bare
    // prefix, and a prefix names no model, so the calculator would reset the box at the first
    // keystroke. The model box completes typed text itself, before the change is handled; a
    // count needs no completion.
    for (QComboBox *box : {ui_->cbbXn, ui_->cbbYn, ui_->cbbCellSel}) {
        box->setCompleter(nullptr);
        // The hand covers the whole box, its text part too, as the layout gives it.
        box->lineEdit()->setCursor(box->cursor());
        new kandorex::SingleLinePaste(box->lineEdit(), box);
        box->view()->installEventFilter(this);
    }
    new kandorex::SingleLinePaste(ui_->edtView, ui_->edtView);
    // On-screen keyboards and input methods offer digits over the count boxes; the digit filter
    // still judges whatever arrives.
    for (QComboBox *box : {ui_->cbbXn, ui_->cbbYn}) {
        box->setInputMethodHints(Qt::ImhDigitsOnly);
        box->lineEdit()->setInputMethodHints(Qt::ImhDigitsOnly);
    }
    connect(ui_->cbbCellSel->lineEdit(), &QLineEdit::textEdited, this,
            &TFormMain::completeModelText);

    bindChange(ui_->cbbXn, &kandorex::WallCalculator::cbbXnChange);
    bindChange(ui_->cbbYn, &kandorex::WallCalculator::cbbYnChange);
    bindChange(ui_->cbbCellSel, &kandorex::WallCalculator::cbbCellSelChange);
    // An editable combo box takes the keys and hands them straight to its line edit, so the
    // digit filter watches the combo box itself.
    ui_->cbbXn->installEventFilter(this);
    ui_->cbbYn->installEventFilter(this);
    ui_->cbbCellSel->installEventFilter(this);
    ui_->lbl4->installEventFilter(this);

    kandorex::runHandler(*this, [this] { calculator_.FormCreate(); });
    ui_->cbbXn->setFocus();
}

TFormMain::~TFormMain() = default;

void TFormMain::bindChange(QComboBox *box, void (kandorex::WallCalculator::*handler)())
{
    // editTextChanged fires for typing, pasting, picking, arrow keys and completion alike, once
    // the text holds the new value; replaceBoxText() blocks it for the program's own changes.
    connect(box, &QComboBox::editTextChanged, this, [this, box, handler] {
        followText(box);
        kandorex::runHandler(*this, [&] { (calculator_.*handler)(); });
        announcer_.changeHandled();
    });
}

void TFormMain::followText(QComboBox *box)
{
    // The list's current entry is the one the text names, so the arrow keys, the wheel and the
    // opened list step from what the user sees. With the same text in place, setCurrentIndex()
    // leaves the text, its selection and its undo history alone.
    const int index = box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0 && index != box->currentIndex()) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index);
    }
}

bool TFormMain::namesAnEntry(const QComboBox *box)
{
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
}

bool TFormMain::filterFocus(QComboBox *box, QEvent *event)
{
    // A combo box takes the focus with its whole text selected, so that typing replaces it:
    // from the program, by Tab or Shift+Tab, or when its window is active again (after the error
    // report, say). A click places the caret instead, and a closing menu or list keeps the
    // selection as it was.
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    box->event(event);
    if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason)
        box->lineEdit()->selectAll();
    return true;
}

bool TFormMain::filterListView(QComboBox *box, QEvent *event)
{
    // A text that names no entry highlights none in the opened list, and Return there closes the
    // list without a pick: opening and closing the list never replaces what the user typed.
    QAbstractItemView *list = box->view();
    if (event->type() == QEvent::FocusIn && !namesAnEntry(box) && !redispatchingFocus_) {
        // The list makes its first row current as it takes the focus; undo that afterwards.
        redispatchingFocus_ = true;
        QCoreApplication::sendEvent(list, event);
        redispatchingFocus_ = false;
        list->selectionModel()->clear();
        return true;
    }
    const bool keyEvent =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (keyEvent && !list->currentIndex().isValid() &&
        closesWithAPick(*static_cast<QKeyEvent *>(event))) {
        // Qt 6.8 acts on some of these keys while they are still a shortcut override: keep them
        // a plain key press, and close the list on that.
        if (event->type() == QEvent::KeyPress)
            box->hidePopup();
        event->accept();
        return true;
    }
    return false;
}

bool TFormMain::closesWithAPick(const QKeyEvent &key)
{
    // The keys that close an opened list with its highlighted entry. Qt 6.8 counts F4 and
    // Alt+arrow among them, and takes "no entry highlighted" for an empty text.
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F4:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return key.modifiers().testFlag(Qt::AltModifier);
    default:
        return false;
    }
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event)
{
    for (QComboBox *box : {ui_->cbbXn, ui_->cbbYn, ui_->cbbCellSel}) {
        if (watched == box && event->type() == QEvent::FocusIn)
            return filterFocus(box, event);
        if (watched == box->view())
            return filterListView(box, event);
    }
    if (watched == ui_->cbbXn || watched == ui_->cbbYn)
        return filterTyping(static_cast<QComboBox *>(watched), event);
    if (watched == ui_->cbbCellSel) {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            completeNextModelEdit_ = !text.isEmpty() && text.front().isPrint();
        } else if (event->type() == QEvent::InputMethod) {
            completeNextModelEdit_ =
                !static_cast<QInputMethodEvent *>(event)->commitString().isEmpty();
        }
        return false;
    }
    if (watched == ui_->lbl4 && (event->type() == QEvent::MouseButtonPress ||
                                 event->type() == QEvent::MouseButtonDblClick ||
                                 event->type() == QEvent::MouseButtonRelease))
        filterLinkClicks(*static_cast<QMouseEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

bool TFormMain::filterTyping(QComboBox *box, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const QString typed = kandorex::typedCharacters(*static_cast<QKeyEvent *>(event));
        if (typed.isEmpty())
            return false;
        const QString passed = filterDigits(box, typed);
        if (passed == typed)
            return false;
        if (!passed.isEmpty())
            box->lineEdit()->insert(passed);
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        // Text committed by an input method is typed text too.
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString passed = filterDigits(box, input->commitString());
        if (passed == input->commitString())
            return false;
        QInputMethodEvent filtered(input->preeditString(), input->attributes());
        filtered.setCommitString(passed, input->replacementStart(), input->replacementLength());
        QCoreApplication::sendEvent(box->lineEdit(), &filtered);
        return true;
    }
    return false;
}

QString TFormMain::filterDigits(QComboBox *box, const QString &typed)
{
    QString passed;
    for (char32_t character : typed.toUcs4()) {
        if (box == ui_->cbbXn)
            calculator_.cbbXnKeyPress(character);
        else
            calculator_.cbbYnKeyPress(character);
        if (character != 0)
            passed += QString::fromUcs4(&character, 1);
    }
    return passed;
}

void TFormMain::completeModelText(const QString &typed)
{
    // Runs on the user's edit before editTextChanged reaches the calculator, so the calculator
    // sees the completed model text. Deleting never completes, or the box could not be emptied.
    const bool typing = std::exchange(completeNextModelEdit_, false);
    QLineEdit *edit = ui_->cbbCellSel->lineEdit();
    if (!typing || typed.isEmpty() || edit->cursorPosition() != typed.size())
        return;
    const int index = ui_->cbbCellSel->findText(typed, Qt::MatchStartsWith);
    if (index < 0)
        return;
    const QString completed = ui_->cbbCellSel->itemText(index);
    const QSignalBlocker blocker(ui_->cbbCellSel);
    edit->setText(completed);
    edit->setSelection(int(typed.size()), int(completed.size() - typed.size()));
}

void TFormMain::filterLinkClicks(const QMouseEvent &mouse)
{
    // A click is a left press and release on the link. The second press of a double-click
    // arrives as a double-click, and its release is no click: one page per double-click.
    if (mouse.button() != Qt::LeftButton)
        return;
    switch (mouse.type()) {
    case QEvent::MouseButtonPress:
        linkPressed_ = true;
        break;
    case QEvent::MouseButtonDblClick:
        linkPressed_ = false;
        break;
    case QEvent::MouseButtonRelease:
        if (std::exchange(linkPressed_, false) &&
            ui_->lbl4->rect().contains(mouse.position().toPoint()))
            lbl4Click();
        break;
    default:
        break;
    }
}

void TFormMain::lbl4Click()
{
    // As on the desktop the program was made for: if nothing opens, nothing is reported.
    QDesktopServices::openUrl(QUrl(kMakerUrl));
}

QComboBox *TFormMain::combo(Box box) const
{
    switch (box) {
    case Box::cbbCellSel:
        return ui_->cbbCellSel;
    case Box::cbbXn:
        return ui_->cbbXn;
    case Box::cbbYn:
        return ui_->cbbYn;
    case Box::edtView:
        break;
    }
    return nullptr;
}

std::string TFormMain::boxText(Box box) const
{
    if (QComboBox *c = combo(box))
        return c->currentText().toStdString();
    return ui_->edtView->text().toStdString();
}

void TFormMain::replaceBoxText(Box box, const std::string &text)
{
    const QString value = QString::fromStdString(text);
    QComboBox *c = combo(box);
    if (c == nullptr) {
        ui_->edtView->setText(value);
        announcer_.resultReplaced(value);
        return;
    }
    const QSignalBlocker blocker(c);
    c->setEditText(value);
    followText(c);
    announcer_.boxReplaced(c, value);
}

std::string TFormMain::boxItem(Box box, int index) const
{
    QComboBox *c = combo(box);
    return c != nullptr ? c->itemText(index).toStdString() : std::string();
}

void TFormMain::messageBeep()
{
    QApplication::beep();
    emit beeped();
}

void TFormMain::reportError(const std::string &message)
{
    kandorex::showErrorReport(this, QString::fromStdString(message));
}
