#include "ErrorReport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace kandorex {

QString errorReportText(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString applicationTitle(const QString &executableFileName)
{
    const QString name = executableFileName.section(u'.', 0, 0);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

void showErrorReport(QWidget *parent, const QString &message)
{
    const QString title =
        applicationTitle(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    QMessageBox box(QMessageBox::Critical, title, errorReportText(message), QMessageBox::Ok,
                    parent);
    // The message quotes whatever the user pasted: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kandorex
