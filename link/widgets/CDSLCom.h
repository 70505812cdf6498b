#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "base/AppSettings.h"

class QComboBox;
class QLabel;

// COM Setup: the user picks port and baud rate. Every pick is written to the
// settings at once, so Cancel keeps it; OK and Cancel only close the dialog.
// The port list holds COM1..COM9 and, past them, each adapter present; Auto
// selects the first adapter present.
class CDSLCom : public QDialog {
    Q_OBJECT

public:
    CDSLCom(AppSettings& settings, std::string deviceDir, QWidget* parent = nullptr);

    // Shows the Auto message; tests replace it to catch it.
    std::function<void(const QString&)> messageBox;

private:
    void fillPortList();
    int portEntry(int comNumber) const;
    void selectInitialPort();
    void selectInitialBaud();
    void onPortPicked(int index);
    void onBaudPicked(int index);
    void onAuto();
    void showDevice();

    AppSettings& settings_;
    std::string deviceDir_;
    QComboBox* portList_;
    QComboBox* baudList_;
    QLabel* deviceLabel_;
};
