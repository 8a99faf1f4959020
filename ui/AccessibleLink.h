#pragma once

#include <QAccessibleWidget>
#include <functional>

class QLabel;

namespace kandorex {

// Shows `label` to assistive technologies as a link whose one action, Press, calls `open`; the
// label stays as it is for everyone else (and out of the Tab order). Call once the label exists.
void exposeAsLink(QLabel *label, std::function<void()> open);

// The interface exposeAsLink() gives its label; made by the program's accessibility factory.
class AccessibleLink : public QAccessibleWidget {
  public:
    explicit AccessibleLink(QLabel *label);

    // Whether exposeAsLink() was called for `object`.
    static bool isLink(const QObject *object);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

} // namespace kandorex
