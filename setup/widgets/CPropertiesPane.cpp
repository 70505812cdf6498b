#include "setup/widgets/CPropertiesPane.h"

CPropertiesPane::CPropertiesPane(QWidget* parent) : QWidget(parent) {
    setObjectName("setupPane");
}
