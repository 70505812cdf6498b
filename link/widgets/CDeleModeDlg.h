#pragma once

#include "link/widgets/CLogKindDlg.h"

// Asks which kind of log to delete from the logger. exec() returns kAutoLogs,
// kManuLogs or 0 (Cancel). Deleting cannot be undone: Enter cancels.
class CDeleModeDlg : public CLogKindDlg {
    Q_OBJECT

public:
    static constexpr int kAutoLogs = 1038;
    static constexpr int kManuLogs = 1039;

    explicit CDeleModeDlg(QWidget* parent = nullptr);
};
