#include "AccessibleLink.h"

#include <QLabel>

namespace kandorex {
namespace {

// Rides on the label as its child, so it lives exactly as long as the label.
class LinkOpener : public QObject {
  public:
    LinkOpener(QLabel *label, std::function<void()> open) : QObject(label), open_(std::move(open))
    {
    }
    void open() const { open_(); }

  private:
    std::function<void()> open_;
};

const LinkOpener *openerOf(const QObject *object)
{
    // Not findChild(): its cast knows only classes with their own meta-object.
    for (const QObject *child : object->children())
        if (const auto *opener = dynamic_cast<const LinkOpener *>(child))
            return opener;
    return nullptr;
}

} // namespace

void exposeAsLink(QLabel *label, std::function<void()> open)
{
    new LinkOpener(label, std::move(open));
    // With a screen reader already listening, the toolkit may have made and kept the label's
    // plain interface while the window was being built; drop it so the link one is made instead.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(label);
    if (made != nullptr && dynamic_cast<AccessibleLink *>(made) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

AccessibleLink::AccessibleLink(QLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

bool AccessibleLink::isLink(const QObject *object)
{
    return openerOf(object) != nullptr;
}

QString AccessibleLink::text(QAccessible::Text t) const
{
    QString result = QAccessibleWidget::text(t);
    if (result.isEmpty() && t == QAccessible::Name)
        result = static_cast<const QLabel *>(object())->text();
    return result;
}

QAccessible::State AccessibleLink::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    return state;
}

QStringList AccessibleLink::actionNames() const
{
    return {pressAction()};
}

void AccessibleLink::doAction(const QString &actionName)
{
    if (actionName != pressAction())
        return;
    if (const LinkOpener *opener = openerOf(object()))
        opener->open();
}

} // namespace kandorex
