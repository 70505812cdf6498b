#pragma once

#include <QWidget>

// Content of the Data List pane: the log listed record by record.
// Empty for now; the main frame creates it the first time its pane shows.
class CDataListPane : public QWidget {
    Q_OBJECT

public:
    explicit CDataListPane(QWidget* parent = nullptr);
};
