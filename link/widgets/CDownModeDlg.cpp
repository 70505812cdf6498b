#include "link/widgets/CDownModeDlg.h"

CDownModeDlg::CDownModeDlg(QWidget* parent)
    : CLogKindDlg(QStringLiteral("Download Logs"),
                  QString::fromUtf8("There are two kinds of log in the logger : Auto and Manu. "),
                  kAutoLogs, kManuLogs, EnterKey::AutoLogs, parent) {}
