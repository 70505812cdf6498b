#pragma once

#include "link/widgets/CLogKindDlg.h"

// Asks which kind of log to download. exec() returns kAutoLogs, kManuLogs or
// 0 (Cancel).
class CDownModeDlg : public CLogKindDlg {
    Q_OBJECT

public:
    static constexpr int kAutoLogs = 1036;
    static constexpr int kManuLogs = 1037;

    explicit CDownModeDlg(QWidget* parent = nullptr);
};
