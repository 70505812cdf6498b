#pragma once

#include <QWidget>

// Content of the Setup pane: the logger's setup in a property grid.
// Empty for now; the main frame creates it the first time its pane shows.
class CPropertiesPane : public QWidget {
    Q_OBJECT

public:
    explicit CPropertiesPane(QWidget* parent = nullptr);
};
