#pragma once

#include <QWidget>

// Content of the Query pane: the date and time range the log is cut to.
// Empty for now; the main frame creates it the first time its pane shows.
class CDatePickerDlg : public QWidget {
    Q_OBJECT

public:
    explicit CDatePickerDlg(QWidget* parent = nullptr);
};
