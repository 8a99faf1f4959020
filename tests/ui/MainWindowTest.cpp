// The main window on real widgets and real events. Runs offscreen unless a platform is set.
#include "DialogCatcher.h"
#include "ErrorReport.h"
#include "Main.h"
#include "SingleLinePaste.h"
#include "Translations.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <memory>

namespace {

const QString kStartLine = QStringLiteral("总宽度4.06米×总高度3.05米=总面积12.39平方米");
const QString kFirstModel = QStringLiteral("DLP100 英寸背投拼接");
const QString kAbcReport = QStringLiteral("'abc' is not a valid integer value.");

// Receives the URLs the window asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl &url) { opened.push_back(url); }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void starts_in_the_start_state();
    void start_line_uses_the_users_decimal_separator();
    void window_is_fixed_with_the_stored_caption();
    void controls_stand_where_the_layout_puts_them_data();
    void controls_stand_where_the_layout_puts_them();
    void window_renders_at_the_screen_density();
    void tab_order_runs_across_down_result_model();
    void lists_hold_the_models_and_counts();
    void controls_are_named_for_screen_readers();

    void typed_count_is_checked_data();
    void typed_count_is_checked();
    void delete_key_empties_to_two();
    void refused_keys_beep_and_change_nothing_data();
    void refused_keys_beep_and_change_nothing();
    void navigation_keys_pass_without_beep();
    void input_method_text_is_filtered();
    void enter_leaves_the_lists_unchanged();

    void pasted_count_is_checked_data();
    void pasted_count_is_checked();
    void pasted_letters_are_reported_until_mended();
    void report_shows_markup_as_plain_text();
    void program_replacements_raise_no_change();
    void report_of_a_long_paste_fits_the_screen();

    void arrow_keys_step_through_the_counts();
    void picking_a_model_from_the_list_recomputes();
    void typed_model_completes_or_falls_back();
    void typing_into_the_result_box_lasts_until_the_next_change();
    void link_opens_the_makers_page();

    void count_box_takes_focus_with_its_text_selected_data();
    void count_box_takes_focus_with_its_text_selected();
    void first_digit_after_start_up_replaces_the_two();
    void click_places_the_caret_without_selecting();
    void list_follows_the_text_data();
    void list_follows_the_text();
    void list_opened_and_closed_without_a_pick_keeps_the_text_data();
    void list_opened_and_closed_without_a_pick_keeps_the_text();
    void pasted_text_is_cut_at_its_first_line_break_data();
    void pasted_text_is_cut_at_its_first_line_break();
    void paste_between_existing_characters_keeps_them();
    void length_limit_cuts_between_whole_characters();
    void report_shortens_only_past_its_threshold_data();
    void report_shortens_only_past_its_threshold();
    void report_shortening_keeps_whole_characters();
    void delete_key_with_its_x11_text_deletes_without_beep();
    void deleting_in_the_model_box_falls_back_without_completing_data();
    void deleting_in_the_model_box_falls_back_without_completing();
    void double_click_on_the_link_opens_one_page();
    void link_opens_on_the_left_button_only_data();
    void link_opens_on_the_left_button_only();
    void hand_cursor_covers_the_whole_combo_box();
    void count_boxes_ask_input_methods_for_digits();
    void toolkit_texts_follow_the_users_language();

    void title_rule_data();
    void title_rule();
    void full_stop_rule_data();
    void full_stop_rule();

  private:
    template <typename T> T *child(const char *name) const
    {
        T *widget = window_->findChild<T *>(QLatin1String(name));
        if (widget == nullptr)
            qFatal("no widget %s", name);
        return widget;
    }
    QComboBox *across() const { return child<QComboBox>("cbbXn"); }
    QComboBox *down() const { return child<QComboBox>("cbbYn"); }
    QComboBox *model() const { return child<QComboBox>("cbbCellSel"); }
    QLineEdit *result() const { return child<QLineEdit>("edtView"); }

    // Keys go where the user's keys go: to the widget with the keyboard focus.
    void focusAndSelectAll(QComboBox *box);
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void typeText(const QString &text);
    static void paste(const QString &text);
    // Drags a text over the edit and drops it there, as the window system delivers a drop.
    static bool dropText(QLineEdit *edit, const QString &text);
    // Opens the focused box's context menu from the keyboard and triggers its Paste.
    static void pasteFromContextMenu(const QString &text);
    // The line the calculator gives for the start-up model with these counts.
    static QString lineFor(int across, int down);

    std::unique_ptr<TFormMain> window_;
    std::unique_ptr<DialogCatcher> dialogs_;
    std::unique_ptr<QSignalSpy> beeps_;
};

void MainWindowTest::init()
{
    dialogs_ = std::make_unique<DialogCatcher>();
    window_ = std::make_unique<TFormMain>();
    beeps_ = std::make_unique<QSignalSpy>(window_.get(), &TFormMain::beeped);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::cleanup()
{
    window_.reset();
    // Any box the test did not claim is a failure, not a hang.
    const auto unexpected = dialogs_->shown;
    dialogs_.reset();
    QCOMPARE(unexpected.size(), 0);
}

void MainWindowTest::focusAndSelectAll(QComboBox *box)
{
    // The offscreen platform has no window manager to hand activation back after a message box.
    if (!window_->isActiveWindow()) {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    box->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), box);
    box->lineEdit()->selectAll();
}

void MainWindowTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "no widget has the keyboard focus");
    QTest::keyClick(focus, key, modifiers);
}

void MainWindowTest::typeText(const QString &text)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "no widget has the keyboard focus");
    QTest::keyClicks(focus, text);
}

void MainWindowTest::paste(const QString &text)
{
    QApplication::clipboard()->setText(text);
    press(Qt::Key_Insert, Qt::ShiftModifier);
}

bool MainWindowTest::dropText(QLineEdit *edit, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(2, edit->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &drop);
    return drop.isAccepted();
}

void MainWindowTest::pasteFromContextMenu(const QString &text)
{
    QApplication::clipboard()->setText(text);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                focus->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(focus, &menuEvent);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    QAction *pasteAction = kandorex::standardPasteAction(*menu);
    QVERIFY(pasteAction != nullptr);
    QVERIFY(pasteAction->isEnabled());
    pasteAction->trigger();
    menu->close();
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
}

QString MainWindowTest::lineFor(int across, int down)
{
    // Worked by hand from the first model's 2.032 m by 1.524 m, for the counts the tests use.
    static const QMap<QPair<int, int>, QString> lines{
        {{5, 2}, QStringLiteral("总宽度10.16米×总高度3.05米=总面积30.97平方米")},
        {{2, 5}, QStringLiteral("总宽度4.06米×总高度7.62米=总面积30.97平方米")},
        {{3, 2}, QStringLiteral("总宽度6.1米×总高度3.05米=总面积18.58平方米")},
        {{2, 3}, QStringLiteral("总宽度4.06米×总高度4.57米=总面积18.58平方米")},
        {{10, 2}, QStringLiteral("总宽度20.32米×总高度3.05米=总面积61.94平方米")},
        {{8, 2}, QStringLiteral("总宽度16.26米×总高度3.05米=总面积49.55平方米")},
        {{9, 2}, QStringLiteral("总宽度18.29米×总高度3.05米=总面积55.74平方米")},
        {{6, 2}, QStringLiteral("总宽度12.19米×总高度3.05米=总面积37.16平方米")},
        {{2, 12}, QStringLiteral("总宽度4.06米×总高度18.29米=总面积74.32平方米")},
        {{13, 2}, QStringLiteral("总宽度26.42米×总高度3.05米=总面积80.52平方米")},
        {{2, 2}, kStartLine},
    };
    return lines.value({across, down});
}

void MainWindowTest::starts_in_the_start_state()
{
    // State: a window just created. Expected: first model, 2 by 2, the start line, focus across.
    QCOMPARE(model()->currentText(), kFirstModel);
    QCOMPARE(across()->currentText(), QStringLiteral("2"));
    QCOMPARE(down()->currentText(), QStringLiteral("2"));
    QCOMPARE(result()->text(), kStartLine);
    // A real compositor activates the window a moment after it is shown; focus follows.
    QTRY_COMPARE(QApplication::focusWidget(), across());
    QCOMPARE(across()->currentIndex(), 1);
    QCOMPARE(beeps_->count(), 0);
}

void MainWindowTest::start_line_uses_the_users_decimal_separator()
{
    // CTest runs this once more under a German locale and says which separator to expect.
    const QString separator =
        qEnvironmentVariable("EXPECTED_DECIMAL_SEPARATOR", QStringLiteral("."));
    QCOMPARE(result()->text(),
             QStringLiteral("总宽度4%13.06米×总高度3%13.05米=总面积12%13.39平方米")
                 .replace(QStringLiteral("%13."), separator));
}

void MainWindowTest::window_is_fixed_with_the_stored_caption()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Kandorex-1.2 拼接电视墙  面积计算器"));
    QCOMPARE(window_->size(), QSize(393, 140));
    QCOMPARE(window_->minimumSize(), QSize(393, 140));
    QCOMPARE(window_->maximumSize(), QSize(393, 140));
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    // Minimum and maximum size equal: the window system gets no room to resize it either.
    window_->resize(800, 600);
    QCOMPARE(window_->size(), QSize(393, 140));
}

void MainWindowTest::controls_stand_where_the_layout_puts_them_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("lbl1") << "lbl1" << QRect(40, 16, 89, 13);
    QTest::newRow("lbl2") << "lbl2" << QRect(208, 16, 65, 13);
    QTest::newRow("lbl3") << "lbl3" << QRect(320, 16, 65, 13);
    QTest::newRow("lbl4") << "lbl4" << QRect(32, 112, 329, 17);
    QTest::newRow("cbbXn") << "cbbXn" << QRect(208, 32, 57, 21);
    QTest::newRow("cbbYn") << "cbbYn" << QRect(320, 32, 57, 21);
    QTest::newRow("edtView") << "edtView" << QRect(16, 80, 361, 25);
    QTest::newRow("cbbCellSel") << "cbbCellSel" << QRect(16, 32, 145, 21);
}

void MainWindowTest::controls_stand_where_the_layout_puts_them()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    auto *widget = window_->findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), geometry);
    // Whatever font the machine substitutes, the text must fit its box.
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const QFontMetrics metrics = label->fontMetrics();
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= geometry.width(),
                 qPrintable(label->text()));
        QVERIFY2(metrics.ascent() + metrics.descent() <= geometry.height() + 1,
                 qPrintable(QStringLiteral("%1: %2 + %3 px")
                                .arg(label->text())
                                .arg(metrics.ascent())
                                .arg(metrics.descent())));
    }
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QVERIFY(edit->fontMetrics().horizontalAdvance(kStartLine) < geometry.width() - 8);
}

void MainWindowTest::window_renders_at_the_screen_density()
{
    // CTest runs the suite once more with QT_SCALE_FACTOR=2 and says what ratio to expect.
    const qreal expected =
        qEnvironmentVariable("EXPECTED_DEVICE_PIXEL_RATIO", QStringLiteral("1")).toDouble();
    const QPixmap frame = window_->grab();
    QCOMPARE(frame.devicePixelRatio(), expected);
    QCOMPARE(frame.size(), QSize(393, 140) * expected);
}

void MainWindowTest::tab_order_runs_across_down_result_model()
{
    // State: focus in the across box. Action: Tab four times. Expected: down, result, model,
    // across.
    QTRY_COMPARE(QApplication::focusWidget(), across());
    const QList<QWidget *> expected{down(), result(), model(), across()};
    for (QWidget *next : expected) {
        press(Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), next);
    }
    QCOMPARE(beeps_->count(), 0);
    QCOMPARE(across()->currentText(), QStringLiteral("2"));
}

void MainWindowTest::lists_hold_the_models_and_counts()
{
    // The thirteen models as the user reads them, in the list's order.
    const QStringList models{
        QStringLiteral("DLP100 英寸背投拼接"), QStringLiteral("DLP 86 英寸背投拼接"),
        QStringLiteral("DLP 60 英寸背投拼接"), QStringLiteral("DLD 56 英寸背投拼接"),
        QStringLiteral("DLD 50 英寸背投拼接"), QStringLiteral("CRT 56 英寸背投拼接"),
        QStringLiteral("CRT 45 英寸背投拼接"), QStringLiteral("PDP 50 英寸超薄拼接"),
        QStringLiteral("PDP 42 英寸超薄拼接"), QStringLiteral("LCD 42 英寸超薄拼接"),
        QStringLiteral("LCD 30 英寸超薄拼接"), QStringLiteral("LCD 19 英寸超薄拼接"),
        QStringLiteral("CRT 29 英寸长寿拼接")};
    QCOMPARE(model()->count(), models.size());
    for (int row = 0; row < model()->count(); ++row)
        QCOMPARE(model()->itemText(row), models.at(row));
    for (QComboBox *box : {across(), down()}) {
        QCOMPARE(box->count(), 16);
        for (int row = 0; row < 16; ++row)
            QCOMPARE(box->itemText(row), QString::number(row + 1));
        QCOMPARE(box->maxVisibleItems(), 16);
    }
    QCOMPARE(model()->maxVisibleItems(), 10);
}

void MainWindowTest::controls_are_named_for_screen_readers()
{
    QCOMPARE(model()->accessibleName(), QStringLiteral("选择拼接单元"));
    QCOMPARE(across()->accessibleName(), QStringLiteral("横向台数"));
    QCOMPARE(down()->accessibleName(), QStringLiteral("纵向台数"));
    QVERIFY(!result()->accessibleName().isEmpty());
    QCOMPARE(child<QLabel>("lbl4")->accessibleName(),
             QStringLiteral("https://www.kandorex.example/   Kandorex 专业拼接电视墙制造商"));
    QCOMPARE(child<QLabel>("lbl1")->buddy(), model());
    QCOMPARE(child<QLabel>("lbl2")->buddy(), across());
    QCOMPARE(child<QLabel>("lbl3")->buddy(), down());
}

void MainWindowTest::typed_count_is_checked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("line");
    QTest::newRow("0 becomes 2") << "0"
                                 << "2" << kStartLine;
    QTest::newRow("17 becomes 2") << "17"
                                  << "2" << kStartLine;
    QTest::newRow("16 stays") << "16"
                              << "16"
                              << QStringLiteral("总宽度32.51米×总高度3.05米=总面积99.1平方米");
    QTest::newRow("1 stays") << "1"
                             << "1" << QStringLiteral("总宽度2.03米×总高度3.05米=总面积6.19平方米");
    QTest::newRow("9 stays") << "9"
                             << "9"
                             << QStringLiteral("总宽度18.29米×总高度3.05米=总面积55.74平方米");
}

void MainWindowTest::typed_count_is_checked()
{
    // State: the across box's text selected. Action: type. Expected: the count check's outcome.
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, line);
    focusAndSelectAll(across());
    typeText(typed);
    QCOMPARE(across()->currentText(), kept);
    QCOMPARE(result()->text(), line);
    QCOMPARE(beeps_->count(), 0);
}

void MainWindowTest::delete_key_empties_to_two()
{
    // State: down box holds 5. Action: select all, Delete. Expected: the empty text becomes 2.
    focusAndSelectAll(down());
    typeText(QStringLiteral("5"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度4.06米×总高度7.62米=总面积30.97平方米"));
    down()->lineEdit()->selectAll();
    press(Qt::Key_Delete);
    QCOMPARE(down()->currentText(), QStringLiteral("2"));
    QCOMPARE(result()->text(), kStartLine);
    QCOMPARE(beeps_->count(), 0);
}

void MainWindowTest::refused_keys_beep_and_change_nothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier);
    QTest::newRow("Alt+letter") << int(Qt::Key_A) << int(Qt::AltModifier);
    QTest::newRow("minus") << int(Qt::Key_Minus) << int(Qt::NoModifier);
    QTest::newRow("dollar") << int(Qt::Key_Dollar) << int(Qt::ShiftModifier);
}

void MainWindowTest::refused_keys_beep_and_change_nothing()
{
    // State: across box holds 12, cursor at the end, nothing selected; the clipboard holds 7.
    // Action: the key. Expected: one beep; text, clipboard and result line as they were.
    QFETCH(int, key);
    QFETCH(int, modifiers);
    for (QComboBox *box : {across(), down()}) {
        focusAndSelectAll(box);
        typeText(QStringLiteral("12"));
        const QString line = result()->text();
        QApplication::clipboard()->setText(QStringLiteral("7"));
        box->lineEdit()->end(false);
        beeps_->clear();

        press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(beeps_->count(), 1);
        QCOMPARE(box->currentText(), QStringLiteral("12"));
        QCOMPARE(box->count(), 16);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("7"));
        QCOMPARE(result()->text(), line);
        QCOMPARE(QApplication::focusWidget(), box);
    }
}

void MainWindowTest::navigation_keys_pass_without_beep()
{
    // State: across box holds 12. Action: Home, Delete. Expected: 2 without a beep; then End, Left
    // and Right move without changing it.
    focusAndSelectAll(across());
    typeText(QStringLiteral("12"));
    press(Qt::Key_Home);
    press(Qt::Key_Delete);
    QCOMPARE(across()->currentText(), QStringLiteral("2"));
    press(Qt::Key_End);
    press(Qt::Key_Left);
    press(Qt::Key_Right);
    QCOMPARE(across()->currentText(), QStringLiteral("2"));
    QCOMPARE(beeps_->count(), 0);
    QCOMPARE(result()->text(), kStartLine);
}

void MainWindowTest::input_method_text_is_filtered()
{
    // State: the across box's text selected. Action: an input method commits "1五". Expected: the
    // digit enters, the Chinese character is refused with a beep.
    focusAndSelectAll(across());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("1五"));
    QCoreApplication::sendEvent(across(), &commit);
    QCOMPARE(across()->currentText(), QStringLiteral("1"));
    QCOMPARE(beeps_->count(), 1);
    QCOMPARE(result()->text(), QStringLiteral("总宽度2.03米×总高度3.05米=总面积6.19平方米"));

    // Action: a commit of digits only. Expected: it passes as it is.
    QInputMethodEvent digits;
    digits.setCommitString(QStringLiteral("6"));
    QCoreApplication::sendEvent(across(), &digits);
    QCOMPARE(across()->currentText(), QStringLiteral("16"));
    QCOMPARE(beeps_->count(), 1);
}

void MainWindowTest::enter_leaves_the_lists_unchanged()
{
    // State: a model text typed that is in no list. Action: Enter. Expected: the list is unchanged.
    focusAndSelectAll(model());
    model()->lineEdit()->insert(QStringLiteral("LCD 42 英寸超薄拼接"));
    press(Qt::Key_Return);
    QCOMPARE(model()->count(), 13);
    QCOMPARE(model()->currentText(), QStringLiteral("LCD 42 英寸超薄拼接"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度1.88米×总高度1.08米=总面积2.03平方米"));
    focusAndSelectAll(across());
    typeText(QStringLiteral("7"));
    press(Qt::Key_Return);
    QCOMPARE(across()->count(), 16);
    QCOMPARE(across()->findText(QStringLiteral("7")), 6);
}

void MainWindowTest::pasted_count_is_checked_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("line");
    QTest::newRow("007") << "007"
                         << "007" << QStringLiteral("总宽度14.22米×总高度3.05米=总面积43.35平方米");
    QTest::newRow("blank 5") << " 5"
                             << " 5"
                             << QStringLiteral("总宽度10.16米×总高度3.05米=总面积30.97平方米");
    QTest::newRow("$10 is 16") << "$10"
                               << "$10"
                               << QStringLiteral("总宽度32.51米×总高度3.05米=总面积99.1平方米");
    QTest::newRow("x11 is 17") << "x11"
                               << "2" << kStartLine;
    QTest::newRow("$FFFFFFFF is -1") << "$FFFFFFFF"
                                     << "2" << kStartLine;
}

void MainWindowTest::pasted_count_is_checked()
{
    // State: the across box's text selected. Action: Shift+Insert. Expected: as the check says.
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    QFETCH(QString, line);
    focusAndSelectAll(across());
    paste(pasted);
    QCOMPARE(across()->currentText(), kept);
    QCOMPARE(result()->text(), line);
}

void MainWindowTest::pasted_letters_are_reported_until_mended()
{
    // State: 3 across. Action: paste abc into the across box. Expected: the report, the box keeps
    // abc, the line stays; every later change fails the same way until the count is mended.
    focusAndSelectAll(across());
    typeText(QStringLiteral("3"));
    const QString line = result()->text();
    across()->lineEdit()->selectAll();
    paste(QStringLiteral("abc"));

    QCOMPARE(dialogs_->shown.size(), 1);
    const DialogCatcher::Shown report = dialogs_->shown.takeFirst();
    QCOMPARE(report.text, kAbcReport);
    QCOMPARE(report.title, QStringLiteral("ui_tests"));
    QCOMPARE(report.icon, QMessageBox::Critical);
    QCOMPARE(report.buttonCount, 1);
    QCOMPARE(across()->currentText(), QStringLiteral("abc"));
    QCOMPARE(result()->text(), line);

    focusAndSelectAll(model());
    press(Qt::Key_Down);
    QCOMPARE(model()->currentText(), QStringLiteral("DLP 86 英寸背投拼接"));
    QCOMPARE(dialogs_->shown.size(), 1);
    QCOMPARE(dialogs_->shown.takeFirst().text, kAbcReport);
    QCOMPARE(result()->text(), line);

    focusAndSelectAll(across());
    typeText(QStringLiteral("5"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度8.73米×总高度2.62米=总面积22.9平方米"));
    QCOMPARE(dialogs_->shown.size(), 0);
}

void MainWindowTest::report_shows_markup_as_plain_text()
{
    focusAndSelectAll(down());
    paste(QStringLiteral("<b>x</b><img src=\"file:///etc/passwd\">"));
    QCOMPARE(dialogs_->shown.size(), 1);
    const DialogCatcher::Shown report = dialogs_->shown.takeFirst();
    QCOMPARE(report.format, Qt::PlainText);
    QCOMPARE(
        report.text,
        QStringLiteral("'<b>x</b><img src=\"file:///etc/passwd\">' is not a valid integer value."));
}

void MainWindowTest::report_of_a_long_paste_fits_the_screen()
{
    // Action: paste 5,000 letters into the down box. Expected: the box shows both ends of the
    // message, the whole of it is in the details, and the box stays within the screen.
    const QString pasted(5000, u'q');
    const QString message = u'\'' + pasted + QStringLiteral("' is not a valid integer value.");
    focusAndSelectAll(down());
    paste(pasted);
    QCOMPARE(dialogs_->shown.size(), 1);
    const DialogCatcher::Shown report = dialogs_->shown.takeFirst();
    QCOMPARE(report.detailedText, message);
    QVERIFY(report.text.startsWith(message.left(400)));
    QVERIFY(report.text.endsWith(message.right(400)));
    QVERIFY(report.text.size() < 1000);
    QCOMPARE(down()->currentText(), pasted);
}

void MainWindowTest::program_replacements_raise_no_change()
{
    // State: the across box holds abc, so every calculation fails. Action: type a model text
    // that names no model. Expected: one report for the edit; the program's reset of the model
    // box and of the line raise no change of their own, so no second report.
    focusAndSelectAll(across());
    paste(QStringLiteral("abc"));
    QCOMPARE(dialogs_->shown.size(), 1);
    dialogs_->shown.clear();

    focusAndSelectAll(model());
    typeText(QStringLiteral("Q"));
    QCOMPARE(model()->currentText(), kFirstModel);
    QCOMPARE(dialogs_->shown.size(), 1);
    QCOMPARE(dialogs_->shown.takeFirst().text, kAbcReport);
}

void MainWindowTest::arrow_keys_step_through_the_counts()
{
    // State: 2 across. Action: Down, Down, Up. Expected: 3, 4, then 3, each recomputed.
    focusAndSelectAll(across());
    press(Qt::Key_Down);
    QCOMPARE(across()->currentText(), QStringLiteral("3"));
    press(Qt::Key_Down);
    QCOMPARE(across()->currentText(), QStringLiteral("4"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度8.13米×总高度3.05米=总面积24.77平方米"));
    press(Qt::Key_Up);
    QCOMPARE(across()->currentText(), QStringLiteral("3"));
    QCOMPARE(beeps_->count(), 0);

    // After a reset to 2 the arrows step from 2 again.
    across()->lineEdit()->selectAll();
    typeText(QStringLiteral("0"));
    QCOMPARE(across()->currentText(), QStringLiteral("2"));
    press(Qt::Key_Down);
    QCOMPARE(across()->currentText(), QStringLiteral("3"));
}

void MainWindowTest::picking_a_model_from_the_list_recomputes()
{
    // State: 2 by 2. Action: open the model list, pick LCD 30. Expected: its line.
    focusAndSelectAll(model());
    press(Qt::Key_F4);
    QAbstractItemView *list = model()->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex lcd30 = list->model()->index(10, 0);
    list->setCurrentIndex(lcd30);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(model()->currentText(), QStringLiteral("LCD 30 英寸超薄拼接"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度1.33米×总高度0.81米=总面积1.07平方米"));

    // A pick with the mouse.
    press(Qt::Key_F4);
    QTRY_VERIFY(list->isVisible());
    const QRect lcd42 = list->visualRect(list->model()->index(9, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, lcd42.center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(model()->currentText(), QStringLiteral("LCD 42 英寸超薄拼接"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度1.88米×总高度1.08米=总面积2.03平方米"));
}

void MainWindowTest::typed_model_completes_or_falls_back()
{
    // Action: type "LCD 1". Expected: completion gives LCD 19, and the line is LCD 19's.
    focusAndSelectAll(model());
    typeText(QStringLiteral("LCD 1"));
    QCOMPARE(model()->currentText(), QStringLiteral("LCD 19 英寸超薄拼接"));
    QCOMPARE(result()->text(), QStringLiteral("总宽度0.77米×总高度0.62米=总面积0.48平方米"));

    // Action: type a text no model starts with. Expected: back to the first model.
    model()->lineEdit()->selectAll();
    typeText(QStringLiteral("Q"));
    QCOMPARE(model()->currentText(), kFirstModel);
    QCOMPARE(result()->text(), kStartLine);
    QCOMPARE(dialogs_->shown.size(), 0);
}

void MainWindowTest::typing_into_the_result_box_lasts_until_the_next_change()
{
    focusAndSelectAll(down());
    result()->setFocus();
    result()->selectAll();
    typeText(QStringLiteral("note"));
    QCOMPARE(result()->text(), QStringLiteral("note"));
    QCOMPARE(beeps_->count(), 0);
    focusAndSelectAll(down());
    typeText(QStringLiteral("2"));
    QCOMPARE(result()->text(), kStartLine);
}

void MainWindowTest::link_opens_the_makers_page()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    auto *link = child<QLabel>("lbl4");
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(link->font().bold() && link->font().italic() && link->font().underline());
    QCOMPARE(link->text(),
             QStringLiteral("https://www.kandorex.example/   Kandorex 专业拼接电视墙制造商"));

    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(10, 8));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl(QStringLiteral("https://www.kandorex.example/"))});
    QCOMPARE(dialogs_->shown.size(), 0);
}

void MainWindowTest::count_box_takes_focus_with_its_text_selected_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Tab") << "Tab";
    QTest::newRow("Shift+Tab") << "Shift+Tab";
    QTest::newRow("back from the report") << "report";
}

void MainWindowTest::count_box_takes_focus_with_its_text_selected()
{
    // State: the down box holds 5, focus elsewhere. Action: the box gets the focus one way.
    // Expected: its whole text is selected, so a typed 3 replaces it.
    QFETCH(QString, way);
    focusAndSelectAll(down());
    typeText(QStringLiteral("5"));
    if (way == QLatin1String("Tab")) {
        focusAndSelectAll(across());
        press(Qt::Key_Tab);
    } else if (way == QLatin1String("Shift+Tab")) {
        result()->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), result());
        press(Qt::Key_Backtab);
    } else {
        // The report takes the focus; closing it hands the focus back to the box. On Wayland the
        // compositor alone activates windows, and the report is gone before it would.
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            QSKIP("a Wayland client cannot activate its window: window_wayland.sh covers this");
        result()->setFocus(Qt::OtherFocusReason);
        down()->setFocus(Qt::OtherFocusReason);
        down()->lineEdit()->setCursorPosition(1);
        paste(QStringLiteral("x"));
        QCOMPARE(dialogs_->shown.size(), 1);
        dialogs_->shown.clear();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    QTRY_COMPARE(QApplication::focusWidget(), down());
    QCOMPARE(down()->lineEdit()->selectedText(), down()->currentText());
    typeText(QStringLiteral("3"));
    QCOMPARE(down()->currentText(), QStringLiteral("3"));
    QCOMPARE(result()->text(), lineFor(2, 3));
    QCOMPARE(dialogs_->shown.size(), 0);
}

void MainWindowTest::first_digit_after_start_up_replaces_the_two()
{
    // State: the window just came up. Action: type 5. Expected: 5 across, not "25" refused.
    QTRY_COMPARE(QApplication::focusWidget(), across());
    QCOMPARE(across()->lineEdit()->selectedText(), QStringLiteral("2"));
    typeText(QStringLiteral("5"));
    QCOMPARE(across()->currentText(), QStringLiteral("5"));
    QCOMPARE(result()->text(), lineFor(5, 2));
}

void MainWindowTest::click_places_the_caret_without_selecting()
{
    // A click into the text of a box that had no focus puts the caret there, as in any edit.
    result()->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), result());
    QLineEdit *edit = down()->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
    QTRY_COMPARE(QApplication::focusWidget(), down());
    QVERIFY(!edit->hasSelectedText());
}

void MainWindowTest::list_follows_the_text_data()
{
    // How the text came to name an entry, then the step taken from it, and where that lands.
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("expected");
    QTest::newRow("typed 9, Down") << "typed"
                                   << "Down"
                                   << "10";
    QTest::newRow("typed 9, Up") << "typed"
                                 << "Up"
                                 << "8";
    QTest::newRow("typed 9, wheel down") << "typed"
                                         << "wheel down"
                                         << "10";
    QTest::newRow("typed 9, wheel up") << "typed"
                                       << "wheel up"
                                       << "8";
    QTest::newRow("typed 9, list opened") << "typed"
                                          << "list"
                                          << "9";
    QTest::newRow("pasted 9, Down") << "pasted"
                                    << "Down"
                                    << "10";
    QTest::newRow("dropped 1 before the 2, Down") << "dropped"
                                                  << "Down"
                                                  << "13";
    QTest::newRow("typed 9, undone to 5, Down") << "undone"
                                                << "Down"
                                                << "6";
}

void MainWindowTest::list_follows_the_text()
{
    QFETCH(QString, how);
    QFETCH(QString, step);
    QFETCH(QString, expected);
    QComboBox *box = across();
    focusAndSelectAll(box);
    if (how == QLatin1String("typed")) {
        typeText(QStringLiteral("9"));
    } else if (how == QLatin1String("pasted")) {
        paste(QStringLiteral("9"));
    } else if (how == QLatin1String("dropped")) {
        // A drop inserts at the caret: a 1 dropped before the 2 makes 12.
        QVERIFY(dropText(box->lineEdit(), QStringLiteral("1")));
        QCOMPARE(box->currentText(), QStringLiteral("12"));
    } else {
        typeText(QStringLiteral("5"));
        box->lineEdit()->selectAll();
        typeText(QStringLiteral("9"));
        box->lineEdit()->undo(); // as the context menu's Undo does
        QCOMPARE(box->currentText(), QStringLiteral("5"));
    }
    if (how == QLatin1String("typed") || how == QLatin1String("pasted"))
        QCOMPARE(box->currentText(), QStringLiteral("9"));
    const int named = box->findText(box->currentText());

    if (step == QLatin1String("Down")) {
        press(Qt::Key_Down);
    } else if (step == QLatin1String("Up")) {
        press(Qt::Key_Up);
    } else if (step.startsWith(QLatin1String("wheel"))) {
        const int delta = step == QLatin1String("wheel down") ? -120 : 120;
        const QPointF at(box->width() / 2.0, box->height() / 2.0);
        QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box, &wheel);
    } else {
        press(Qt::Key_F4);
        QTRY_VERIFY(box->view()->isVisible());
        QCOMPARE(box->view()->currentIndex().row(), named);
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->view()->isVisible());
    }
    QCOMPARE(box->currentText(), expected);
    QCOMPARE(result()->text(), lineFor(expected.toInt(), 2));
    QCOMPARE(beeps_->count(), 0);
}

void MainWindowTest::list_opened_and_closed_without_a_pick_keeps_the_text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<int>("highlighted");
    QTest::newRow("names entry 9, Escape") << "9" << int(Qt::Key_Escape) << 8;
    QTest::newRow("names entry 9, F4") << "9" << int(Qt::Key_F4) << 8;
    QTest::newRow("names none, Escape") << "007" << int(Qt::Key_Escape) << -1;
    QTest::newRow("names none, Return") << "007" << int(Qt::Key_Return) << -1;
    QTest::newRow("names none, F4") << "007" << int(Qt::Key_F4) << -1;
    QTest::newRow("names none, Alt+Up")
        << "007" << (Qt::AltModifier | Qt::Key_Up).toCombined() << -1;
}

void MainWindowTest::list_opened_and_closed_without_a_pick_keeps_the_text()
{
    // State: the across box holds a text. Action: open the list, close it. Expected: the entry
    // the text names is highlighted, or none; the text and the line stay as they were.
    QFETCH(QString, text);
    QFETCH(int, closeKey);
    QFETCH(int, highlighted);
    focusAndSelectAll(across());
    paste(text);
    const QString line = result()->text();
    QCOMPARE(line, lineFor(text.toInt(), 2).isEmpty() ? line : lineFor(text.toInt(), 2));
    QSignalSpy changes(across(), &QComboBox::editTextChanged);

    press(Qt::Key_F4);
    QAbstractItemView *list = across()->view();
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(list->currentIndex().row(), highlighted);
    QCOMPARE(list->selectionModel()->hasSelection(), highlighted >= 0);
    QTest::keyClick(list, Qt::Key(closeKey & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(closeKey & Qt::KeyboardModifierMask));
    QTRY_VERIFY(!list->isVisible());

    QCOMPARE(across()->currentText(), text);
    QCOMPARE(result()->text(), line);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(dialogs_->shown.size(), 0);
}

void MainWindowTest::pasted_text_is_cut_at_its_first_line_break_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("across, LF, Shift+Insert") << "cbbXn"
                                              << "keys"
                                              << "5\n"
                                              << "5";
    QTest::newRow("across, CR LF, menu") << "cbbXn"
                                         << "menu"
                                         << "5\r\n"
                                         << "5";
    QTest::newRow("down, CR, dropped before the 2") << "cbbYn"
                                                    << "drop"
                                                    << "1\r7"
                                                    << "12";
    QTest::newRow("down, line separator") << "cbbYn"
                                          << "keys" << QStringLiteral("5\u20287") << "5";
    QTest::newRow("down, break first: empty, so 2") << "cbbYn"
                                                    << "keys"
                                                    << "\n5"
                                                    << "2";
    QTest::newRow("model, LF, Ctrl+V") << "cbbCellSel"
                                       << "keys" << QStringLiteral("LCD 42 英寸超薄拼接\n")
                                       << QStringLiteral("LCD 42 英寸超薄拼接");
    QTest::newRow("result, CR LF, drop") << "edtView"
                                         << "drop"
                                         << "note\r\nmore"
                                         << "note";
    QTest::newRow("result, LF, menu") << "edtView"
                                      << "menu"
                                      << "note\nmore"
                                      << "note";
    QTest::newRow("result, tab stays") << "edtView"
                                       << "keys"
                                       << "a\tb\nc"
                                       << "a\tb";
}

void MainWindowTest::pasted_text_is_cut_at_its_first_line_break()
{
    // State: the box's text selected. Action: paste or drop a text with a line break. Expected:
    // the box holds the text before the break, and the calculator judged that text.
    QFETCH(QString, box);
    QFETCH(QString, way);
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    auto *combo = window_->findChild<QComboBox *>(box);
    QLineEdit *edit = combo != nullptr ? combo->lineEdit() : result();
    if (combo != nullptr) {
        focusAndSelectAll(combo);
    } else {
        result()->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), result());
        result()->selectAll();
    }
    if (way == QLatin1String("keys")) {
        if (combo == down() || combo == across())
            paste(pasted);
        else {
            QApplication::clipboard()->setText(pasted);
            press(Qt::Key_V, Qt::ControlModifier);
        }
    } else if (way == QLatin1String("menu")) {
        pasteFromContextMenu(pasted);
    } else {
        // A drop inserts at the caret, before whatever the box holds; a count box keeps its 2.
        if (combo != down()) {
            edit->selectAll();
            edit->del();
        }
        QVERIFY(dropText(edit, pasted));
    }
    QCOMPARE(edit->text(), kept);
    if (combo == across())
        QCOMPARE(result()->text(), lineFor(kept.toInt(), 2));
    else if (combo == down())
        QCOMPARE(result()->text(), lineFor(2, kept.toInt()));
    else if (combo == model())
        QCOMPARE(result()->text(), QStringLiteral("总宽度1.88米×总高度1.08米=总面积2.03平方米"));
    QCOMPARE(dialogs_->shown.size(), 0);
    QCOMPARE(beeps_->count(), 0);
}

void MainWindowTest::paste_between_existing_characters_keeps_them()
{
    // Only the pasted text is cut: what stood after the cursor stays.
    result()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), result());
    result()->setText(QStringLiteral("ab"));
    result()->setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("X\nY"));
    press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(result()->text(), QStringLiteral("aXb"));
}

void MainWindowTest::length_limit_cuts_between_whole_characters()
{
    // Action: paste more emoji (two code units each) than the 32,767-unit limit holds into the
    // down box. Expected: the box keeps only whole ones, and so does the report.
    const QString face = QStringLiteral("😀");
    QCOMPARE(face.size(), 2);
    focusAndSelectAll(down());
    paste(face.repeated(20000));
    const QString kept = down()->currentText();
    QCOMPARE(down()->lineEdit()->maxLength(), 32767);
    QCOMPARE(kept.size(), 32766);
    QVERIFY(kept.isValidUtf16());
    QCOMPARE(dialogs_->shown.size(), 1);
    const DialogCatcher::Shown report = dialogs_->shown.takeFirst();
    QVERIFY(report.text.isValidUtf16());
    QVERIFY(report.text.contains(QStringLiteral(" … ")));
    QCOMPARE(report.detailedText, u'\'' + kept + QStringLiteral("' is not a valid integer value."));
}

void MainWindowTest::report_shortens_only_past_its_threshold_data()
{
    // The report's text is the pasted text with 32 characters of message around it.
    QTest::addColumn<int>("pasted");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("1,200 shown whole") << 1168 << false;
    QTest::newRow("1,201 shortened") << 1169 << true;
}

void MainWindowTest::report_shortens_only_past_its_threshold()
{
    QFETCH(int, pasted);
    QFETCH(bool, shortened);
    const QString message =
        u'\'' + QString(pasted, u'q') + QStringLiteral("' is not a valid integer value.");
    QCOMPARE(message.size(), pasted + 32);
    focusAndSelectAll(down());
    paste(QString(pasted, u'q'));
    QCOMPARE(dialogs_->shown.size(), 1);
    const DialogCatcher::Shown report = dialogs_->shown.takeFirst();
    if (shortened) {
        QCOMPARE(report.text, message.left(400) + QStringLiteral(" … ") + message.right(400));
        QCOMPARE(report.detailedText, message);
    } else {
        QCOMPARE(report.text, message);
        QVERIFY(report.detailedText.isEmpty());
    }
}

void MainWindowTest::report_shortening_keeps_whole_characters()
{
    // Odd lengths put a cut through a pair on both ends unless the cut moves to a whole character.
    const QString face = QStringLiteral("😀");
    for (int lead : {0, 1}) {
        const QString pasted = QString(lead, u'q') + face.repeated(700);
        focusAndSelectAll(down());
        paste(pasted);
        QCOMPARE(dialogs_->shown.size(), 1);
        const DialogCatcher::Shown report = dialogs_->shown.takeFirst();
        QVERIFY2(report.text.isValidUtf16(), qPrintable(QString::number(lead)));
        const qsizetype gap = report.text.indexOf(QStringLiteral(" … "));
        QVERIFY(gap >= 399 && gap <= 400);
        QVERIFY(report.text.size() - gap - 3 >= 399);
        QVERIFY(report.detailedText.startsWith(report.text.left(gap)));
        QVERIFY(report.detailedText.endsWith(report.text.mid(gap + 3)));
        focusAndSelectAll(down());
        typeText(QStringLiteral("2"));
    }
}

void MainWindowTest::delete_key_with_its_x11_text_deletes_without_beep()
{
    // A real X server gives Delete the text U+007F. State: across 12, caret at the start.
    // Action: Delete. Expected: "2", no beep.
    focusAndSelectAll(across());
    typeText(QStringLiteral("12"));
    across()->lineEdit()->home(false);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QCoreApplication::sendEvent(across(), &del);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QCoreApplication::sendEvent(across(), &up);
    QCOMPARE(across()->currentText(), QStringLiteral("2"));
    QCOMPARE(beeps_->count(), 0);
}

void MainWindowTest::deleting_in_the_model_box_falls_back_without_completing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b");
    QTest::newRow("Delete with its X11 text") << int(Qt::Key_Delete) << QStringLiteral("\x7f");
}

void MainWindowTest::deleting_in_the_model_box_falls_back_without_completing()
{
    // State: "LCD 1" typed and completed to LCD 19, the completion selected. Action: delete the
    // selection. Expected: "LCD 1" names no model, so the box falls back to the first model.
    focusAndSelectAll(model());
    typeText(QStringLiteral("LCD 1"));
    QCOMPARE(model()->currentText(), QStringLiteral("LCD 19 英寸超薄拼接"));
    QCOMPARE(model()->lineEdit()->selectedText(), QStringLiteral("9 英寸超薄拼接"));
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, keyText);
    QCoreApplication::sendEvent(model(), &down);
    QCOMPARE(model()->currentText(), kFirstModel);
    QCOMPARE(result()->text(), kStartLine);
}

void MainWindowTest::double_click_on_the_link_opens_one_page()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    auto *link = child<QLabel>("lbl4");
    // A double-click as the toolkit delivers it: press, release, then the second press followed
    // by its double-click event, and the last release.
    const QPoint at(10, 8);
    QTest::mousePress(link, Qt::LeftButton, {}, at);
    QTest::mouseRelease(link, Qt::LeftButton, {}, at);
    QTest::mousePress(link, Qt::LeftButton, {}, at);
    QTest::mouseDClick(link, Qt::LeftButton, {}, at);
    QTest::mouseRelease(link, Qt::LeftButton, {}, at);
    QCOMPARE(recorder.opened.size(), 1);
    // A click well after it is a click of its own.
    QTest::mouseClick(link, Qt::LeftButton, {}, at, 2000);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.opened.size(), 2);
}

void MainWindowTest::link_opens_on_the_left_button_only_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void MainWindowTest::link_opens_on_the_left_button_only()
{
    QFETCH(int, button);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    auto *link = child<QLabel>("lbl4");
    QTest::mouseClick(link, Qt::MouseButton(button), {}, QPoint(10, 8));
    // A left press outside that ends on the link is no click either.
    QTest::mousePress(window_.get(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(10, 8));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.opened.size(), 0);
}

void MainWindowTest::hand_cursor_covers_the_whole_combo_box()
{
    for (QComboBox *box : {across(), down(), model()}) {
        QCOMPARE(box->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(box->lineEdit()->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(result()->cursor().shape(), Qt::IBeamCursor);
}

void MainWindowTest::count_boxes_ask_input_methods_for_digits()
{
    // Input methods ask the widget with the focus, which is the combo box, not its line edit.
    for (QComboBox *box : {across(), down()}) {
        const auto hints = Qt::InputMethodHints(box->inputMethodQuery(Qt::ImHints).toInt());
        QVERIFY(hints.testFlag(Qt::ImhDigitsOnly));
    }
    const auto modelHints = Qt::InputMethodHints(model()->inputMethodQuery(Qt::ImHints).toInt());
    QVERIFY(!modelHints.testFlag(Qt::ImhDigitsOnly));
}

void MainWindowTest::toolkit_texts_follow_the_users_language()
{
    // CTest runs this once more under a Chinese locale and names the language to expect.
    const bool chinese = qEnvironmentVariable("EXPECTED_LANGUAGE") == QLatin1String("zh_CN");
    focusAndSelectAll(across());
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                across()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(across(), &menuEvent);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
    QAction *pasteAction = kandorex::standardPasteAction(*menu);
    QVERIFY(pasteAction != nullptr);
    const QString pasteText = pasteAction->text();
    menu->close();
    QCOMPARE(pasteText.startsWith(QStringLiteral("粘贴")), chinese);

    focusAndSelectAll(down());
    paste(QString(2000, u'q'));
    QCOMPARE(dialogs_->shown.size(), 1);
    const QStringList buttons = dialogs_->shown.takeFirst().buttonTexts;
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons.contains(QStringLiteral("确定")), chinese);
    QCOMPARE(buttons.contains(QStringLiteral("OK")) || buttons.contains(QStringLiteral("&OK")),
             !chinese);
    const QString details =
        chinese ? QStringLiteral("显示详情...") : QStringLiteral("Show Details...");
    QVERIFY2(buttons.contains(details), qPrintable(buttons.join(u'|')));
}

void MainWindowTest::title_rule_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "Kandorex"
                           << "Kandorex";
    QTest::newRow("upper with extension") << "KANDOREX.EXE"
                                          << "Kandorex";
    QTest::newRow("first letter kept") << "kandorex.exe"
                                       << "kandorex";
    QTest::newRow("first full stop cuts") << "Kando.Rex.exe"
                                          << "Kando";
    QTest::newRow("underscore") << "UI_Tests"
                                << "Ui_tests";
    QTest::newRow("leading full stop") << ".hidden"
                                       << "";
}

void MainWindowTest::title_rule()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);
    QCOMPARE(kandorex::applicationTitle(fileName), title);
}

void MainWindowTest::full_stop_rule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "'abc' is not a valid integer value"
                            << "'abc' is not a valid integer value.";
    QTest::newRow("full stop") << "done."
                               << "done.";
    QTest::newRow("quote") << "'abc'"
                           << "'abc'";
    QTest::newRow("digit") << "x1"
                           << "x1.";
    QTest::newRow("slash") << "a/"
                           << "a/.";
    QTest::newRow("Chinese") << "错误"
                             << "错误.";
    QTest::newRow("empty") << ""
                           << "";
}

void MainWindowTest::full_stop_rule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(kandorex::errorReportText(message), shown);
}

int main(int argc, char *argv[])
{
    // Offscreen by default, but a platform the caller chose (xcb under Xvfb) is respected.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    kandorex::installToolkitTranslations(application);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
