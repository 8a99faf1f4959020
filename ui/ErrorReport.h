#pragma once

#include <QString>

class QWidget;

namespace kandorex {

// The report's text: the message, with a full stop added when its last character comes after
// the full stop in the character table (so "…value" gets one, and "…." or "…'" do not).
QString errorReportText(const QString &message);

// The report's title, from the executable's file name: cut at the first full stop, and every
// letter after the first in lower case ("KANDOREX.EXE" gives "Kandorex").
QString applicationTitle(const QString &executableFileName);

// The standard error report: a modal box with the error icon and one OK button.
void showErrorReport(QWidget *parent, const QString &message);

} // namespace kandorex
