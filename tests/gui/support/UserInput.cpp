#include "gui/support/UserInput.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

void pickEntry(QComboBox* list, const QString& text) {
    const int row = list->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    list->window()->show();
    list->showPopup();
    QAbstractItemView* view = list->view();
    view->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
}
