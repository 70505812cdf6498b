#include "logdata/widgets/CFileListPane.h"

#include <QFile>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/FrameUi.h"
#include "logdata/LogFile.h"
#include "logdata/LogNames.h"
#include "logdata/UserFiles.h"
#include "logdata/widgets/CRenameDlg.h"
#include "record/AppData.h"
#include "ui/widgets/ResourceImages.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr const char* kRootText = QT_TRANSLATE_NOOP("Dravin", "Files");
constexpr const char* kInvalidName = QT_TRANSLATE_NOOP("Dravin", "Invalid new file name.");
constexpr const char* kCommandFailed = QT_TRANSLATE_NOOP("Dravin", "Command failed.");
constexpr const char* kDeleteQuestion =
    QT_TRANSLATE_NOOP("Dravin", "Are you sure to delete the log file %1?");
constexpr int kPictureSize = 16;

// Names go to and from the folder as its bytes; the tree shows them as text.
QString shownName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string folderName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// The file shown and picture 4 for it while it is selected.
QIcon fileIcon() {
    QIcon icon;
    const QSize size(kPictureSize, kPictureSize);
    icon.addPixmap(treeIcon(kTreeFile).pixmap(size), QIcon::Normal);
    icon.addPixmap(treeIcon(kTreeFileSelected).pixmap(size), QIcon::Selected);
    return icon;
}

// True when both paths name the same directory entry (the same folder, by
// whatever way of writing it, and the same name).
bool samePath(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    const std::filesystem::path first = std::filesystem::weakly_canonical(a, error);
    if (error) return false;
    const std::filesystem::path second = std::filesystem::weakly_canonical(b, error);
    return !error && first == second;
}

}  // namespace

CFileListPane::CFileListPane(AppData& data, FrameUi& ui, QWidget* parent)
    : PaneWidget(parent),
      data_(data),
      ui_(ui),
      tree_(new QTreeWidget(this)),
      menu_(new QMenu(tr("Operation"), this)),
      rootIcon_(treeIcon(kTreeRoot)),
      groupIcon_(treeIcon(kTreeGroup)),
      fileIcon_(::fileIcon()) {
    setObjectName("fileListPane");

    tree_->setObjectName(QStringLiteral("tree%1").arg(kTreeId));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    tree_->setIconSize(QSize(kPictureSize, kPictureSize));
    tree_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openItem(item); });
    connect(tree_, &QTreeWidget::customContextMenuRequested, this,
            &CFileListPane::showOperationMenu);

    menu_->setObjectName(QStringLiteral("menu%1").arg(kMenuId));
    QAction* rename = menu_->addAction(tr("Rename"));
    rename->setData(kRenameCommand);
    QAction* remove = menu_->addAction(tr("Delete"));
    remove->setData(kDeleteCommand);
    connect(rename, &QAction::triggered, this, &CFileListPane::renameChosenFile);
    connect(remove, &QAction::triggered, this, &CFileListPane::deleteChosenFile);

    // The tree fills the pane.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    // Showing the pane puts the keyboard focus into the tree.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(tree_);

    fillFileList();
}

std::string CFileListPane::logDir() {
    // The pane may fill while the main frame is still being made.
    ensureProgramDir(data_);
    return logFilesDir(data_);
}

void CFileListPane::takeMove(PaneMove move) {
    if (move == PaneMove::Fill) fillFileList();
}

void CFileListPane::fillFileList() {
    const std::vector<LogGroup> groups = groupLogNames(listLogNames(logDir()));
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_, {windowText(kRootText)});
    root->setIcon(0, rootIcon_);
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    for (const LogGroup& group : groups) {
        auto* groupItem = new QTreeWidgetItem(root, {shownName(group.text)});
        groupItem->setIcon(0, groupIcon_);
        for (const std::string& file : group.files) {
            auto* fileItem = new QTreeWidgetItem(groupItem, {shownName(file)});
            fileItem->setIcon(0, fileIcon_);
            fileItem->setData(0, kFileNameRole, QByteArray::fromStdString(file));
        }
        groupItem->setExpanded(true);
    }
    root->setExpanded(true);
}

CFileListPane::Level CFileListPane::level(const QTreeWidgetItem* item) {
    if (item->parent() == nullptr) return Level::Root;
    if (item->parent()->parent() == nullptr) return Level::Group;
    return Level::File;
}

void CFileListPane::openItem(QTreeWidgetItem* item) {
    if (item == nullptr || level(item) != Level::File) return;
    // Loading would replace the live log and its serial number.
    if (data_.link.realtimeActive) return;
    const std::string name = item->data(0, kFileNameRole).toByteArray().toStdString();
    LogStore& store = data_.log.store;
    const std::string oldPath = store.currentFilePath;
    const std::string oldName = store.currentFileName;
    int oldVisible[kChannels];
    std::memcpy(oldVisible, data_.display.channelVisible, sizeof oldVisible);

    for (int& visible : data_.display.channelVisible) visible = 1;
    store.currentFileName = name;
    store.currentFilePath = logDir() + name;
    if (!loadLogFile(data_, ui_)) {
        // The log on show stays, and so does the file it came from.
        store.currentFilePath = oldPath;
        store.currentFileName = oldName;
        std::memcpy(data_.display.channelVisible, oldVisible, sizeof oldVisible);
    }
}

void CFileListPane::showOperationMenu(const QPoint& pos) {
    QTreeWidgetItem* item = tree_->itemAt(pos);
    if (item == nullptr) item = tree_->currentItem();
    if (item == nullptr || level(item) != Level::File) return;
    chosen_ = item->data(0, kFileNameRole).toByteArray().toStdString();
    menu_->popup(tree_->viewport()->mapToGlobal(pos));
}

void CFileListPane::renameChosenFile() {
    CRenameDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string newName = folderName(dialog.newName());
    switch (checkNewLogName(newName)) {
        case NewNameCheck::Invalid:
            ui_.showMessage(windowText(kInvalidName).toStdString());
            return;
        case NewNameCheck::Refused:
            ui_.showMessage(windowText(kCommandFailed).toStdString());
            return;
        case NewNameCheck::Ok:
            break;
    }
    const std::string dir = logDir();
    LogStore& store = data_.log.store;
    const bool onShow = samePath(store.currentFilePath, dir + chosen_);
    if (!userFiles().rename(dir, chosen_, newName).ok()) {
        ui_.showMessage(windowText(kCommandFailed).toStdString());
        return;
    }
    if (onShow) {
        // "100%" and the query reload the file under its new name.
        store.currentFilePath = dir + newName;
        store.currentFileName = newName;
        data_.events.logRenamed(store.currentFilePath);
    }
    fillFileList();
}

void CFileListPane::deleteChosenFile() {
    const QString question = windowText(kDeleteQuestion).arg(shownName(chosen_));
    if (!ui_.showMessage(question.toStdString())) return;
    const Outcome deleted = userFiles().remove(logDir(), chosen_);
    fillFileList();
    // A file that another program removed first is gone, as the user asked.
    if (!deleted.ok() && deleted.error != ENOENT)
        ui_.showMessage(windowText(kCommandFailed).toStdString());
}
