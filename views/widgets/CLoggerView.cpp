#include "views/widgets/CLoggerView.h"

CLoggerView::CLoggerView(QWidget* parent) : QWidget(parent) {
    setObjectName("loggerView");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}
