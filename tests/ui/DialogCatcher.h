#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

// Watches for modal dialogs while a test runs, records what each one showed and closes it, so a
// test never hangs on a box nobody will click. A test states how many it expected.
class DialogCatcher : public QObject {
  public:
    struct Shown {
        QString title;
        QString text;
        QString detailedText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton *>::size_type buttonCount = 0;
        QStringList buttonTexts;
        Qt::TextFormat format = Qt::AutoText;
    };

    DialogCatcher();

    QVector<Shown> shown;

  private:
    void closeActiveModal();

    QTimer timer_;
};
