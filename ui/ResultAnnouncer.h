#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace kandorex {

// Speaks a new result line through the screen reader while the focus stays where the user typed:
// a reader speaks changes of the focused box only, so the line in the result box would go
// unheard. A box the program set back (a refused count back to 2) is told first, by its name and
// new text. Nothing is shown or drawn. On Qt 6.8 and later this is the toolkit's announcement; on
// older Qt, where there is none, it is an unseen notification object of the window coming into
// view, which Orca reads out.
class ResultAnnouncer {
  public:
    explicit ResultAnnouncer(QWidget *window);
    ~ResultAnnouncer();
    ResultAnnouncer(const ResultAnnouncer &) = delete;
    ResultAnnouncer &operator=(const ResultAnnouncer &) = delete;

    // The program replaced the text of `box` while handling the user's change.
    void boxReplaced(const QWidget *box, const QString &text);
    // The program wrote a new result line.
    void resultReplaced(const QString &line);
    // The user's change is handled: speaks what it changed, once.
    void changeHandled();

    // What the last announcement said.
    QString lastMessage() const { return lastMessage_; }

  private:
    QWidget *window_;
    QStringList pending_;
    QString lastMessage_;
    // Stands for the unseen notification on Qt before 6.8; owned by the window.
    QPointer<QObject> notification_;
};

} // namespace kandorex
