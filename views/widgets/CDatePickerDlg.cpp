#include "views/widgets/CDatePickerDlg.h"

CDatePickerDlg::CDatePickerDlg(QWidget* parent) : QWidget(parent) {
    setObjectName("queryPane");
}
