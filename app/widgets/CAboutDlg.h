#pragma once

#include <QDialog>

// The About box: program name, version and maker, with an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
