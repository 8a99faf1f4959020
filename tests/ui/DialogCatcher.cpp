#include "DialogCatcher.h"

#include <QAbstractButton>
#include <QApplication>

DialogCatcher::DialogCatcher()
{
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &DialogCatcher::closeActiveModal);
    timer_.start();
}

void DialogCatcher::closeActiveModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    Shown record;
    record.title = modal->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        record.text = box->text();
        record.detailedText = box->detailedText();
        record.icon = box->icon();
        record.buttonCount = box->buttons().size();
        for (const QAbstractButton *button : box->buttons())
            record.buttonTexts.push_back(button->text());
        record.format = box->textFormat();
        if (QAbstractButton *ok = box->button(QMessageBox::Ok)) {
            shown.push_back(record);
            ok->click();
            return;
        }
    }
    shown.push_back(record);
    modal->close();
}
