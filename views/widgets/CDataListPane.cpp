#include "views/widgets/CDataListPane.h"

CDataListPane::CDataListPane(QWidget* parent) : QWidget(parent) {
    setObjectName("dataListPane");
}
