// The main window offscreen: panes, command rules, menus, toolbar, status
// bar, the document's load and save, closing and the settings file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CMsgDlg.h"
#include "app/widgets/CommandTable.h"
#include "app/widgets/PaneManager.h"
#include "app/widgets/Profile.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/FileBytes.h"
#include "views/widgets/CLoggerView.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// A log of `records` records written by the program's own writer.
void writeLog(const fs::path& path, uint32_t records, const char* serial) {
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.serialNo, serial, sizeof data->log.setup.serialNo);
    data->log.store.channelCount = 2;
    data->log.store.recordCount = records;
    for (uint32_t i = 0; i < records; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20240309070502", kTimestampLength);
        data->log.store.values[0][i] = 20.0f + static_cast<float>(i);
        data->log.store.values[1][i] = 50.0f;
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(writeLogFile(out, data->log.store, data->log.setup));
}

// Drags `path` onto `window` and drops it there; true when the window took
// the drag.
bool dropFile(QWidget& window, const fs::path& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path.string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return enter.isAccepted();
}

class MainFrameTest : public FrameWithLogTest {
protected:
    std::vector<int> visiblePanes() const {
        std::vector<int> visible;
        for (int id : {kPaneQuery, kPaneDataList, kPaneFileList, kPaneSetup, kPaneLimits}) {
            if (frame_->pane(id)->isVisible()) visible.push_back(id);
        }
        return visible;
    }
    bool enabled(int id) const { return frame_->commandAction(id)->isEnabled(); }
    QString title() const { return frame_->windowTitle(); }
    // Keys reach the window's shortcuts only while it is the active one.
    void activate() {
        frame_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    }
    // The first entry of the recent-file list in the File menu, if any.
    QAction* firstRecentEntry() const {
        for (QAction* action : frame_->fileMenu()->actions()) {
            if (action->data().toInt() == ID_FILE_MRU_FIRST && action->isVisible()) return action;
        }
        return nullptr;
    }
};

// ---- panes --------------------------------------------------------------

TEST_F(MainFrameTest, FreshStartShowsTheFileListAlone) {
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));
    EXPECT_NE(frame().paneContent(kPaneFileList), nullptr);
    // The other panes get their content only when they first show.
    EXPECT_EQ(frame().paneContent(kPaneQuery), nullptr);
    EXPECT_EQ(frame().paneContent(kPaneDataList), nullptr);
    EXPECT_EQ(frame().paneContent(kPaneSetup), nullptr);
    EXPECT_EQ(frame().paneContent(kPaneLimits), nullptr);
    EXPECT_EQ(frame().pane(kPaneQuery)->windowTitle(), "Query");
    EXPECT_EQ(frame().pane(kPaneDataList)->windowTitle(), "Data List");
    EXPECT_EQ(frame().pane(kPaneFileList)->windowTitle(), "File List");
    EXPECT_EQ(frame().pane(kPaneSetup)->windowTitle(), "Setup");
    EXPECT_EQ(frame().pane(kPaneLimits)->windowTitle(), "Limits");
    EXPECT_EQ(frame().dockWidgetArea(frame().pane(kPaneQuery)), Qt::LeftDockWidgetArea);
}

// Made small, the chart's texts would pile onto each other: the window keeps
// the view at the least size where any log's chart has room for each text.
TEST_F(MainFrameTest, TheWindowKeepsTheChartAtItsSmallestReadableSize) {
    const QSize readable = frame().view()->smallestReadableSize();
    ASSERT_FALSE(readable.isEmpty());
    EXPECT_LE(readable.width(), 1200);
    EXPECT_LE(readable.height(), 800);
    frame().resize(100, 100);
    settleEvents();
    EXPECT_GE(frame().view()->width(), readable.width());
    EXPECT_GE(frame().view()->height(), readable.height());
    EXPECT_GT(frame().width(), readable.width()) << "with the panes beside the view";
    EXPECT_GT(frame().height(), readable.height())
        << "with the menu, the toolbar and the status bar";
}

TEST_F(MainFrameTest, EachPaneCommandShowsItsPaneAlone) {
    // Query needs a log and Setup a connected logger.
    data().log.store.recordCount = 1;
    data().link.connected = true;
    const std::pair<int, int> cases[] = {
        {ID_DATA_LIST, kPaneDataList}, {ID_QUERY, kPaneQuery},   {ID_SETUP, kPaneSetup},
        {ID_FILE_LIST, kPaneFileList}, {ID_LIMITS, kPaneLimits},
    };
    for (const auto& [command, paneId] : cases) {
        SCOPED_TRACE(command);
        // Whatever the user had opened besides, docked or floating.
        for (int other : {kPaneQuery, kPaneDataList, kPaneFileList, kPaneSetup, kPaneLimits}) {
            frame().pane(other)->show();
        }
        frame().pane(kPaneDataList)->setFloating(true);
        settleEvents();
        frame().commandAction(command)->trigger();
        settleEvents();
        EXPECT_THAT(visiblePanes(), ElementsAre(paneId));
        EXPECT_NE(frame().paneContent(paneId), nullptr);
    }
}

TEST_F(MainFrameTest, ShowPaneAloneGivesThePaneTheFocus) {
    frame().activateWindow();
    frame().showPaneAlone(kPaneSetup);
    settleEvents();
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneSetup));
    ASSERT_NE(frame().paneContent(kPaneSetup), nullptr);
    // The pane hands the focus on to its grid.
    EXPECT_TRUE(frame().paneContent(kPaneSetup)->hasFocus());
}

TEST_F(MainFrameTest, EachPaneComesBackAtItsOwnWidth) {
    // Room for the widest pane beside the chart at its smallest readable width.
    frame().resize(1300, 800);
    settleEvents();
    data().link.connected = true;
    auto width = [&](int paneId) { return frame().pane(paneId)->width(); };
    EXPECT_EQ(width(kPaneFileList), 300);
    frame().onCommand(ID_DATA_LIST);
    settleEvents();
    EXPECT_EQ(width(kPaneDataList), 450);
    frame().onCommand(ID_SETUP);
    settleEvents();
    EXPECT_EQ(width(kPaneSetup), 300);
    frame().onCommand(ID_DATA_LIST);
    settleEvents();
    EXPECT_EQ(width(kPaneDataList), 450);

    // A width the user gave a pane is the one it comes back at.
    frame().resizeDocks({frame().pane(kPaneDataList)}, {380}, Qt::Horizontal);
    settleEvents();
    frame().onCommand(ID_FILE_LIST);
    settleEvents();
    EXPECT_EQ(width(kPaneFileList), 300);
    frame().onCommand(ID_DATA_LIST);
    settleEvents();
    EXPECT_EQ(width(kPaneDataList), 380);
}

TEST_F(MainFrameTest, EveryNewDocumentShowsTheDataListEvenTheFirst) {
    data().log.store.recordCount = 4;
    frame().onCommand(ID_FILE_NEW);
    settleEvents();
    EXPECT_EQ(data().log.store.recordCount, 0u);
    EXPECT_EQ(title(), "Untitled - Dravin V1.21");
    // The data list never showed before.
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneDataList));
    ASSERT_NE(frame().paneContent(kPaneDataList), nullptr);
    frame().onCommand(ID_FILE_LIST);
    frame().onCommand(ID_FILE_NEW);
    settleEvents();
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneDataList));
}

TEST_F(MainFrameTest, LayoutSavedAtClosingIsNotReadBack) {
    frame().showPaneAlone(kPaneQuery);
    ASSERT_TRUE(frame().close());
    Profile profile;
    EXPECT_TRUE(profile.settings().contains(kNormalLayoutKey));
    EXPECT_TRUE(profile.settings().contains(QString(kCommandBarsKey) + "/StandardVisible"));

    frame_.reset();
    CMainFrame next(data(), MainFrameOptions{deviceDir().string(), data().programDir});
    next.show();
    settleEvents();
    EXPECT_TRUE(next.pane(kPaneFileList)->isVisible());
    EXPECT_FALSE(next.pane(kPaneQuery)->isVisible());
}

// ---- command rules ------------------------------------------------------

TEST_F(MainFrameTest, LogCommandsFollowTheRecordCount) {
    const int commands[] = {ID_FILE_SAVE_AS, ID_SAVE_EXCEL, ID_SAVE_TXT,
                            ID_SAVE_BMP,     ID_QUERY,      ID_ORIGINAL};
    for (int id : commands) EXPECT_FALSE(enabled(id)) << id;

    data().log.store.recordCount = 1;
    settleEvents();
    for (int id : commands) EXPECT_TRUE(enabled(id)) << id;

    // Realtime sampling refuses the query and the reset, not the exports.
    data().link.connected = true;
    data().link.realtimeActive = true;
    settleEvents();
    EXPECT_TRUE(enabled(ID_SAVE_EXCEL));
    EXPECT_TRUE(enabled(ID_SAVE_TXT));
    EXPECT_TRUE(enabled(ID_SAVE_BMP));
    EXPECT_FALSE(enabled(ID_QUERY));
    EXPECT_FALSE(enabled(ID_ORIGINAL));
}

TEST_F(MainFrameTest, LoggerCommandsFollowTheLink) {
    struct Case {
        bool connected;
        bool realtime;
        std::vector<int> enabledIds;
    };
    const int loggerCommands[] = {ID_CONNECT,       ID_DISCONNECT, ID_COM_PORT,
                                  ID_MENU_DOWNLOAD, ID_SETUP,      ID_DOWNLOAD,
                                  ID_DELETE,        ID_REALTIME,   ID_STOP};
    const Case cases[] = {
        {false, false, {ID_CONNECT, ID_COM_PORT}},
        {true,
         false,
         {ID_DISCONNECT, ID_MENU_DOWNLOAD, ID_SETUP, ID_DOWNLOAD, ID_DELETE, ID_REALTIME}},
        {true, true, {ID_STOP}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.connected << c.realtime);
        data().link.connected = c.connected;
        data().link.realtimeActive = c.realtime;
        settleEvents();
        std::vector<int> enabledIds;
        for (int id : loggerCommands) {
            if (enabled(id)) enabledIds.push_back(id);
        }
        EXPECT_THAT(enabledIds, ElementsAreArray(c.enabledIds));
        // The commands that are always there stay.
        for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP, ID_APP_EXIT,
                       ID_FILE_LIST, ID_DATA_LIST, ID_APP_ABOUT}) {
            EXPECT_TRUE(enabled(id)) << id;
        }
        // A log may be opened or a new one begun whenever no samples come in.
        EXPECT_EQ(enabled(ID_FILE_OPEN), !c.realtime);
        EXPECT_EQ(enabled(ID_FILE_NEW), !c.realtime);
    }
}

TEST_F(MainFrameTest, ADisabledCommandDoesNothing) {
    frame().onCommand(ID_SETUP);
    settleEvents();
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));
}

// ---- closing ------------------------------------------------------------

TEST_F(MainFrameTest, ClosingDuringRealtimeIsRefused) {
    ModalAnswerer answerer;
    data().link.connected = true;
    data().link.realtimeActive = true;
    EXPECT_FALSE(frame().close());
    settleEvents();
    EXPECT_TRUE(frame().isVisible());
    EXPECT_THAT(answerer.messages,
                ElementsAre("Dravin is reading date in realtiem mode, please stop it, then exit "
                            "the program."));
    EXPECT_FALSE(Profile().settings().contains(kNormalLayoutKey));

    data().link.realtimeActive = false;
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(answerer.messages.size(), 1u);
}

TEST_F(MainFrameTest, ExitClosesTheWindow) {
    frame().onCommand(ID_APP_EXIT);
    settleEvents();
    EXPECT_FALSE(frame().isVisible());
}

// ---- settings file ------------------------------------------------------

TEST_F(MainFrameTest, SettingsAreWrittenWhenTheFrameGoes) {
    struct Case {
        AppSettings settings;
        std::vector<uint8_t> head;
    };
    const Case cases[] = {
        {defaultSettings(), {0x03, 0x00, 0x96, 0x00, 0x00, 0x0A}},
        {{7, 9600, 10}, {0x07, 0x80, 0x25, 0x00, 0x00, 0x0A}},
    };
    for (const Case& c : cases) {
        frame_.reset();
        fs::remove(rootPath() / "Dravin.ini");
        data().settings = c.settings;
        frame_ = std::make_unique<CMainFrame>(
            data(), MainFrameOptions{deviceDir().string(), data().programDir});
        EXPECT_FALSE(fs::exists(rootPath() / "Dravin.ini"));
        frame_.reset();
        std::vector<uint8_t> expected = c.head;
        expected.resize(kSettingsFileSize, 0);
        EXPECT_EQ(readFileByteVector(rootPath() / "Dravin.ini"), expected);
    }
}

TEST_F(MainFrameTest, AFailedStartLeavesTheSettingsFileAlone) {
    std::ofstream(rootPath() / "Dravin.ini", std::ios::binary) << std::string(32, '\x05');
    frame().keepSettingsFile();
    frame_.reset();
    EXPECT_EQ(readFileByteVector(rootPath() / "Dravin.ini"), std::vector<uint8_t>(32, 0x05));
}

// ---- the document -------------------------------------------------------

TEST_F(MainFrameTest, ALogOpenedThroughTheDocumentTitlesTheWindow) {
    const fs::path log = rootPath() / "ABC_20240309_0705.drav";
    writeLog(log, 3, "0123456789");
    ASSERT_TRUE(frame().document().openDocument(log.string()));
    settleEvents();
    EXPECT_EQ(title(), "ABC_20240309_0705.drav - Dravin V1.21");
    EXPECT_EQ(data().log.store.recordCount, 3u);
    EXPECT_EQ(data().log.store.currentFilePath, log.string());
    EXPECT_EQ(data().log.store.currentFileName, "ABC_20240309_0705.drav");
    EXPECT_TRUE(enabled(ID_QUERY));
    EXPECT_THAT(Profile().recentFiles(), ElementsAre(QString::fromStdString(log.string())));
}

TEST_F(MainFrameTest, AnEmptyFileKeepsThePreviousLogAndTitle) {
    ModalAnswerer answerer;
    const fs::path log = rootPath() / "good.drav";
    const fs::path empty = rootPath() / "empty.drav";
    writeLog(log, 2, "0123456789");
    std::ofstream(empty, std::ios::binary).close();
    ASSERT_TRUE(frame().document().openDocument(log.string()));

    EXPECT_FALSE(frame().document().openDocument(empty.string()));
    settleEvents();
    EXPECT_THAT(answerer.messages, ElementsAre("File format error."));
    EXPECT_EQ(title(), "good.drav - Dravin V1.21");
    EXPECT_EQ(data().log.store.recordCount, 2u);
    EXPECT_EQ(data().log.store.currentFilePath, log.string());
    EXPECT_EQ(data().log.store.currentFileName, "good.drav");
}

TEST_F(MainFrameTest, AMissingFileIsReportedWithItsPath) {
    ModalAnswerer answerer;
    const fs::path missing = rootPath() / "gone.drav";
    EXPECT_FALSE(frame().document().openDocument(missing.string()));
    settleEvents();
    ASSERT_EQ(answerer.messages.size(), 1u);
    EXPECT_THAT(answerer.messages[0], ::testing::StartsWith(missing.string()));
    EXPECT_EQ(title(), "Untitled - Dravin V1.21");
}

TEST_F(MainFrameTest, SaveAsWritesTheFileAndKeepsTheCurrentFile) {
    const fs::path log = rootPath() / "first.drav";
    const fs::path copy = rootPath() / "second.drav";
    writeLog(log, 3, "0123456789");
    ASSERT_TRUE(frame().document().openDocument(log.string()));

    ASSERT_TRUE(frame().document().saveAs(copy.string()));
    EXPECT_EQ(readFileByteVector(copy), readFileByteVector(log));
    EXPECT_EQ(readFileByteVector(copy).size(), 51u + 30u * 3u);
    EXPECT_EQ(title(), "second.drav - Dravin V1.21");
    EXPECT_EQ(data().log.store.currentFilePath, log.string());
    EXPECT_EQ(data().log.store.currentFileName, "first.drav");
    EXPECT_THAT(Profile().recentFiles(), ElementsAre(QString::fromStdString(copy.string()),
                                                     QString::fromStdString(log.string())));

    // "100%" reloads the file loaded before the Save As.
    fs::remove(copy);
    data().log.store.recordCount = 1;
    frame().onCommand(ID_ORIGINAL);
    EXPECT_EQ(data().log.store.recordCount, 3u);
    EXPECT_EQ(title(), "first.drav - Dravin V1.21");
}

// An empty log would be a file that the program itself refuses to open.
TEST_F(MainFrameTest, SaveAsWithoutARecordOpensNoDialogAndWritesNothing) {
    makeLogFilesDir(data());
    ModalAnswerer answerer;
    frame().onCommand(ID_FILE_SAVE_AS);
    settleEvents();
    EXPECT_TRUE(answerer.dialogs.empty());
    EXPECT_TRUE(fs::is_empty(rootPath() / "Logfiles"));
}

TEST_F(MainFrameTest, SaveAsThatCannotWriteReportsAndLeavesNoFile) {
    ModalAnswerer answerer;
    const fs::path target = rootPath() / "no" / "such" / "dir.drav";
    EXPECT_FALSE(frame().document().saveAs(target.string()));
    settleEvents();
    EXPECT_THAT(answerer.messages, ElementsAre("Failed to save document."));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(title(), "Untitled - Dravin V1.21");
}

TEST_F(MainFrameTest, SaveAsOntoAFolderSaysItCannotWriteThere) {
    ModalAnswerer answerer;
    const fs::path target = rootPath() / "folder.drav";
    fs::create_directories(target);
    EXPECT_FALSE(frame().document().saveAs(target.string()));
    settleEvents();
    EXPECT_THAT(answerer.messages, ElementsAre("Unable to write to " + target.string() +
                                               ", it is read-only or opened by someone else."));
    EXPECT_TRUE(fs::is_directory(target));
}

TEST_F(MainFrameTest, RecentFilesOpenThroughTheDocument) {
    const fs::path logs[] = {rootPath() / "a.drav", rootPath() / "b.drav"};
    writeLog(logs[0], 1, "0000000001");
    writeLog(logs[1], 2, "0000000002");
    for (const fs::path& log : logs) ASSERT_TRUE(frame().document().openDocument(log.string()));

    std::vector<QAction*> recent;
    for (QAction* action : frame().fileMenu()->actions()) {
        int id = action->data().toInt();
        if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + kRecentFileCount &&
            action->isVisible()) {
            recent.push_back(action);
        }
    }
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent[0]->text(), "&1 " + QString::fromStdString(logs[1].string()));
    EXPECT_EQ(recent[1]->text(), "&2 " + QString::fromStdString(logs[0].string()));
    EXPECT_TRUE(recent[1]->isEnabled());

    recent[1]->trigger();
    EXPECT_EQ(data().log.store.recordCount, 1u);
    EXPECT_EQ(title(), "a.drav - Dravin V1.21");
}

TEST_F(MainFrameTest, AnAmpersandOfARecentPathIsShownNotUnderlined) {
    fs::create_directory(rootPath() / "R&D");
    const fs::path log = rootPath() / "R&D" / "a.drav";
    writeLog(log, 1, "0000000001");
    ASSERT_TRUE(frame().document().openDocument(log.string()));
    QAction* entry = nullptr;
    for (QAction* action : frame().fileMenu()->actions()) {
        if (action->data().toInt() == ID_FILE_MRU_FIRST && action->isVisible()) entry = action;
    }
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(),
              "&1 " + QString::fromStdString((rootPath() / "R&&D" / "a.drav").string()));
    data().log.store.recordCount = 0;
    entry->trigger();
    EXPECT_EQ(data().log.store.recordCount, 1u);
}

TEST_F(MainFrameTest, ARecentFileThatIsGoneLeavesTheList) {
    ModalAnswerer answerer;
    const fs::path log = rootPath() / "a.drav";
    writeLog(log, 1, "0000000001");
    ASSERT_TRUE(frame().document().openDocument(log.string()));
    fs::remove(log);
    QAction* entry = nullptr;
    for (QAction* action : frame().fileMenu()->actions()) {
        if (action->data().toInt() == ID_FILE_MRU_FIRST && action->isVisible()) entry = action;
    }
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), "&1 " + QString::fromStdString(log.string()));
    entry->trigger();
    settleEvents();
    EXPECT_EQ(answerer.messages.size(), 1u);
    EXPECT_TRUE(Profile().recentFiles().isEmpty());
    // Only the disabled "Recent" entry is left.
    std::vector<QString> left;
    for (QAction* action : frame().fileMenu()->actions()) {
        if (action->data().toInt() == ID_FILE_MRU_FIRST && action->isVisible()) {
            left.push_back(action->text());
            EXPECT_FALSE(action->isEnabled());
        }
    }
    EXPECT_THAT(left, ElementsAre("Recent"));
}

TEST_F(MainFrameTest, ADroppedFileOpens) {
    const fs::path log = rootPath() / "dropped.drav";
    writeLog(log, 5, "0123456789");
    EXPECT_TRUE(dropFile(frame(), log));
    EXPECT_EQ(data().log.store.recordCount, 5u);
    EXPECT_EQ(title(), "dropped.drav - Dravin V1.21");
}

TEST_F(MainFrameTest, OpenAndSaveAsStartInTheLogFolder) {
    makeLogFilesDir(data());
    ModalAnswerer answerer;
    std::vector<QString> folders;
    answerer.onDialog = [&folders](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            folders.push_back(files->directory().absolutePath());
        }
    };
    frame().onCommand(ID_FILE_OPEN);
    data().log.store.recordCount = 1;  // Save As wants a record
    frame().onCommand(ID_FILE_SAVE_AS);
    const QString logs = QString::fromStdString((rootPath() / "Logfiles").string());
    EXPECT_THAT(answerer.dialogs, ElementsAre("QFileDialog", "QFileDialog"));
    EXPECT_THAT(folders, ElementsAre(logs, logs));
}

// ---- realtime sampling and the document ----------------------------------

// While samples come in, nothing may replace them or the logger's serial
// number that Stop saves them under.
TEST_F(MainFrameTest, NoLogOpensAndNoNewDocumentStartsDuringRealtime) {
    ModalAnswerer answerer;
    const fs::path log = rootPath() / "other.drav";
    writeLog(log, 5, "0123456789");
    ASSERT_TRUE(frame().document().openDocument(log.string()));  // now a recent file
    // Two samples of logger 1234567890 so far.
    data().log.store.recordCount = 2;
    std::memcpy(data().log.setup.serialNo, "1234567890", sizeof data().log.setup.serialNo);
    data().link.connected = true;
    data().link.realtimeActive = true;
    activate();
    settleEvents();
    const QString shownTitle = title();
    QAction* recent = firstRecentEntry();
    ASSERT_NE(recent, nullptr);
    EXPECT_FALSE(recent->isEnabled());
    EXPECT_FALSE(enabled(ID_FILE_OPEN));
    EXPECT_FALSE(enabled(ID_FILE_NEW));

    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Open", [&] { frame().onCommand(ID_FILE_OPEN); }},
        {"Ctrl+O", [&] { QTest::keyClick(&frame(), Qt::Key_O, Qt::ControlModifier); }},
        {"New", [&] { frame().onCommand(ID_FILE_NEW); }},
        {"Ctrl+N", [&] { QTest::keyClick(&frame(), Qt::Key_N, Qt::ControlModifier); }},
        {"Recent", [&] { recent->trigger(); }},
        {"Drop", [&] { EXPECT_FALSE(dropFile(frame(), log)); }},
        {"CommandLine",
         [&] { EXPECT_FALSE(frame().openDocumentFile(QString::fromStdString(log.string()))); }},
    };
    for (const auto& [name, act] : ways) {
        SCOPED_TRACE(name);
        act();
        settleEvents();
        EXPECT_EQ(data().log.store.recordCount, 2u);
        EXPECT_EQ(std::string(data().log.setup.serialNo, 10), "1234567890");
        EXPECT_EQ(title(), shownTitle);
    }
    EXPECT_TRUE(answerer.dialogs.empty());
    EXPECT_TRUE(answerer.messages.empty());

    // Once sampling has stopped, the same file opens again.
    data().link.realtimeActive = false;
    settleEvents();
    EXPECT_TRUE(recent->isEnabled());
    EXPECT_TRUE(dropFile(frame(), log));
    EXPECT_EQ(data().log.store.recordCount, 5u);
    EXPECT_EQ(std::string(data().log.setup.serialNo, 10), "0123456789");
}

// ---- menus, toolbar and status bar --------------------------------------

// What the menu shows: the caption, a tab and the key when one is bound.
QString shownCaption(const QAction* action) {
    if (action->isSeparator()) return "-";
    QString text = action->text();
    if (!action->shortcut().isEmpty() && !text.contains('\t')) {
        text += "\t" + action->shortcut().toString();
    }
    return text;
}

TEST_F(MainFrameTest, MenusHoldTheCaptionsOfMenu128) {
    const std::vector<std::pair<QString, std::vector<QString>>> expected = {
        {"File(&F)",
         {"Open(&O)...\tCtrl+O", "Save As(&S)", "-", "Save to &Excel...\tCtrl+E",
          "Save to &Txt...\tCtrl+T", "Save to CSV...", "Save to &BMP...\tCtrl+J", "Save to P&DF...",
          "-", "Print(&P)...\tCtrl+P", "Print Preview(&V)", "Printer Setup(&R)...", "-", "Recent",
          "-", "Exit(&X)"}},
        {"Comm(&C)",
         {"Connect(&C)", "Disconnect(&D)", "Com Port(&T)", "-", "Download(&L)", "Delete(&E)",
          "Realtime(&R)", "Stop(&S)", "Setup(&P)"}},
        {"Log(&D)",
         {"File List(&F)", "Data List(&A)", "Query(&Q)", "Limits", "-", "100%(100%)", "-",
          "History...", "Sign..."}},
        {"View(&V)", {"Temperatures in °F", "Language"}},
        {"About(&A)", {"About Dravin(&A)..."}},
    };
    const QList<QAction*> menus = frame().menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(menus[i]->text(), expected[i].first);
        std::vector<QString> captions;
        for (QAction* item : menus[i]->menu()->actions()) captions.push_back(shownCaption(item));
        EXPECT_THAT(captions, ElementsAreArray(expected[i].second)) << i;
    }
    // The logger commands of the Comm menu are the toolbar's own: one command,
    // one rule.
    const QList<QAction*> comm = menus[1]->menu()->actions();
    const QList<QAction*> toolbar = frame().standardToolBar()->actions();
    for (int id : {ID_CONNECT, ID_DISCONNECT, ID_SETUP, ID_DELETE, ID_REALTIME, ID_STOP}) {
        EXPECT_TRUE(comm.contains(frame().commandAction(id))) << id;
        EXPECT_TRUE(toolbar.contains(frame().commandAction(id))) << id;
    }
}

TEST_F(MainFrameTest, KeysOfAcceleratorTable128AreBound) {
    std::map<QString, int> bound;
    for (QAction* action : frame().findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty())
            bound[action->shortcut().toString()] = action->data().toInt();
    }
    EXPECT_EQ(bound["Ctrl+N"], ID_FILE_NEW);
    EXPECT_EQ(bound["Ctrl+O"], ID_FILE_OPEN);
    EXPECT_EQ(bound["Ctrl+P"], ID_FILE_PRINT);
    EXPECT_EQ(bound["F6"], ID_NEXT_PANE);
    EXPECT_EQ(bound["Shift+F6"], ID_PREV_PANE);
    // The keys that the export captions name.
    EXPECT_EQ(bound["Ctrl+E"], ID_SAVE_EXCEL);
    EXPECT_EQ(bound["Ctrl+T"], ID_SAVE_TXT);
    EXPECT_EQ(bound["Ctrl+J"], ID_SAVE_BMP);
}

TEST_F(MainFrameTest, ExportKeysRunTheirCommandsOnceALogIsThere) {
    activate();
    ModalAnswerer cancelsTheSaveDialogs;
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_E, ID_SAVE_EXCEL}, {Qt::Key_T, ID_SAVE_TXT}, {Qt::Key_J, ID_SAVE_BMP}};
    for (uint32_t records : {0u, 1u}) {
        data().log.store.recordCount = records;
        settleEvents();
        for (const auto& [key, id] : keys) {
            activate();  // the save dialog of the key before took the activation
            QSignalSpy triggered(frame().commandAction(id), &QAction::triggered);
            QTest::keyClick(&frame(), key, Qt::ControlModifier);
            EXPECT_EQ(triggered.count(), static_cast<int>(records)) << id << " " << records;
        }
    }
}

TEST_F(MainFrameTest, ToolbarStandardHoldsNineteenButtonsInFourGroups) {
    QToolBar* bar = frame().standardToolBar();
    EXPECT_EQ(bar->objectName(), "Standard");
    EXPECT_EQ(bar->iconSize(), QSize(32, 32));
    EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    const std::vector<QString> expected = {
        "Open",     "Save As", "Print",    "Preview", "-",   "Connect",   "Disconnect", "Setup",
        "Download", "Delete",  "Realtime", "Stop",    "-",   "File List", "Data List",  "Query",
        "Original", "-",       "EXCEL",    "TXT",     "BMP", "-",         "About"};
    std::vector<QString> shown;
    int buttons = 0;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            shown.push_back("-");
            continue;
        }
        ++buttons;
        shown.push_back(action->iconText());
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), action->iconText());
        EXPECT_EQ(action->toolTip(), action->iconText());
        EXPECT_FALSE(action->icon().isNull()) << action->iconText().toStdString();
    }
    EXPECT_EQ(buttons, 19);
    EXPECT_THAT(shown, ElementsAreArray(expected));
}

TEST_F(MainFrameTest, CommandsCarryTheirIdPromptAndShortName) {
    struct Case {
        int id;
        const char* prompt;
        const char* shortName;
    };
    const Case cases[] = {
        {ID_FILE_OPEN, "Open", "Open"},
        {ID_SAVE_EXCEL, "Save to Excel", "EXCEL"},
        {ID_COM_PORT, "Comm", "Comm"},
        {ID_DOWNLOAD, "Download", "Download"},
        {ID_SETUP, "Setup", "Setup"},
        {ID_ORIGINAL, "Original", "Original"},
        {ID_APP_ABOUT, "About Dravin", "About"},
        {ID_FILE_PAGE_SETUP, "Printer", "Printer"},
    };
    for (const Case& c : cases) {
        QAction* action = frame().commandAction(c.id);
        ASSERT_NE(action, nullptr) << c.id;
        EXPECT_EQ(action->data().toInt(), c.id);
        EXPECT_EQ(action->statusTip(), c.prompt);
        EXPECT_EQ(action->toolTip(), c.shortName);
    }
}

TEST_F(MainFrameTest, StatusBarShowsItsEightPanes) {
    const std::pair<const char*, const char*> panes[] = {
        {"pane0", "Connect a logger, or open a log"},
        {"pane139", ""},
        {"pane136", " 0000-00-00 00:00:00"},
        {"pane137", " --"},
        {"pane138", " --"},
        {"pane145", " --"},
        {"pane157", "--"},
        {"pane131", "ZERIN ELECTRIC CO., LTD."},
    };
    for (const auto& [name, text] : panes) {
        auto* label = frame().statusBar()->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
    }
    auto pane = [&](const char* name) { return frame().statusBar()->findChild<QLabel*>(name); };
    // The widths of the table, or the text's own where the font needs more.
    const std::pair<const char*, int> widths[] = {
        {"pane139", 16}, {"pane136", 130}, {"pane137", 70}, {"pane157", 70}};
    for (const auto& [name, width] : widths) {
        QLabel* label = pane(name);
        EXPECT_EQ(label->width(), std::max(width, label->sizeHint().width())) << name;
    }
    EXPECT_EQ(pane("pane136")->alignment(), Qt::AlignCenter);
    EXPECT_FALSE(pane("pane139")->pixmap().isNull());
    // The maker's name takes what is left.
    EXPECT_GT(pane("pane131")->width(), 70);
}

TEST_F(MainFrameTest, ALongMessageDoesNotPushTheOtherPanes) {
    auto* message = frame().statusBar()->findChild<QLabel*>("pane0");
    std::map<QString, QRect> before;
    for (QLabel* pane : frame().statusBar()->findChildren<QLabel*>()) {
        before[pane->objectName()] = pane->geometry();
    }
    const QString text = QString("Downloading data, please wait... ").repeated(8);
    QStatusTipEvent tip(text);
    QApplication::sendEvent(&frame(), &tip);
    settleEvents();
    for (QLabel* pane : frame().statusBar()->findChildren<QLabel*>()) {
        EXPECT_EQ(pane->geometry(), before[pane->objectName()]) << pane->objectName().toStdString();
    }
    EXPECT_NE(message->text(), text);
    EXPECT_TRUE(message->text().startsWith("Downloading data"));
    EXPECT_LE(message->fontMetrics().horizontalAdvance(message->text()),
              message->contentsRect().width());
    EXPECT_EQ(message->toolTip(), text);

    // Every prompt of a command is shown whole.
    for (const CommandSpec& command : commandTable()) {
        const QString prompt = QString::fromUtf8(statusPrompt(command));
        QStatusTipEvent shown(prompt);
        QApplication::sendEvent(&frame(), &shown);
        EXPECT_EQ(message->text(), prompt);
        EXPECT_TRUE(message->toolTip().isEmpty());
    }
}

TEST_F(MainFrameTest, PromptsShowInTheMessagePane) {
    auto* message = frame().statusBar()->findChild<QLabel*>("pane0");
    data().log.store.recordCount = 1;
    settleEvents();
    QStatusTipEvent tip("Save to Excel");
    QApplication::sendEvent(&frame(), &tip);
    EXPECT_EQ(message->text(), "Save to Excel");
    QStatusTipEvent idle("");
    QApplication::sendEvent(&frame(), &idle);
    EXPECT_EQ(message->text(), "Ready");
}

// A newcomer's empty window says what to do first, until a log shows or a
// logger is connected; the view itself stays empty.
TEST_F(MainFrameTest, WithNoLogShownTheMessagePaneSaysTheFirstStep) {
    const fs::path log = rootPath() / "shown.drav";
    writeLog(log, 5, "0123456789");
    auto* message = frame().statusBar()->findChild<QLabel*>("pane0");
    const QString firstStep = "Connect a logger, or open a log";
    EXPECT_EQ(message->text(), firstStep);
    EXPECT_TRUE(message->toolTip().isEmpty()) << "shown whole";
    const QImage view = frame().view()->grab().toImage();
    EXPECT_EQ(view.pixelColor(view.width() / 2, view.height() / 2), QColor(0, 192, 192));

    // A prompt shows while a command is pointed at; then the first step again.
    QStatusTipEvent tip("Save to Excel");
    QApplication::sendEvent(&frame(), &tip);
    QStatusTipEvent idle("");
    QApplication::sendEvent(&frame(), &idle);
    EXPECT_EQ(message->text(), firstStep);

    ASSERT_TRUE(frame().openDocumentFile(QString::fromStdString(log.string())));
    settleEvents();
    EXPECT_EQ(message->text(), "Ready");
    frame().onCommand(ID_FILE_NEW);
    settleEvents();
    EXPECT_EQ(message->text(), firstStep);
    data().link.connected = true;
    settleEvents();
    EXPECT_EQ(message->text(), "Ready");
}

TEST_F(MainFrameTest, WithTheDemoLoggerTheFirstStepIsToUseIt) {
    frame_.reset();
    MainFrameOptions options{deviceDir().string(), data().programDir};
    options.demoLogger = true;
    CMainFrame demo(data(), options);
    demo.show();
    settleEvents();
    auto* message = demo.statusBar()->findChild<QLabel*>("pane0");
    EXPECT_EQ(message->text(), "Demo logger ready: Connect, then Download");
    EXPECT_TRUE(message->toolTip().isEmpty()) << "shown whole";
}

// ---- connect without a logger -------------------------------------------

TEST_F(MainFrameTest, ConnectWithoutAdapterSaysSo) {
    ModalAnswerer answerer;
    frame().onCommand(ID_CONNECT);
    settleEvents();
    EXPECT_THAT(answerer.messages,
                ElementsAre("Did not find any devices connected to a USB port. \r\nPlease check "
                            "all the connections and cables, and try again. \r\nIf a logger is "
                            "connected, you may have to restart Corvane software or your "
                            "computer for the device to be recognized."));
    EXPECT_FALSE(data().link.connected);
}

TEST_F(MainFrameTest, ConnectToADeviceThatDoesNotOpenSaysSo) {
    ModalAnswerer answerer;
    // A directory in place of the adapter is listed but never opens.
    fs::create_directory(deviceDir() / "ttyUSB2");
    frame().onCommand(ID_CONNECT);
    settleEvents();
    EXPECT_THAT(answerer.messages, ElementsAre("Connect failed: COM3 can not be opened."));
    EXPECT_EQ(data().settings.comPort, 3);
    EXPECT_FALSE(frame().timerRunning(kTimerIdentify));
}

TEST_F(MainFrameTest, ConnectWithSeveralAdaptersAsksAndCancelEnds) {
    ModalAnswerer answerer;
    fs::create_directory(deviceDir() / "ttyUSB0");
    fs::create_directory(deviceDir() / "ttyUSB4");
    data().settings.comPort = 9;
    frame().onCommand(ID_CONNECT);
    settleEvents();
    EXPECT_THAT(answerer.dialogs, ElementsAre("CDSLCom"));
    EXPECT_TRUE(answerer.messages.empty());
    // The last adapter found stays as the port to save.
    EXPECT_EQ(data().settings.comPort, 5);
}

TEST_F(MainFrameTest, DialogCommandsOpenTheirDialogs) {
    ModalAnswerer answerer;
    data().link.connected = true;
    settleEvents();
    for (int id : {ID_APP_ABOUT, ID_FILE_PAGE_SETUP, ID_DOWNLOAD, ID_MENU_DOWNLOAD, ID_DELETE}) {
        frame().onCommand(id);
    }
    data().link.connected = false;
    settleEvents();
    frame().onCommand(ID_COM_PORT);
    settleEvents();
    // The Comm menu's "Download(&L)" asks as the toolbar's Download does.
    EXPECT_THAT(answerer.dialogs, ElementsAre("CAboutDlg", "QPageSetupDialog", "CDownModeDlg",
                                              "CDownModeDlg", "CDeleModeDlg", "CDSLCom"));
    // Cancelled choices send nothing.
    EXPECT_FALSE(frame().timerRunning(kTimerAutoDownload));
    EXPECT_FALSE(frame().timerRunning(kTimerDeleteAuto));
}

}  // namespace
