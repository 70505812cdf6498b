#pragma once

#include <QDialog>

// The About box: program name, version and maker, with an OK button; over a
// main frame whose settings and logs are not beside the program, also the
// folder they are in.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
