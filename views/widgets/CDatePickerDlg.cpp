#include "views/widgets/CDatePickerDlg.h"

CDatePickerDlg::CDatePickerDlg(QWidget* parent) : QWidget(parent) {
    setObjectName("queryPane");
    // Showing the pane puts the keyboard focus into it.
    setFocusPolicy(Qt::StrongFocus);
}
