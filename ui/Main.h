#pragma once

// User's edits and keystrokes → WallCalculator (the core's handlers and rules) → result box.
// This window only carries texts and events between its widgets and the calculator.

#include "CalculatorView.h"
#include "ResultAnnouncer.h"
#include "WallCalculator.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QKeyEvent;
class QMouseEvent;

namespace Ui {
class TFormMain;
}

class TFormMain : public QWidget, private kandorex::CalculatorView {
    Q_OBJECT

  public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

  signals:
    // Sounded for every keystroke a count box refuses.
    void beeped();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    using Box = kandorex::Box;

    std::string boxText(Box box) const override;
    void replaceBoxText(Box box, const std::string &text) override;
    std::string boxItem(Box box, int index) const override;
    void messageBeep() override;
    void reportError(const std::string &message) override;

    QComboBox *combo(Box box) const;
    void bindChange(QComboBox *box, void (kandorex::WallCalculator::*handler)());
    static void followText(QComboBox *box);
    static bool namesAnEntry(const QComboBox *box);
    bool filterFocus(QComboBox *box, QEvent *event);
    bool filterListView(QComboBox *box, QEvent *event);
    static bool closesWithAPick(const QKeyEvent &key);
    bool filterTyping(QComboBox *box, QEvent *event);
    void filterLinkClicks(const QMouseEvent &mouse);
    QString filterDigits(QComboBox *box, const QString &typed);
    void completeModelText(const QString &typed);
    void lbl4Click();

    std::unique_ptr<Ui::TFormMain> ui_;
    kandorex::WallCalculator calculator_;
    kandorex::ResultAnnouncer announcer_{this};
    // Set by a keystroke or input method commit in the model box: its edit may be completed.
    bool completeNextModelEdit_ = false;
    // A left press on the link that a release there makes a click.
    bool linkPressed_ = false;
    bool redispatchingFocus_ = false;
};
