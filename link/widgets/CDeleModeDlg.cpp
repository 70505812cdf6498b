#include "link/widgets/CDeleModeDlg.h"

CDeleModeDlg::CDeleModeDlg(QWidget* parent)
    : CLogKindDlg(tr("Delete Logs"),
                  tr("There are two kinds of log in the logger : Auto and Manu. "
                     "The logs cannot be recovered after being deleted."),
                  kAutoLogs, kManuLogs, EnterKey::Cancel, parent) {}
