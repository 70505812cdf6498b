#include "logdata/widgets/CFileListPane.h"

CFileListPane::CFileListPane(QWidget* parent) : QWidget(parent) {
    setObjectName("fileListPane");
    // Showing the pane puts the keyboard focus into it.
    setFocusPolicy(Qt::StrongFocus);
}
