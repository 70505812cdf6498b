#include "logdata/widgets/CFileListPane.h"

CFileListPane::CFileListPane(QWidget* parent) : QWidget(parent) {
    setObjectName("fileListPane");
}
