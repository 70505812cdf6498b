#include "views/widgets/CDataListPane.h"

CDataListPane::CDataListPane(QWidget* parent) : QWidget(parent) {
    setObjectName("dataListPane");
    // Showing the pane puts the keyboard focus into it.
    setFocusPolicy(Qt::StrongFocus);
}
