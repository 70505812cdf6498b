#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

// Answers the modal dialogs while it lives: message dialogs and the busy box
// with OK once their buttons work (texts recorded), any other dialog with
// `otherResult` unless `onDialog` has ended it already. A busy box whose
// buttons still do not work after kWatchdogMs is ended by force, so a test
// that would wait for ever fails instead.
class ModalAnswerer : public QObject {
public:
    static constexpr int kWatchdogMs = 30000;

    ModalAnswerer();

    std::vector<std::string> messages;
    std::vector<std::string> busyTexts;  // what each busy box showed when it could close
    std::vector<std::string> dialogs;    // class names of the other dialogs
    int otherResult = QDialog::Rejected;
    // Called with each of the other dialogs before it is answered: a test
    // looks at it or acts in it as the user would (a choice, then OK).
    std::function<void(QDialog&)> onDialog;
    bool watchdogFired = false;

private:
    void poll();

    QTimer timer_;
    QElapsedTimer watchdog_;
};
