#include "ErrorReport.h"

#include "FixedWindow.h"
#include "WholeCharacters.h"

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
    const QString text = errorReportText(message);
    // A pasted text of thousands of characters would make a box taller than the screen, its OK
    // button out of reach: show its two ends, and the whole of it under "Show Details...".
    constexpr qsizetype kShownEnd = 400;
    const bool tooLong = text.size() > 3 * kShownEnd;
    const QString shown = tooLong ? text.left(wholeCharactersWithin(text, kShownEnd)) +
                                        QStringLiteral(" … ") +
                                        text.mid(wholeCharactersFrom(text, text.size() - kShownEnd))
                                  : text;
    QMessageBox box(QMessageBox::Critical, title, shown, QMessageBox::Ok, parent);
    if (tooLong)
        box.setDetailedText(text);
    // The message quotes whatever the user pasted: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    keepWindowFixed(&box);
    box.exec();
}

} // namespace kandorex
