#include "link/widgets/CDownModeDlg.h"

CDownModeDlg::CDownModeDlg(QWidget* parent)
    : CLogKindDlg(tr("Download Logs"),
                  tr("There are two kinds of log in the logger : Auto and Manu. "), kAutoLogs,
                  kManuLogs, EnterKey::AutoLogs, parent) {}
