#pragma once

#include <QIcon>
#include <string>

#include "ui/widgets/PaneWidget.h"

struct AppData;
class FrameUi;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

// Content of the File List pane: the log files of the Logfiles folder as a
// tree, "Files" > one group per serial number > one item per file. A
// double-click on a file loads it; a right-click on a file offers Rename and
// Delete. The main frame creates it the first time its pane shows.
class CFileListPane : public PaneWidget {
    Q_OBJECT

public:
    static constexpr int kTreeId = 133;
    static constexpr int kMenuId = 218;  // "Operation"
    static constexpr int kRenameCommand = 32859;
    static constexpr int kDeleteCommand = 32860;
    // A file item's name as the folder holds it (QByteArray); only file items
    // carry it.
    static constexpr int kFileNameRole = Qt::UserRole;

    enum class Level { Root, Group, File };

    CFileListPane(AppData& data, FrameUi& ui, QWidget* parent = nullptr);

    // Rebuilds the tree from the Logfiles folder.
    void fillFileList();
    // Fill: fillFileList().
    void takeMove(PaneMove move) override;

    QTreeWidget* tree() const { return tree_; }
    QMenu* operationMenu() const { return menu_; }
    // The file the last context menu was opened for, as the folder names it.
    const std::string& chosenFileName() const { return chosen_; }
    static Level level(const QTreeWidgetItem* item);

    // What a double-click on `item` does: a file loads, unless realtime
    // sampling runs; the root and a group do nothing.
    void openItem(QTreeWidgetItem* item);
    // What a right-click at `pos` (the tree's viewport) does: on a file, or
    // with no item there and a file selected, the Operation menu opens.
    void showOperationMenu(const QPoint& pos);
    // The menu's commands, for the chosen file.
    void renameChosenFile();
    void deleteChosenFile();

private:
    std::string logDir();

    AppData& data_;
    FrameUi& ui_;
    QTreeWidget* tree_;
    QMenu* menu_;
    QIcon rootIcon_;
    QIcon groupIcon_;
    QIcon fileIcon_;
    std::string chosen_;
};
