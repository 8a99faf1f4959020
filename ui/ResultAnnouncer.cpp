#include "ResultAnnouncer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QWidget>

namespace kandorex {
namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// The notification a reader hears, with no widget behind it: it names the window as its parent
// but is not among the window's children, so a reader meets it only through its events. Its name
// is the message; its coming into view is what Orca reads out.
class Notification : public QAccessibleObject {
  public:
    Notification(QObject *holder, QWidget *window) : QAccessibleObject(holder), window_(window) {}

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(window_);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? object()->objectName() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
    QRect rect() const override { return {}; }

  private:
    QWidget *window_;
};
#endif

} // namespace

ResultAnnouncer::ResultAnnouncer(QWidget *window) : window_(window) {}

ResultAnnouncer::~ResultAnnouncer() = default;

void ResultAnnouncer::boxReplaced(const QWidget *box, const QString &text)
{
    // The start-up texts are read with the window; only what the user changed is announced.
    if (window_->isVisible())
        pending_.push_back(box->accessibleName() + u' ' + text);
}

void ResultAnnouncer::resultReplaced(const QString &line)
{
    if (window_->isVisible())
        pending_.push_back(line);
}

void ResultAnnouncer::changeHandled()
{
    const QString message = pending_.join(QStringLiteral(", "));
    pending_.clear();
    if (message.isEmpty())
        return;
    lastMessage_ = message;
    if (!QAccessible::isActive())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window_, message);
    QAccessible::updateAccessibility(&event);
#else
    if (notification_ == nullptr) {
        notification_ = new QObject(window_);
        // The interface is made here and kept by the toolkit, which deletes it with the holder.
        const auto id =
            QAccessible::registerAccessibleInterface(new Notification(notification_, window_));
        Q_UNUSED(id);
    }
    notification_->setObjectName(message);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(notification_);
    QAccessibleEvent shown(iface, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace kandorex
