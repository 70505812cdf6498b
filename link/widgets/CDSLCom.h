#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "app/AppSettings.h"

class QComboBox;
class QLabel;

// COM Setup: the user picks port and baud rate. Every change of a list is
// written to the settings at once, so Cancel keeps it; OK and Cancel only
// close the dialog. Auto selects the first USB serial adapter present.
class CDSLCom : public QDialog {
    Q_OBJECT

public:
    CDSLCom(AppSettings& settings, std::string deviceDir, QWidget* parent = nullptr);

    // Shows the two Auto messages; tests replace it to catch them.
    std::function<void(const QString&)> messageBox;

private:
    void selectInitialPort();
    void selectInitialBaud();
    void onPortChanged(int index);
    void onBaudChanged(int index);
    void onAuto();
    void showDevice();

    AppSettings& settings_;
    std::string deviceDir_;
    QComboBox* portList_;
    QComboBox* baudList_;
    QLabel* deviceLabel_;
};
