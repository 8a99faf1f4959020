// What assistive technologies get from the window, asked in-process through the toolkit's public
// accessibility API on real widgets: the text items of every line edit (against hand-made tables,
// and at every offset under a watchdog), what a line edit still exposes, the link, and what is
// announced of a change. (Offscreen there is no bridge to announce to: the Orca and AT-SPI tests
// hear the announcements themselves.)
#include "DialogCatcher.h"
#include "Main.h"
#include "ResultAnnouncer.h"
#include "TextBoundaries.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

Q_DECLARE_METATYPE(kandorex::TextSide)

namespace {

using Boundary = QAccessible::TextBoundaryType;
using kandorex::TextSide;

const QString kStartLine = QStringLiteral("总宽度4.06米×总高度3.05米=总面积12.39平方米");
const QString kLinkText =
    QStringLiteral("https://www.kandorex.example/   Kandorex 专业拼接电视墙制造商");

// Ends the test run if the thread that armed it has not disarmed it in time: a toolkit loop that
// never returns fails the test instead of hanging it.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds limit, const char *what)
        : thread_([this, limit, what] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return disarmed_; })) {
                  std::fprintf(stderr, "FAIL: %s did not return within %lld s\n", what,
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::_Exit(1);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            disarmed_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool disarmed_ = false;
    std::thread thread_;
};

// Receives the URLs the window asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl &url) { opened.push_back(url); }
};

const QList<Boundary> kAllBoundaries{QAccessible::CharBoundary,     QAccessible::WordBoundary,
                                     QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary,
                                     QAccessible::LineBoundary,     QAccessible::NoBoundary};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void text_items_follow_the_table_data();
    void text_items_follow_the_table();
    void every_line_edit_answers_every_item_at_every_offset();
    void line_edit_keeps_what_the_toolkit_exposes();
    void text_attributes_are_one_run_over_the_whole_line();
    void link_is_a_link_whose_action_opens_the_page();
    void changes_are_announced_with_the_new_line_data();
    void changes_are_announced_with_the_new_line();
    void start_up_is_not_announced();

  private:
    template <typename T> T *child(const char *name) const
    {
        T *widget = window_->findChild<T *>(QLatin1String(name));
        if (widget == nullptr)
            qFatal("no widget %s", name);
        return widget;
    }
    QAccessibleInterface *accessible(QObject *object) const
    {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
        if (iface == nullptr)
            qFatal("no accessible interface");
        return iface;
    }

    std::unique_ptr<TFormMain> window_;
    std::unique_ptr<DialogCatcher> dialogs_;
};

void AccessibilityTest::init()
{
    dialogs_ = std::make_unique<DialogCatcher>();
    window_ = std::make_unique<TFormMain>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void AccessibilityTest::cleanup()
{
    window_.reset();
    dialogs_.reset();
}

void AccessibilityTest::text_items_follow_the_table_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<Boundary>("boundary");
    QTest::addColumn<TextSide>("side");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");

    const auto row = [](const char *name, const QString &text, int offset, Boundary boundary,
                        TextSide side, int start, int end) {
        QTest::newRow(name) << text << offset << boundary << side << start << end;
    };
    const QString two = QStringLiteral("2");
    // A count box holding "2": the end of the text is where the toolkit's loop never returned.
    row("2 word at end", two, 1, QAccessible::WordBoundary, TextSide::At, 1, 1);
    row("2 word before end", two, 1, QAccessible::WordBoundary, TextSide::Before, 0, 1);
    row("2 word after end", two, 1, QAccessible::WordBoundary, TextSide::After, 1, 1);
    row("2 word at start", two, 0, QAccessible::WordBoundary, TextSide::At, 0, 1);
    row("2 char at end", two, 1, QAccessible::CharBoundary, TextSide::At, 1, 1);
    row("2 char before end", two, 1, QAccessible::CharBoundary, TextSide::Before, 0, 1);
    row("2 sentence at end", two, 1, QAccessible::SentenceBoundary, TextSide::At, 1, 1);
    row("2 line at end", two, 1, QAccessible::LineBoundary, TextSide::At, 0, 1);
    row("2 line before end", two, 1, QAccessible::LineBoundary, TextSide::Before, 0, 0);
    row("2 paragraph at start", two, 0, QAccessible::ParagraphBoundary, TextSide::At, 0, 1);
    row("2 whole at end", two, 1, QAccessible::NoBoundary, TextSide::At, 0, 1);

    const QString empty;
    row("empty word at 0", empty, 0, QAccessible::WordBoundary, TextSide::At, 0, 0);
    row("empty line at 0", empty, 0, QAccessible::LineBoundary, TextSide::At, 0, 0);
    row("empty char after 0", empty, 0, QAccessible::CharBoundary, TextSide::After, 0, 0);

    // The result line: each Chinese character is a word of its own, a figure with its decimal
    // point is one word, and the signs between are words too. 29 characters.
    const QString line = kStartLine;
    row("line word at 0", line, 0, QAccessible::WordBoundary, TextSide::At, 0, 1);
    row("line word at the figure", line, 4, QAccessible::WordBoundary, TextSide::At, 3, 7);
    row("line word after the figure", line, 3, QAccessible::WordBoundary, TextSide::After, 7, 8);
    row("line word before the figure", line, 5, QAccessible::WordBoundary, TextSide::Before, 2, 3);
    row("line word at ×", line, 8, QAccessible::WordBoundary, TextSide::At, 8, 9);
    row("line word at 12.39", line, 22, QAccessible::WordBoundary, TextSide::At, 21, 26);
    row("line word at 积", line, 20, QAccessible::WordBoundary, TextSide::At, 20, 21);
    row("line word at the last", line, 28, QAccessible::WordBoundary, TextSide::At, 28, 29);
    row("line word before the end", line, 29, QAccessible::WordBoundary, TextSide::Before, 28, 29);
    row("line char at the last", line, 28, QAccessible::CharBoundary, TextSide::At, 28, 29);
    row("line char after 0", line, 0, QAccessible::CharBoundary, TextSide::After, 1, 2);
    row("line line at the end", line, 29, QAccessible::LineBoundary, TextSide::At, 0, 29);
    row("line line at 0", line, 0, QAccessible::LineBoundary, TextSide::At, 0, 29);
    row("line line after 0", line, 0, QAccessible::LineBoundary, TextSide::After, 29, 29);
    row("line sentence at 10", line, 10, QAccessible::SentenceBoundary, TextSide::At, 0, 29);

    // A model text: a Latin word with its digits, a blank, Chinese characters.
    const QString model = QStringLiteral("DLP100 英寸背投拼接");
    row("model word at 2", model, 2, QAccessible::WordBoundary, TextSide::At, 0, 6);
    row("model word after 2", model, 2, QAccessible::WordBoundary, TextSide::After, 6, 7);
    row("model word at the blank", model, 6, QAccessible::WordBoundary, TextSide::At, 6, 7);
    row("model word after the blank", model, 6, QAccessible::WordBoundary, TextSide::After, 7, 8);

    const QString sentences = QStringLiteral("One two. Three.");
    row("sentence at 1", sentences, 1, QAccessible::SentenceBoundary, TextSide::At, 0, 9);
    row("sentence after 1", sentences, 1, QAccessible::SentenceBoundary, TextSide::After, 9, 15);
    row("sentence before 12", sentences, 12, QAccessible::SentenceBoundary, TextSide::Before, 0, 9);
    row("word at the blank", sentences, 3, QAccessible::WordBoundary, TextSide::At, 3, 4);

    const QString lines = QStringLiteral("ab\ncd");
    row("lines line at 1", lines, 1, QAccessible::LineBoundary, TextSide::At, 0, 3);
    row("lines line at 3", lines, 3, QAccessible::LineBoundary, TextSide::At, 3, 5);
    row("lines line after 0", lines, 0, QAccessible::LineBoundary, TextSide::After, 3, 5);
    row("lines line before end", lines, 5, QAccessible::LineBoundary, TextSide::Before, 0, 3);
    row("lines paragraph at 4", lines, 4, QAccessible::ParagraphBoundary, TextSide::At, 3, 5);
    row("lines whole at 4", lines, 4, QAccessible::NoBoundary, TextSide::At, 0, 5);
}

void AccessibilityTest::text_items_follow_the_table()
{
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(Boundary, boundary);
    QFETCH(TextSide, side);
    QFETCH(int, start);
    QFETCH(int, end);

    const kandorex::TextRange range = kandorex::textItem(text, offset, boundary, side);
    QCOMPARE(range.start, start);
    QCOMPARE(range.end, end);
}

void AccessibilityTest::every_line_edit_answers_every_item_at_every_offset()
{
    // State: the window's four line edits, as the toolkit's accessibility finds them, with texts
    // of one, a dozen and thirty characters. Action: every item kind before, at and after every
    // offset, and the caret and end conventions (-2, -1). Expected: each call returns at once, with
    // a range inside the text that holds the offset, and the items tile the text.
    child<QLineEdit>("edtView")->setText(kStartLine + QStringLiteral(" 两句。第二句!"));
    const QList<QLineEdit *> edits = window_->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 4);
    const Watchdog watchdog(std::chrono::seconds(20), "the text item sweep");
    for (QLineEdit *edit : edits) {
        QAccessibleTextInterface *text = accessible(edit)->textInterface();
        QVERIFY(text != nullptr);
        const QString value = edit->text();
        const int length = text->characterCount();
        QCOMPARE(length, int(value.size()));
        // First the end of the text, where the toolkit's own loop for words never returned: only
        // the watchdog ends such a call. The answers are checked below.
        for (Boundary boundary : kAllBoundaries) {
            int start = -1;
            int end = -1;
            text->textAtOffset(length, boundary, &start, &end);
        }
        for (Boundary boundary : kAllBoundaries) {
            int start = -1;
            int end = -1;
            int walked = 0;
            // Walking item by item from the start covers the text exactly.
            while (walked < length) {
                const QString item = text->textAtOffset(walked, boundary, &start, &end);
                QCOMPARE(start, walked);
                QVERIFY2(end > start, qPrintable(value));
                QCOMPARE(item, value.mid(start, end - start));
                walked = end;
            }
            for (int offset = 0; offset <= length; ++offset) {
                const QString at = text->textAtOffset(offset, boundary, &start, &end);
                QVERIFY(0 <= start && start <= end && end <= length);
                QCOMPARE(at, value.mid(start, end - start));
                if (offset < length)
                    QVERIFY(start <= offset && offset < end);
                const int atStart = start;
                const int atEnd = end;
                const QString before = text->textBeforeOffset(offset, boundary, &start, &end);
                QCOMPARE(before, value.mid(start, end - start));
                QVERIFY(end <= (atStart < atEnd ? atStart : offset));
                const QString after = text->textAfterOffset(offset, boundary, &start, &end);
                QCOMPARE(after, value.mid(start, end - start));
                QVERIFY(start >= (atStart < atEnd ? atEnd : offset));
            }
            // Characters are the text's own code units here: none of these needs two.
            if (boundary == QAccessible::CharBoundary) {
                for (int offset = 0; offset < length; ++offset) {
                    QCOMPARE(text->textAtOffset(offset, boundary, &start, &end),
                             value.mid(offset, 1));
                }
            }
            // -1 stands for the end, -2 for the caret.
            QCOMPARE(text->textAtOffset(-1, boundary, &start, &end),
                     text->textAtOffset(length, boundary, &walked, &walked));
            edit->setCursorPosition(0);
            QCOMPARE(text->textAtOffset(-2, boundary, &start, &end),
                     text->textAtOffset(0, boundary, &walked, &walked));
        }
    }
}

void AccessibilityTest::line_edit_keeps_what_the_toolkit_exposes()
{
    auto *result = child<QLineEdit>("edtView");
    QAccessibleInterface *iface = accessible(result);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("计算结果"));
    QCOMPARE(iface->text(QAccessible::Value), kStartLine);
    QVERIFY(iface->state().editable);
    QVERIFY(iface->state().focusable);
    QVERIFY(iface->state().selectableText);
    QVERIFY(!iface->state().readOnly);
    QVERIFY(iface->editableTextInterface() != nullptr);
    QCOMPARE(iface->parent()->object(), window_.get());

    QAccessibleTextInterface *text = iface->textInterface();
    QCOMPARE(text->characterCount(), int(kStartLine.size()));
    QCOMPARE(text->text(0, 3), QStringLiteral("总宽度"));
    text->setCursorPosition(4);
    QCOMPARE(result->cursorPosition(), 4);
    QCOMPARE(text->cursorPosition(), 4);
    text->setSelection(0, 3, 7);
    QCOMPARE(result->selectedText(), QStringLiteral("4.06"));
    QCOMPARE(text->selectionCount(), 1);
    int start = 0;
    int end = 0;
    text->selection(0, &start, &end);
    QCOMPARE(start, 3);
    QCOMPARE(end, 7);
    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
    const QRect first = text->characterRect(0);
    const QRect second = text->characterRect(1);
    QVERIFY(first.isValid() && second.isValid());
    QVERIFY(second.left() >= first.right());
    QCOMPARE(text->offsetAtPoint(second.center()), 1);

    // Editing through the interface is an edit of the box: the count is checked and recomputed.
    QComboBox *across = child<QComboBox>("cbbXn");
    QAccessibleInterface *acrossEdit = accessible(across->lineEdit());
    QCOMPARE(acrossEdit->text(QAccessible::Value), QStringLiteral("2"));
    acrossEdit->editableTextInterface()->replaceText(0, 1, QStringLiteral("5"));
    QCOMPARE(across->currentText(), QStringLiteral("5"));
    QCOMPARE(result->text(), QStringLiteral("总宽度10.16米×总高度3.05米=总面积30.97平方米"));
    acrossEdit->setText(QAccessible::Value, QStringLiteral("2"));
    QCOMPARE(result->text(), kStartLine);
}

void AccessibilityTest::text_attributes_are_one_run_over_the_whole_line()
{
    // An empty run at each offset made Orca read the line up to its last character only.
    QAccessibleTextInterface *text = accessible(child<QLineEdit>("edtView"))->textInterface();
    for (int offset : {0, 5, int(kStartLine.size()) - 1}) {
        int start = -1;
        int end = -1;
        QCOMPARE(text->attributes(offset, &start, &end), QString());
        QCOMPARE(start, 0);
        QCOMPARE(end, int(kStartLine.size()));
    }
}

void AccessibilityTest::link_is_a_link_whose_action_opens_the_page()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    auto *label = child<QLabel>("lbl4");
    QAccessibleInterface *link = accessible(label);
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), kLinkText);
    QVERIFY(link->state().linked);
    QVERIFY(!link->state().focusable);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QAccessibleActionInterface *action = link->actionInterface();
    QVERIFY(action != nullptr);
    QCOMPARE(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    action->doAction(QAccessibleActionInterface::pressAction());
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl(QStringLiteral("https://www.kandorex.example/"))});

    // The other labels stay plain labels.
    QCOMPARE(accessible(child<QLabel>("lbl2"))->role(), QAccessible::StaticText);
}

void AccessibilityTest::changes_are_announced_with_the_new_line_data()
{
    QTest::addColumn<QStringList>("replaced"); // box name, new text, ...
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    const QString line = QStringLiteral("总宽度10.16米×总高度3.05米=总面积30.97平方米");
    QTest::newRow("a new line") << QStringList() << line << line;
    QTest::newRow("a count set back to 2")
        << QStringList{QStringLiteral("横向台数"), QStringLiteral("2")} << kStartLine
        << QStringLiteral("横向台数 2, ") + kStartLine;
    QTest::newRow("set back, no line after it")
        << QStringList{QStringLiteral("纵向台数"), QStringLiteral("2")} << QString()
        << QStringLiteral("纵向台数 2");
    QTest::newRow("nothing changed") << QStringList() << QString() << QString();
}

void AccessibilityTest::changes_are_announced_with_the_new_line()
{
    // State: a shown window with a box. Action: the program sets boxes back and writes a line
    // while handling a change. Expected: once handled, one message: the boxes set back by name
    // and new text, then the line; the next change starts afresh.
    QFETCH(QStringList, replaced);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QWidget window;
    QComboBox box(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    kandorex::ResultAnnouncer announcer(&window);
    for (qsizetype i = 0; i + 1 < replaced.size(); i += 2) {
        box.setAccessibleName(replaced[i]);
        announcer.boxReplaced(&box, replaced[i + 1]);
    }
    if (!line.isEmpty())
        announcer.resultReplaced(line);
    announcer.changeHandled();
    QCOMPARE(announcer.lastMessage(), expected);

    announcer.resultReplaced(kStartLine);
    announcer.changeHandled();
    QCOMPARE(announcer.lastMessage(), kStartLine);
    // Nothing is shown for it: the window has no more widgets than before.
    QCOMPARE(window.findChildren<QWidget *>().size(), 1 + box.findChildren<QWidget *>().size());
}

void AccessibilityTest::start_up_is_not_announced()
{
    // The texts written before the window is shown are read with the window, not announced.
    QWidget window;
    QComboBox box(&window);
    box.setAccessibleName(QStringLiteral("横向台数"));
    kandorex::ResultAnnouncer announcer(&window);
    announcer.boxReplaced(&box, QStringLiteral("2"));
    announcer.resultReplaced(kStartLine);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    announcer.changeHandled();
    QCOMPARE(announcer.lastMessage(), QString());
}

int main(int argc, char *argv[])
{
    // Offscreen by default, but a platform the caller chose (xcb under Xvfb) is respected.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AccessibilityTest.moc"
