// The File List pane offscreen: the tree of the Logfiles folder, the
// double-click that loads a log, the Operation menu with Rename and Delete,
// and the main frame's refills.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/LogFile.h"
#include "logdata/LogSaver.h"
#include "logdata/widgets/CFileListPane.h"
#include "logdata/widgets/CRenameDlg.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* kFirst = "1234567890_20100305_1422.drav";
constexpr const char* kSecond = "1234567890_20100306_0900.drav";
constexpr const char* kThird = "2222222222_20100101_0000.drav";

// A log of `records` one-channel records, channel 1 from `first` upward.
void writeLog(const std::string& path, uint32_t records, float first = 20.0f) {
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.serialNo, "1234567890", sizeof data->log.setup.serialNo);
    data->log.store.channelCount = 1;
    data->log.store.recordCount = records;
    for (uint32_t i = 0; i < records; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20100305142201", kTimestampLength);
        data->log.store.values[0][i] = first + static_cast<float>(i);
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(writeLogFile(out, data->log.store, data->log.setup));
}

void touch(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "x";
}

std::string text(const QTreeWidgetItem* item) {
    return item->text(0).toStdString();
}

// The tree as lines, one per item, indented by two blanks a level.
std::vector<std::string> treeLines(const QTreeWidget& tree) {
    std::vector<std::string> lines;
    std::function<void(const QTreeWidgetItem*, int)> add = [&](const QTreeWidgetItem* item,
                                                               int depth) {
        lines.push_back(std::string(2 * depth, ' ') + text(item));
        for (int i = 0; i < item->childCount(); ++i) add(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) add(tree.topLevelItem(i), 0);
    return lines;
}

// The item with text `name`, searched through the whole tree.
QTreeWidgetItem* findItem(const QTreeWidget& tree, const QString& name) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Answers the rename dialog as the user would: types `name` and presses OK,
// or Cancel when `name` is null.
std::function<void(QDialog&)> typeNewName(const char* name) {
    return [name](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("edit1019");
        ASSERT_NE(edit, nullptr);
        if (name == nullptr) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("button2"), Qt::LeftButton);
            return;
        }
        edit->setText(QString::fromUtf8(name));
        QTest::mouseClick(dialog.findChild<QPushButton*>("button1"), Qt::LeftButton);
    };
}

class FileListPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        data_ = std::make_unique<AppData>();
        data_->programDir = dir_.dir();
        ui_ = std::make_unique<FakeUi>(*data_);
        fs::create_directory(logDir());
    }

    std::string logDir() const { return dir_.dir() + "Logfiles/"; }
    std::vector<std::string> logNames() const { return dir_.names("Logfiles"); }

    // The pane, made (and so filled) when first asked for.
    CFileListPane& pane() {
        if (!pane_) {
            pane_ = std::make_unique<CFileListPane>(*data_, *ui_);
            pane_->resize(300, 400);
            pane_->show();
            settleEvents();
        }
        return *pane_;
    }
    QTreeWidget& tree() { return *pane().tree(); }
    QTreeWidgetItem* item(const char* name) { return findItem(tree(), QString::fromUtf8(name)); }

    void doubleClick(QTreeWidgetItem* target) {
        ASSERT_NE(target, nullptr);
        tree().scrollToItem(target);
        const QPoint at = tree().visualItemRect(target).center();
        // As the system sends it: a click, then the second press as a double-click.
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(tree().viewport(), Qt::LeftButton, Qt::NoModifier, at);
        settleEvents();
    }
    // A right-click on `target` as the mouse gives it; true when the
    // Operation menu opened.
    bool rightClick(QTreeWidgetItem* target) {
        EXPECT_NE(target, nullptr);
        if (target == nullptr) return false;
        tree().scrollToItem(target);
        const QPoint at = tree().visualItemRect(target).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree().viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree().viewport(), &event);
        settleEvents();
        const bool opened = pane().operationMenu()->isVisible();
        pane().operationMenu()->hide();
        return opened;
    }
    // Right-clicks `name`, then chooses the menu's command `command`.
    void choose(const char* name, int command) {
        ASSERT_TRUE(rightClick(item(name))) << name;
        for (QAction* action : pane().operationMenu()->actions()) {
            if (action->data().toInt() == command) {
                action->trigger();
                settleEvents();
                return;
            }
        }
        FAIL() << "no command " << command;
    }
    void rename(const char* from, const char* to) {
        ModalAnswerer answerer;
        answerer.onDialog = typeNewName(to);
        choose(from, CFileListPane::kRenameCommand);
        EXPECT_THAT(answerer.dialogs, ElementsAre("CRenameDlg"));
    }

    TempDir dir_;
    std::unique_ptr<AppData> data_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<CFileListPane> pane_;
};

}  // namespace

// ---- the tree -----------------------------------------------------------

TEST_F(FileListPaneTest, TheThreeFileExampleGivesTwoGroups) {
    for (const char* name : {kFirst, kSecond, kThird}) touch(logDir() + name);
    EXPECT_THAT(
        treeLines(tree()),
        ElementsAre("Files", "  1234567890", "    " + std::string(kFirst),
                    "    " + std::string(kSecond), "  2222222222", "    " + std::string(kThird)));
    QTreeWidgetItem* root = tree().topLevelItem(0);
    EXPECT_TRUE(root->font(0).bold());
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(root->child(0)->isExpanded());
    EXPECT_TRUE(root->child(1)->isExpanded());
    EXPECT_EQ(tree().objectName(), "tree133");
    EXPECT_TRUE(tree().isHeaderHidden());
}

TEST_F(FileListPaneTest, FilesOfOneSerialNumberShareOneGroupWhateverTheFolderOrder) {
    // Made in an order that no folder listing keeps sorted by itself.
    for (const char* name : {kThird, kSecond, "2222222222_20090101_0000.drav", kFirst}) {
        touch(logDir() + name);
    }
    EXPECT_THAT(treeLines(tree()),
                ElementsAre("Files", "  1234567890", "    " + std::string(kFirst),
                            "    " + std::string(kSecond), "  2222222222",
                            "    2222222222_20090101_0000.drav", "    " + std::string(kThird)));
}

TEST_F(FileListPaneTest, ShortNamesAndOtherFilesAreNotListed) {
    touch(logDir() + "a_.drav");
    touch(logDir() + "a_b.drav");
    touch(logDir() + "x_y.dravbak");
    touch(logDir() + "notes.txt");
    EXPECT_THAT(treeLines(tree()), ElementsAre("Files", "  a", "    a_b.drav"));
}

TEST_F(FileListPaneTest, EachLevelHasItsOwnPicture) {
    touch(logDir() + kFirst);
    QTreeWidgetItem* root = tree().topLevelItem(0);
    QTreeWidgetItem* group = root->child(0);
    QTreeWidgetItem* file = group->child(0);
    const QSize size(16, 16);
    const QImage rootPicture = root->icon(0).pixmap(size).toImage();
    const QImage groupPicture = group->icon(0).pixmap(size).toImage();
    const QImage filePicture = file->icon(0).pixmap(size).toImage();
    const QImage selectedPicture = file->icon(0).pixmap(size, QIcon::Selected).toImage();
    for (const QImage* picture : {&rootPicture, &groupPicture, &filePicture, &selectedPicture}) {
        EXPECT_FALSE(picture->isNull());
    }
    EXPECT_NE(rootPicture, groupPicture);
    EXPECT_NE(groupPicture, filePicture);
    EXPECT_NE(filePicture, selectedPicture) << "a selected file shows picture 4";
}

TEST_F(FileListPaneTest, AMissingFolderGivesTheRootAlone) {
    fs::remove(logDir());
    EXPECT_THAT(treeLines(tree()), ElementsAre("Files"));
}

TEST_F(FileListPaneTest, AFillRebuildsTheTreeFromTheFolder) {
    touch(logDir() + kFirst);
    EXPECT_THAT(treeLines(tree()),
                ElementsAre("Files", "  1234567890", "    " + std::string(kFirst)));
    fs::remove(logDir() + kFirst);
    touch(logDir() + kThird);
    // The pane does not watch the folder.
    EXPECT_EQ(treeLines(tree()).size(), 3u);
    pane().fillFileList();
    EXPECT_THAT(treeLines(tree()),
                ElementsAre("Files", "  2222222222", "    " + std::string(kThird)));
}

// ---- double-click -------------------------------------------------------

TEST_F(FileListPaneTest, DoubleClickOnAFileLoadsIt) {
    writeLog(logDir() + kFirst, 3, 21.0f);
    data_->display.channelVisible[1] = 0;
    doubleClick(item(kFirst));
    EXPECT_EQ(data_->log.store.recordCount, 3u);
    EXPECT_FLOAT_EQ(data_->log.store.values[0][2], 23.0f);
    EXPECT_EQ(data_->log.store.currentFileName, kFirst);
    EXPECT_EQ(data_->log.store.currentFilePath, logDir() + kFirst);
    EXPECT_THAT(data_->display.channelVisible, ElementsAre(1, 1, 1, 1));
    EXPECT_THAT(ui_->titles, ElementsAre(kFirst));
    EXPECT_EQ(ui_->redraws, 1);
    EXPECT_THAT(ui_->messages, IsEmpty());
}

TEST_F(FileListPaneTest, DoubleClickOnTheRootOrAGroupLoadsNothing) {
    // A group whose text reads like a file name is still a group.
    writeLog(logDir() + "abcdefgh_1.drav", 2);
    writeLog(logDir() + kFirst, 2);
    data_->log.store.currentFilePath = "before";
    for (QTreeWidgetItem* target : {tree().topLevelItem(0), item("abcdefgh"), item("1234567890")}) {
        ASSERT_NE(target, nullptr);
        SCOPED_TRACE(text(target));
        doubleClick(target);
        EXPECT_EQ(data_->log.store.recordCount, 0u);
        EXPECT_EQ(data_->log.store.currentFilePath, "before");
        EXPECT_THAT(ui_->titles, IsEmpty());
    }
}

TEST_F(FileListPaneTest, DoubleClickDuringRealtimeChangesNothing) {
    writeLog(logDir() + kFirst, 3);
    data_->link.realtimeActive = true;
    data_->log.store.recordCount = 5;
    data_->log.store.currentFilePath = "live path";
    data_->log.store.currentFileName = "live name";
    data_->display.channelVisible[2] = 0;
    doubleClick(item(kFirst));
    EXPECT_EQ(data_->log.store.recordCount, 5u);
    EXPECT_EQ(data_->log.store.currentFilePath, "live path");
    EXPECT_EQ(data_->log.store.currentFileName, "live name");
    EXPECT_EQ(data_->display.channelVisible[2], 0);
    EXPECT_THAT(ui_->titles, IsEmpty());
    EXPECT_THAT(ui_->messages, IsEmpty());
}

TEST_F(FileListPaneTest, AFailedLoadLeavesThePreviousFileInPlace) {
    touch(logDir() + kFirst);                             // one byte: no header
    std::ofstream(logDir() + kSecond, std::ios::binary);  // empty
    data_->log.store.recordCount = 7;
    data_->log.store.currentFilePath = "/old/1_2.drav";
    data_->log.store.currentFileName = "1_2.drav";
    data_->display.channelVisible[3] = 0;
    for (const char* name : {kFirst, kSecond}) {
        SCOPED_TRACE(name);
        doubleClick(item(name));
        EXPECT_EQ(data_->log.store.recordCount, 7u);
        EXPECT_EQ(data_->log.store.currentFilePath, "/old/1_2.drav");
        EXPECT_EQ(data_->log.store.currentFileName, "1_2.drav");
        EXPECT_EQ(data_->display.channelVisible[3], 0);
        EXPECT_EQ(ui_->lastMessage(), "\r\n打开数据文件失败：格式错误！");
    }
    EXPECT_THAT(ui_->titles, IsEmpty());
}

// ---- the Operation menu -------------------------------------------------

TEST_F(FileListPaneTest, RightClickOnAFileOffersRenameAndDelete) {
    touch(logDir() + kFirst);
    ASSERT_TRUE(rightClick(item(kFirst)));
    EXPECT_EQ(pane().chosenFileName(), kFirst);
    QMenu* menu = pane().operationMenu();
    EXPECT_EQ(menu->objectName(), "menu218");
    EXPECT_EQ(menu->title(), "Operation");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Rename");
    EXPECT_EQ(menu->actions()[0]->data().toInt(), 32859);
    EXPECT_EQ(menu->actions()[1]->text(), "Delete");
    EXPECT_EQ(menu->actions()[1]->data().toInt(), 32860);
}

TEST_F(FileListPaneTest, RightClickOnTheRootOrAGroupOpensNoMenu) {
    // Groups named so that their text holds "drav" after the start.
    touch(logDir() + "adrav_1.drav");
    touch(logDir() + "x.drav_1.drav");
    for (const char* name : {"Files", "adrav", "x.drav"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(rightClick(item(name)));
        EXPECT_EQ(pane().chosenFileName(), "");
    }
}

TEST_F(FileListPaneTest, RightClickBesideTheItemsTakesTheSelectedFile) {
    touch(logDir() + kFirst);
    tree().setCurrentItem(item(kFirst));
    const QPoint below(5, tree().viewport()->height() - 3);
    ASSERT_EQ(tree().itemAt(below), nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, below, tree().viewport()->mapToGlobal(below));
    QApplication::sendEvent(tree().viewport(), &event);
    settleEvents();
    EXPECT_TRUE(pane().operationMenu()->isVisible());
    EXPECT_EQ(pane().chosenFileName(), kFirst);
    pane().operationMenu()->hide();
}

// ---- rename -------------------------------------------------------------

TEST_F(FileListPaneTest, TheRenameDialog) {
    CRenameDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Rename");
    EXPECT_EQ(dialog.newName(), "*_*.drav");
    std::vector<std::string> labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels.push_back(label->text().toStdString());
    EXPECT_THAT(labels, ::testing::UnorderedElementsAre("Filename format: *_*.drav", "New Name:"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("button1")->isDefault());
    ModalAnswerer answerer;
    QString shown;
    answerer.onDialog = [&](QDialog& open) {
        shown = open.findChild<QLineEdit*>("edit1019")->text();
        typeNewName("x_y.drav")(open);
    };
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(shown, "*_*.drav");
    EXPECT_EQ(dialog.newName(), "x_y.drav");
}

TEST_F(FileListPaneTest, RenameGivesTheFileItsNewNameAndRefills) {
    touch(logDir() + "a_b.drav");
    rename("a_b.drav", "x_y.drav");
    EXPECT_THAT(logNames(), ElementsAre("x_y.drav"));
    EXPECT_THAT(treeLines(tree()), ElementsAre("Files", "  x", "    x_y.drav"));
    EXPECT_THAT(ui_->messages, IsEmpty());
}

TEST_F(FileListPaneTest, ANameWithDravAnywhereIsTaken) {
    touch(logDir() + "a_b.drav");
    rename("a_b.drav", "x_y.dravbak");
    EXPECT_THAT(logNames(), ElementsAre("x_y.dravbak"));
    EXPECT_THAT(ui_->messages, IsEmpty());
    // Not "*_*.drav": no longer listed.
    EXPECT_THAT(treeLines(tree()), ElementsAre("Files"));
}

TEST_F(FileListPaneTest, TheStartingTextFailsAsTheFileSystemRefusesIt) {
    touch(logDir() + kFirst);
    touch(logDir() + kThird);
    rename(kFirst, "*_*.drav");
    EXPECT_THAT(ui_->messages, ElementsAre("Command failed."));
    EXPECT_THAT(logNames(), ElementsAre(kFirst, kThird));
}

TEST_F(FileListPaneTest, ARenameOntoAnExistingLogFailsAndBothFilesStay) {
    writeLog(logDir() + kFirst, 1, 10.0f);
    writeLog(logDir() + kThird, 2, 30.0f);
    const auto before = fs::file_size(logDir() + kThird);
    rename(kFirst, kThird);
    EXPECT_THAT(ui_->messages, ElementsAre("Command failed."));
    EXPECT_THAT(logNames(), ElementsAre(kFirst, kThird));
    EXPECT_EQ(fs::file_size(logDir() + kThird), before);
    EXPECT_NE(fs::file_size(logDir() + kFirst), before);
}

TEST_F(FileListPaneTest, ARenameThatFailsLeavesTheTreeAsItIs) {
    touch(logDir() + kFirst);
    touch(logDir() + kThird);
    QTreeWidgetItem* before = item(kFirst);
    // Gone meanwhile, by another program.
    fs::remove(logDir() + kFirst);
    rename(kFirst, "x_y.drav");
    EXPECT_THAT(ui_->messages, ElementsAre("Command failed."));
    EXPECT_EQ(item(kFirst), before) << "not rebuilt";
    EXPECT_THAT(logNames(), ElementsAre(kThird));
}

TEST_F(FileListPaneTest, ANameWithoutUnderscoreOrDravIsInvalid) {
    touch(logDir() + kFirst);
    for (const char* name : {"xy.drav", "_xy.drav", "x_y.txt", ".drav_x"}) {
        SCOPED_TRACE(name);
        ui_->messages.clear();
        rename(kFirst, name);
        EXPECT_THAT(ui_->messages, ElementsAre("Invalid new file name."));
        EXPECT_THAT(logNames(), ElementsAre(kFirst));
    }
}

TEST_F(FileListPaneTest, ARenameNeverLeavesTheLogFolder) {
    touch(logDir() + kFirst);
    for (const char* name : {"../x_y.drav", "sub/x_y.drav", "x_y:1.drav", "x_y\t.drav"}) {
        SCOPED_TRACE(name);
        ui_->messages.clear();
        rename(kFirst, name);
        EXPECT_THAT(ui_->messages, ElementsAre("Command failed."));
    }
    EXPECT_THAT(logNames(), ElementsAre(kFirst));
    EXPECT_THAT(dir_.names(), ElementsAre("Logfiles"));
}

TEST_F(FileListPaneTest, CancelRenamesNothing) {
    touch(logDir() + kFirst);
    rename(kFirst, nullptr);
    EXPECT_THAT(logNames(), ElementsAre(kFirst));
    EXPECT_THAT(ui_->messages, IsEmpty());
}

TEST_F(FileListPaneTest, RenamingTheLogOnShowFollowsItsNewName) {
    writeLog(logDir() + kFirst, 3);
    doubleClick(item(kFirst));
    ASSERT_EQ(data_->log.store.currentFileName, kFirst);
    rename(kFirst, "9999_x.drav");
    EXPECT_EQ(data_->log.store.currentFilePath, logDir() + "9999_x.drav");
    EXPECT_EQ(data_->log.store.currentFileName, "9999_x.drav");
    EXPECT_THAT(ui_->titles, ElementsAre(kFirst, "9999_x.drav"));
    // "100%" reloads it under its new name.
    data_->log.store.recordCount = 1;
    EXPECT_TRUE(loadLogFile(*data_, *ui_));
    EXPECT_EQ(data_->log.store.recordCount, 3u);
}

TEST_F(FileListPaneTest, RenamingAnotherLogLeavesTheLogOnShow) {
    writeLog(logDir() + kFirst, 3);
    touch(logDir() + kThird);
    doubleClick(item(kFirst));
    rename(kThird, "9999_x.drav");
    EXPECT_EQ(data_->log.store.currentFilePath, logDir() + kFirst);
    EXPECT_EQ(data_->log.store.currentFileName, kFirst);
    EXPECT_THAT(ui_->titles, ElementsAre(kFirst));
}

// ---- delete -------------------------------------------------------------

TEST_F(FileListPaneTest, DeleteAsksThenRemovesTheFile) {
    touch(logDir() + kFirst);
    touch(logDir() + kThird);
    choose(kFirst, CFileListPane::kDeleteCommand);
    EXPECT_THAT(ui_->messages,
                ElementsAre("Are you sure to delete the log file " + std::string(kFirst) + "?"));
    EXPECT_THAT(logNames(), ElementsAre(kThird));
    EXPECT_THAT(treeLines(tree()),
                ElementsAre("Files", "  2222222222", "    " + std::string(kThird)));
}

TEST_F(FileListPaneTest, DeleteAnsweredWithTheOtherButtonKeepsTheFile) {
    touch(logDir() + kFirst);
    ui_->answerOk = false;
    choose(kFirst, CFileListPane::kDeleteCommand);
    EXPECT_EQ(ui_->messages.size(), 1u);
    EXPECT_THAT(logNames(), ElementsAre(kFirst));
}

TEST_F(FileListPaneTest, AFileAlreadyGoneIsDeletedWithoutAFailure) {
    touch(logDir() + kFirst);
    touch(logDir() + kThird);
    pane().fillFileList();
    // The tree still shows the file another program has already removed.
    fs::remove(logDir() + kFirst);
    choose(kFirst, CFileListPane::kDeleteCommand);
    EXPECT_THAT(ui_->messages,
                ElementsAre("Are you sure to delete the log file " + std::string(kFirst) + "?"));
    EXPECT_THAT(treeLines(tree()),
                ElementsAre("Files", "  2222222222", "    " + std::string(kThird)));
}

TEST_F(FileListPaneTest, AFailedDeleteSaysSo) {
    touch(logDir() + kFirst);
    touch(logDir() + kThird);
    pane().fillFileList();
    // What the tree shows as a file is now a folder, which no delete of a file removes.
    fs::remove(logDir() + kFirst);
    fs::create_directory(logDir() + kFirst);
    choose(kFirst, CFileListPane::kDeleteCommand);
    EXPECT_THAT(ui_->messages,
                ElementsAre("Are you sure to delete the log file " + std::string(kFirst) + "?",
                            "Command failed."));
    EXPECT_TRUE(fs::is_directory(logDir() + kFirst));
}

// ---- in the main frame --------------------------------------------------

namespace {

class FileListInFrameTest : public FrameWithLogTest {
protected:
    // The log folder with one log in it when the frame starts.
    void beforeFrame() override {
        fs::create_directory(rootPath() / "Logfiles");
        touch(logDir() + kFirst);
    }

    std::string logDir() const { return root() + "/Logfiles/"; }
    CFileListPane* pane() const {
        return qobject_cast<CFileListPane*>(frame_->paneContent(kPaneFileList));
    }
    std::vector<std::string> lines() const { return treeLines(*pane()->tree()); }
};

}  // namespace

TEST_F(FileListInFrameTest, TheFreshFrameListsTheLogFolder) {
    ASSERT_NE(pane(), nullptr);
    EXPECT_THAT(lines(), ElementsAre("Files", "  1234567890", "    " + std::string(kFirst)));
}

TEST_F(FileListInFrameTest, TheFileListCommandShowsThePaneAloneAndRefills) {
    frame_->onCommand(ID_DATA_LIST);
    settleEvents();
    touch(logDir() + kThird);
    frame_->onCommand(ID_FILE_LIST);
    settleEvents();
    EXPECT_TRUE(frame_->pane(kPaneFileList)->isVisible());
    EXPECT_FALSE(frame_->pane(kPaneDataList)->isVisible());
    EXPECT_THAT(lines(), ElementsAre("Files", "  1234567890", "    " + std::string(kFirst),
                                     "  2222222222", "    " + std::string(kThird)));
}

TEST_F(FileListInFrameTest, ASavedLogShowsInTheList) {
    auto& store = data_->log.store;
    std::memcpy(data_->log.setup.serialNo, "5555555555", 10);
    store.channelCount = 1;
    store.recordCount = 1;
    std::memcpy(store.timestamps[0].data(), "20240105083005", kTimestampLength);
    frame_->onCommand(ID_DATA_LIST);
    settleEvents();
    ASSERT_TRUE(saveDownloadedLog(*data_, frame_->frameUi()).ok());
    settleEvents();
    EXPECT_TRUE(frame_->pane(kPaneFileList)->isVisible());
    EXPECT_THAT(lines(), ElementsAre("Files", "  1234567890", "    " + std::string(kFirst),
                                     "  5555555555", "    5555555555_20240105_0830.drav"));
}

TEST_F(FileListInFrameTest, DoubleClickTitlesTheWindow) {
    writeLog(logDir() + kThird, 4);
    pane()->fillFileList();
    QTreeWidgetItem* target = findItem(*pane()->tree(), kThird);
    ASSERT_NE(target, nullptr);
    pane()->openItem(target);
    settleEvents();
    EXPECT_EQ(data_->log.store.recordCount, 4u);
    EXPECT_EQ(frame_->windowTitle(), QString(kThird) + " - Dravin V1.21");
    EXPECT_TRUE(frame_->commandAction(ID_ORIGINAL)->isEnabled());
}

TEST_F(FileListInFrameTest, DoubleClickDuringRealtimeChangesNothing) {
    writeLog(logDir() + kThird, 4);
    pane()->fillFileList();
    data_->link.realtimeActive = true;
    const QString title = frame_->windowTitle();
    pane()->openItem(findItem(*pane()->tree(), kThird));
    settleEvents();
    EXPECT_EQ(data_->log.store.recordCount, 0u);
    EXPECT_EQ(frame_->windowTitle(), title);
    data_->link.realtimeActive = false;
}

TEST_F(FileListInFrameTest, RenamingTheLogOnShowRetitlesTheWindow) {
    writeLog(logDir() + kThird, 4);
    pane()->fillFileList();
    pane()->openItem(findItem(*pane()->tree(), kThird));
    settleEvents();
    QTreeWidget& tree = *pane()->tree();
    QTreeWidgetItem* target = findItem(tree, kThird);
    const QPoint at = tree.visualItemRect(target).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree.viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree.viewport(), &event);
    settleEvents();
    ASSERT_TRUE(pane()->operationMenu()->isVisible());
    pane()->operationMenu()->hide();
    ModalAnswerer answerer;
    answerer.onDialog = typeNewName("2222222222_renamed.drav");
    pane()->renameChosenFile();
    settleEvents();
    EXPECT_THAT(answerer.messages, IsEmpty());
    EXPECT_EQ(frame_->windowTitle(), "2222222222_renamed.drav - Dravin V1.21");
    EXPECT_EQ(data_->log.store.currentFilePath, logDir() + "2222222222_renamed.drav");
    EXPECT_THAT(lines(), ElementsAre("Files", "  1234567890", "    " + std::string(kFirst),
                                     "  2222222222", "    2222222222_renamed.drav"));
    // "100%" reloads it under its new name.
    data_->log.store.recordCount = 1;
    frame_->onCommand(ID_ORIGINAL);
    EXPECT_EQ(data_->log.store.recordCount, 4u);
    EXPECT_THAT(answerer.messages, IsEmpty());
}

TEST_F(FileListInFrameTest, AFailedRenameSaysCommandFailed) {
    touch(logDir() + kThird);
    pane()->fillFileList();
    QTreeWidget& tree = *pane()->tree();
    tree.setCurrentItem(findItem(tree, kThird));
    pane()->showOperationMenu(QPoint(-1, -1));
    pane()->operationMenu()->hide();
    ASSERT_EQ(pane()->chosenFileName(), kThird);
    ModalAnswerer answerer;
    answerer.onDialog = typeNewName(kFirst);
    pane()->renameChosenFile();
    settleEvents();
    EXPECT_THAT(answerer.messages, ElementsAre("Command failed."));
    EXPECT_TRUE(fs::exists(logDir() + kFirst));
    EXPECT_TRUE(fs::exists(logDir() + kThird));
}
