#pragma once

#include <QWidget>

// Content of the File List pane: the log files of the Logfiles folder.
// Empty for now; the main frame creates it the first time its pane shows.
class CFileListPane : public QWidget {
    Q_OBJECT

public:
    explicit CFileListPane(QWidget* parent = nullptr);
};
