#include "gui/support/ModalAnswerer.h"

#include <QApplication>

#include "app/widgets/CMsgDlg.h"

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start();
    watchdog_.start();
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<CMsgDlg*>(modal)) {
        const bool busy = box == CMsgDlg::busyWindow();
        if (!box->buttonsEnabled()) {
            if (watchdog_.elapsed() < kWatchdogMs) return;
            watchdogFired = true;
            box->busyUpdate("watchdog", true);
        }
        (busy ? busyTexts : messages).push_back(box->text().toStdString());
        box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialogs.emplace_back(dialog->metaObject()->className());
        if (onDialog) onDialog(*dialog);
        if (dialog->isVisible()) dialog->done(otherResult);
    }
}
