#include "setup/widgets/CPropertiesPane.h"

CPropertiesPane::CPropertiesPane(QWidget* parent) : QWidget(parent) {
    setObjectName("setupPane");
    // Showing the pane puts the keyboard focus into it.
    setFocusPolicy(Qt::StrongFocus);
}
