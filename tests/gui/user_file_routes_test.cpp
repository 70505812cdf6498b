// Every kind of user file, made, renamed or deleted from the window and from
// dravin-cli (its command functions, in this process), reaches an observer
// of the user-file door with its path, its log and its outcome; a folder
// that cannot take the file reaches it as a failure.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/CLoggerApp.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/DemoLogger.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "link/widgets/CDownModeDlg.h"
#include "logdata/RealtimeJournal.h"
#include "logdata/widgets/CFileListPane.h"
#include "record/AppData.h"
#include "support/FileSizeLimit.h"
#include "support/UserFilesRecorder.h"

namespace fs = std::filesystem;

namespace {

// The demo logger's logs end here.
constexpr SimTime kDemoLast{2026, 3, 14, 9, 25, 0};
constexpr int kDeadlineMs = 10000;
constexpr const char* kListedName = "1234567890_20240105_1000.drav";
// The demo logger's auto logs, saved under its serial number and their last record.
constexpr const char* kDemoLogName = "DEMO000001_20260314_0925.drav";

class UserFilesFixture;

// Which log a step is told to come from.
enum class FromLog { Loaded, Itself, Journal, None };

// A step as the user takes it; `run` gives the path it is told with, or ""
// for a file in the log folder named after a sample's time.
struct Route {
    const char* name;
    UserFileKind kind;
    FromLog from;
    std::function<std::string(UserFilesFixture&)> run;
};

void PrintTo(const Route& route, std::ostream* out) {
    *out << route.name;
}

std::string routeName(const ::testing::TestParamInfo<Route>& info) {
    return info.param.name;
}

class UserFilesFixture : public FrameWithLogTest {
public:
    void SetUp() override {
        ASSERT_TRUE(demo_.running());
        FrameWithLogTest::SetUp();
        fillMinuteLog(data().log.store, 2, 61);
        saveAndLoadLog();
        makeLogFilesDir(data());
        std::ofstream(root() + "/plain") << "x";
    }

    using FrameWithLogTest::data;
    using FrameWithLogTest::frame;
    using FrameWithLogTest::root;

    std::string log() const { return root() + "/log.drav"; }
    std::string logDir() const { return root() + "/Logfiles/"; }
    std::string demoDevice() const { return demo_.devicePath(); }
    const std::string& journal() const { return journal_; }
    // The frame goes, as when the program ends.
    void closeFrame() { frame_.reset(); }

    // Runs `command` with `chosen` typed into its save dialog, replacing a
    // file that is there.
    void exportTo(int command, const std::string& chosen) {
        ModalAnswerer answerer;
        answerer.onDialog = [&](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(QString::fromStdString(chosen));
                QMetaObject::invokeMethod(files, "accept");
            } else if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
            }
        };
        frame().onCommand(command);
        settleEvents();
    }

    void connectLogger() {
        frame().onCommand(ID_CONNECT);
        EXPECT_TRUE(runUntil([&] { return data().link.connected; }, kDeadlineMs));
    }

    // Puts a copy of the log into the log folder as `name`, opens the file
    // list's Operation menu on it and runs `act` with its dialogs answered:
    // the rename dialog with `newName`, the question with OK.
    void operateOn(const char* name, const char* newName,
                   const std::function<void(CFileListPane&)>& act) {
        fs::copy_file(log(), logDir() + name, fs::copy_options::overwrite_existing);
        frame().onCommand(ID_FILE_LIST);
        settleEvents();
        auto* pane = qobject_cast<CFileListPane*>(frame().paneContent(kPaneFileList));
        ASSERT_NE(pane, nullptr);
        pane->fillFileList();
        const QList<QTreeWidgetItem*> found =
            pane->tree()->findItems(QString::fromUtf8(name), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        pane->tree()->scrollToItem(found.first());
        pane->showOperationMenu(pane->tree()->visualItemRect(found.first()).center());
        pane->operationMenu()->hide();
        ASSERT_EQ(pane->chosenFileName(), name);
        ModalAnswerer answerer;
        answerer.onDialog = [newName](QDialog& dialog) {
            if (auto* edit = dialog.findChild<QLineEdit*>("edit1019")) {
                edit->setText(QString::fromUtf8(newName));
                QTest::mouseClick(dialog.findChild<QPushButton*>("button1"), Qt::LeftButton);
            }
        };
        act(*pane);
        settleEvents();
    }

    // dravin-cli run in this process with `args` (after the program's name).
    int cli(std::vector<std::string> args) {
        args.insert(args.begin(), "dravin-cli");
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::string error;
        const std::optional<CliOptions> options =
            parseCommandLine(static_cast<int>(args.size()), argv.data(), error);
        EXPECT_TRUE(options.has_value()) << error;
        return options ? runCommand(*options) : -1;
    }

    // A journal of the log's samples left in the log folder as a crash
    // leaves it; the path of the log its recovery saves.
    std::string leaveJournal() {
        RealtimeJournal journal;
        EXPECT_EQ(journal.open(logDir(), data().log.store, data().log.setup), 0);
        for (uint32_t i = 0; i < data().log.store.recordCount; ++i)
            EXPECT_EQ(journal.append(data().log.store, i), 0);
        journal_ = journal.path();
        return logDir() + kListedName;
    }

private:
    DemoLogger demo_{kDemoLast};  // outlives the frame, whose port reads it
    std::string journal_;
};

std::string windowDownload(UserFilesFixture& t) {
    ModalAnswerer answerer;
    t.connectLogger();
    answerer.otherResult = CDownModeDlg::kAutoLogs;
    t.frame().onCommand(ID_DOWNLOAD);
    return t.logDir() + kDemoLogName;
}

std::string windowRealtime(UserFilesFixture& t) {
    ModalAnswerer answerer;
    t.connectLogger();
    t.frame().onCommand(ID_REALTIME);
    EXPECT_TRUE(runUntil([&] { return t.data().log.store.recordCount >= 1; }, kDeadlineMs));
    t.frame().onCommand(ID_STOP);
    return {};
}

std::string windowRecovery(UserFilesFixture& t) {
    const std::string saved = t.leaveJournal();
    ModalAnswerer answerer;
    recoverUnsavedSamples(t.frame(), t.data());
    return saved;
}

std::string windowPrint(UserFilesFixture& t) {
    QPrinter& printer = t.frame().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(t.root() + "/printed.pdf"));
    t.frame().onCommand(ID_FILE_PRINT_DIRECT);
    return t.root() + "/printed.pdf";
}

// The window's export `command`, to "out" with the format's extension.
std::function<std::string(UserFilesFixture&)> windowExport(int command, const char* extension) {
    return [command, extension](UserFilesFixture& t) {
        t.exportTo(command, t.root() + "/out");
        return t.root() + "/out" + extension;
    };
}

// dravin-cli's export with `option`, into `name`.
std::function<std::string(UserFilesFixture&)> cliExport(const char* option, const char* name) {
    return [option, name](UserFilesFixture& t) {
        const std::string out = t.root() + "/" + name;
        EXPECT_EQ(t.cli({"export", option, t.log(), out}), kExitOk);
        return out;
    };
}

const Route kRoutes[] = {
    {"WindowDownload", UserFileKind::DownloadSaved, FromLog::Itself, windowDownload},
    {"WindowRealtime", UserFileKind::RealtimeSaved, FromLog::Itself, windowRealtime},
    {"WindowSaveAs", UserFileKind::SavedAs, FromLog::Loaded,
     [](UserFilesFixture& t) {
         EXPECT_TRUE(t.frame().document().saveAs(t.root() + "/copy.drav"));
         return t.root() + "/copy.drav";
     }},
    {"WindowRecovery", UserFileKind::RecoveredSaved, FromLog::Journal, windowRecovery},
    {"WindowText", UserFileKind::TextExport, FromLog::Loaded, windowExport(ID_SAVE_TXT, ".txt")},
    {"WindowSpreadsheet", UserFileKind::SpreadsheetExport, FromLog::Loaded,
     windowExport(ID_SAVE_EXCEL, ".xls")},
    {"WindowCsv", UserFileKind::CsvExport, FromLog::Loaded, windowExport(ID_SAVE_CSV, ".csv")},
    {"WindowBitmap", UserFileKind::BitmapExport, FromLog::Loaded,
     windowExport(ID_SAVE_BMP, ".bmp")},
    {"WindowPdf", UserFileKind::PdfExport, FromLog::Loaded, windowExport(ID_SAVE_PDF, ".pdf")},
    {"WindowPrint", UserFileKind::Printed, FromLog::Loaded, windowPrint},
    {"WindowRename", UserFileKind::Renamed, FromLog::Itself,
     [](UserFilesFixture& t) {
         t.operateOn(kListedName, "x_y.drav", [](CFileListPane& pane) { pane.renameChosenFile(); });
         return t.logDir() + kListedName;
     }},
    {"WindowDelete", UserFileKind::Deleted, FromLog::Itself,
     [](UserFilesFixture& t) {
         t.operateOn(kListedName, "", [](CFileListPane& pane) { pane.deleteChosenFile(); });
         return t.logDir() + kListedName;
     }},
    {"WindowSettings", UserFileKind::Settings, FromLog::None,
     [](UserFilesFixture& t) {
         t.closeFrame();
         return t.root() + "/Dravin.ini";
     }},
    {"CliDownload", UserFileKind::DownloadSaved, FromLog::Itself,
     [](UserFilesFixture& t) {
         EXPECT_EQ(
             t.cli({"download", "--device", t.demoDevice(), "--logs", "auto", "--dir", t.logDir()}),
             kExitOk);
         return t.logDir() + kDemoLogName;
     }},
    {"CliRealtime", UserFileKind::RealtimeSaved, FromLog::Itself,
     [](UserFilesFixture& t) {
         EXPECT_EQ(
             t.cli({"realtime", "--device", t.demoDevice(), "--samples", "1", "--dir", t.logDir()}),
             kExitOk);
         return std::string();
     }},
    {"CliRecovery", UserFileKind::RecoveredSaved, FromLog::Journal,
     [](UserFilesFixture& t) {
         const std::string saved = t.leaveJournal();
         EXPECT_EQ(t.cli({"recover", "--dir", t.logDir()}), kExitOk);
         return saved;
     }},
    {"CliText", UserFileKind::TextExport, FromLog::Loaded, cliExport("--txt", "cli.txt")},
    {"CliSpreadsheet", UserFileKind::SpreadsheetExport, FromLog::Loaded,
     cliExport("--xls", "cli.xls")},
    {"CliCsv", UserFileKind::CsvExport, FromLog::Loaded, cliExport("--csv", "cli.csv")},
    {"CliBitmap", UserFileKind::BitmapExport, FromLog::Loaded, cliExport("--bmp", "cli.bmp")},
    {"CliPdf", UserFileKind::PdfExport, FromLog::Loaded, cliExport("--pdf", "cli.pdf")},
};

std::string expectedLog(UserFilesFixture& t, FromLog from, const UserFileEvent& event) {
    switch (from) {
        case FromLog::Loaded:
            return t.log();
        case FromLog::Itself:
            return event.path;
        case FromLog::Journal:
            return t.journal();
        case FromLog::None:
            break;
    }
    return {};
}

// A folder that cannot take the file, or a disk too full for it.
struct FailedRoute {
    const char* name;
    UserFileKind kind;
    OutcomeKind outcome;
    int error;
    std::function<std::string(UserFilesFixture&)> run;
};

void PrintTo(const FailedRoute& route, std::ostream* out) {
    *out << route.name;
}

std::string failedRouteName(const ::testing::TestParamInfo<FailedRoute>& info) {
    return info.param.name;
}

// dravin-cli's export with `option` into a folder that is a file.
std::function<std::string(UserFilesFixture&)> cliExportIntoAFile(const char* option,
                                                                 const char* name) {
    return [option, name](UserFilesFixture& t) {
        const std::string out = t.root() + "/plain/" + name;
        EXPECT_EQ(t.cli({"export", option, t.log(), out}), kExitFailed);
        return out;
    };
}

const FailedRoute kFailedRoutes[] = {
    {"WindowSaveAs", UserFileKind::SavedAs, OutcomeKind::SaveFailed, ENOTDIR,
     [](UserFilesFixture& t) {
         ModalAnswerer answerer;
         EXPECT_FALSE(t.frame().document().saveAs(t.root() + "/plain/copy.drav"));
         return t.root() + "/plain/copy.drav";
     }},
    {"WindowTextOnAFullDisk", UserFileKind::TextExport, OutcomeKind::SaveFailed, EFBIG,
     [](UserFilesFixture& t) {
         FileSizeLimit limit(1024);
         t.exportTo(ID_SAVE_TXT, t.root() + "/full");
         return t.root() + "/full.txt";
     }},
    {"WindowRenameOntoAFile", UserFileKind::Renamed, OutcomeKind::FileFailed, EEXIST,
     [](UserFilesFixture& t) {
         fs::copy_file(t.log(), t.logDir() + "x_y.drav");
         t.operateOn(kListedName, "x_y.drav", [](CFileListPane& pane) { pane.renameChosenFile(); });
         return t.logDir() + kListedName;
     }},
    {"CliText", UserFileKind::TextExport, OutcomeKind::SaveFailed, ENOTDIR,
     cliExportIntoAFile("--txt", "cli.txt")},
    {"CliBitmap", UserFileKind::BitmapExport, OutcomeKind::SaveFailed, ENOTDIR,
     cliExportIntoAFile("--bmp", "cli.bmp")},
    {"CliPdf", UserFileKind::PdfExport, OutcomeKind::SaveFailed, ENOTDIR,
     cliExportIntoAFile("--pdf", "cli.pdf")},
};

class UserFileRoutes : public UserFilesFixture, public ::testing::WithParamInterface<Route> {};
class UserFileFailures : public UserFilesFixture,
                         public ::testing::WithParamInterface<FailedRoute> {};

}  // namespace

TEST_P(UserFileRoutes, EachKindOfUserFileReachesTheObserverWhereItWasMade) {
    const Route& route = GetParam();
    UserFilesRecorder recorder;
    const std::string path = route.run(*this);
    const std::vector<UserFileEvent> told = recorder.of(route.kind);
    ASSERT_EQ(told.size(), 1u);
    const UserFileEvent& event = told[0];
    EXPECT_TRUE(event.outcome.ok()) << event.outcome.detail;
    if (path.empty()) {
        EXPECT_EQ(fs::path(event.path).parent_path(), fs::path(logDir()).parent_path());
    } else {
        EXPECT_EQ(event.path, path);
    }
    EXPECT_EQ(event.log, expectedLog(*this, route.from, event));
    switch (route.kind) {
        case UserFileKind::Renamed:
            EXPECT_EQ(event.newPath, logDir() + "x_y.drav");
            EXPECT_TRUE(fs::exists(event.newPath));
            EXPECT_FALSE(fs::exists(event.path));
            break;
        case UserFileKind::Deleted:
            EXPECT_FALSE(fs::exists(event.path));
            break;
        default:
            EXPECT_TRUE(event.newPath.empty());
            EXPECT_TRUE(fs::exists(event.path)) << event.path;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, UserFileRoutes, ::testing::ValuesIn(kRoutes), routeName);

TEST_P(UserFileFailures, AFileThatCannotBeMadeReachesTheObserverAsAFailure) {
    const FailedRoute& route = GetParam();
    UserFilesRecorder recorder;
    const std::string path = route.run(*this);
    const std::vector<UserFileEvent> told = recorder.of(route.kind);
    ASSERT_EQ(told.size(), 1u);
    const UserFileEvent& event = told[0];
    EXPECT_EQ(event.path, path);
    EXPECT_FALSE(event.outcome.ok());
    EXPECT_EQ(event.outcome.kind, route.outcome);
    EXPECT_EQ(event.outcome.error, route.error) << event.outcome.detail;
    EXPECT_THAT(event.outcome.detail, ::testing::StartsWith(path + ": "));
    if (route.kind != UserFileKind::Renamed) {
        EXPECT_FALSE(fs::exists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, UserFileFailures, ::testing::ValuesIn(kFailedRoutes),
                         failedRouteName);
