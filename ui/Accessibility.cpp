#include "Accessibility.h"

#include "AccessibleLineEdit.h"
#include "AccessibleLink.h"

#include <QLabel>
#include <QLineEdit>

namespace kandorex {
namespace {

// Asked for each class of an object from the most derived up, before the toolkit's factory.
QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit"))
        return new AccessibleLineEdit(static_cast<QLineEdit *>(object));
    if (className == QLatin1String("QLabel") && AccessibleLink::isLink(object))
        return new AccessibleLink(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kandorex
