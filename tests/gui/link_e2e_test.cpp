// The main window against the logger simulator on a pseudo-terminal: the
// real serial port, its receive thread, the real 1000 ms timers and the real
// dialogs. Slow by nature: a silent logger takes eleven seconds to give up.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/CommandIds.h"
#include "app/widgets/CCommProgressDlg.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CMsgDlg.h"
#include "gui/support/ModalAnswerer.h"
#include "gui/support/RunUntil.h"
#include "gui/support/UserInput.h"
#include "link/widgets/CDeleModeDlg.h"
#include "link/widgets/CDownModeDlg.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "sim/LoggerSim.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

constexpr uint8_t kIdentify = 0x51;
constexpr uint8_t kAutoLogs = 0x57;
constexpr uint8_t kDeleteAuto = 0x59;
constexpr uint8_t kManuLogs = 0x5B;
constexpr uint8_t kDeleteManu = 0x5D;
constexpr uint8_t kRealtime = 0x67;

// A log of logger 0123456789 with `records` records, as the program writes it.
void writeLog(const fs::path& path, uint32_t records) {
    auto data = std::make_unique<AppData>();
    std::memcpy(data->log.setup.serialNo, "0123456789", sizeof data->log.setup.serialNo);
    data->log.store.channelCount = 1;
    data->log.store.recordCount = records;
    for (uint32_t i = 0; i < records; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20240309070502", kTimestampLength);
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(writeLogFile(out, data->log.store, data->log.setup));
}

class LinkEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(sim_.running());
        fs::create_directory(root() / "dev");
        fs::create_symlink(sim_.devicePath(), root() / "dev" / "ttyUSB0");
        data_ = std::make_unique<AppData>();
        data_->settings = defaultSettings();
        data_->programDir = root().string() + "/";
        makeLogFilesDir(*data_);
        frame_ = std::make_unique<CMainFrame>(
            *data_, MainFrameOptions{(root() / "dev").string(), data_->programDir});
        frame_->show();
    }
    void TearDown() override { frame_.reset(); }

    static LoggerSim::Config config() {
        LoggerSim::Config config;
        config.serialNo = "1234567890";
        config.autoRecords = makeSimRecords(250, {2023, 12, 25, 13, 45, 30, 235, 253, 0, 0}, 60);
        config.manuRecords = makeSimRecords(7, {2024, 2, 29, 23, 55, 0, 181, 402, 0, 0}, 120);
        return config;
    }

    fs::path root() const { return fs::path(dir_.path().toStdString()); }

    // Connect through the main window and wait for the logger to answer.
    void connectLogger() {
        frame_->onCommand(ID_CONNECT);
        ASSERT_TRUE(runUntil([&] { return data_->link.connected; }, 5000));
    }

    std::vector<int> visiblePanes() const {
        std::vector<int> visible;
        for (int id : {kPaneQuery, kPaneDataList, kPaneFileList, kPaneSetup}) {
            if (frame_->pane(id)->isVisible()) visible.push_back(id);
        }
        return visible;
    }

    QTemporaryDir dir_;
    LoggerSim sim_{config()};  // outlives the frame, whose port reads it
    std::unique_ptr<AppData> data_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(LinkEndToEndTest, ConnectEndsConnectedWithTheSetupPane) {
    ModalAnswerer answerer;
    frame_->onCommand(ID_CONNECT);
    EXPECT_TRUE(frame_->progressWindow()->isVisible());
    EXPECT_EQ(frame_->progressWindow()->text(), "Connect to the logger...");

    ASSERT_TRUE(runUntil([&] { return data_->link.connected; }, 5000));
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneSetup));
    EXPECT_FALSE(frame_->progressWindow()->isVisible());
    EXPECT_EQ(std::string(data_->log.setup.serialNo, 10), "1234567890");
    EXPECT_EQ(sim_.requestCount(kIdentify), 1);
    EXPECT_TRUE(answerer.messages.empty());
    // The logger commands are there now, Connect is not.
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame_->commandAction(ID_CONNECT)->isEnabled());
    EXPECT_TRUE(frame_->commandAction(ID_DOWNLOAD)->isEnabled());

    frame_->onCommand(ID_DISCONNECT);
    EXPECT_FALSE(data_->link.connected);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame_->commandAction(ID_CONNECT)->isEnabled());
}

TEST_F(LinkEndToEndTest, WithoutTheDeviceListConnectDoesNothing) {
    ModalAnswerer answerer;
    const int savedPort = data_->settings.comPort;
    fs::remove_all(root() / "dev");
    frame_->onCommand(ID_CONNECT);
    QCoreApplication::processEvents();
    EXPECT_TRUE(answerer.messages.empty());
    EXPECT_TRUE(answerer.dialogs.empty());
    EXPECT_FALSE(frame_->progressWindow()->isVisible());
    EXPECT_FALSE(frame_->timerRunning(kTimerIdentify));
    EXPECT_EQ(sim_.requestCount(kIdentify), 0);
    EXPECT_EQ(data_->settings.comPort, savedPort);
}

TEST_F(LinkEndToEndTest, ASilentLoggerEndsWithTheCannotConnectText) {
    LoggerSim::Faults faults;
    faults.silent = true;
    sim_.setFaults(faults);
    ModalAnswerer answerer;
    frame_->onCommand(ID_CONNECT);
    EXPECT_TRUE(frame_->timerRunning(kTimerIdentify));

    // Sent once and resent ten times a second apart.
    ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 15000));
    EXPECT_THAT(answerer.messages,
                ElementsAre("\r\nCannot connect to the logger, please try again."));
    EXPECT_EQ(sim_.requestCount(kIdentify), 11);
    EXPECT_FALSE(data_->link.connected);
    EXPECT_FALSE(frame_->progressWindow()->isVisible());
    EXPECT_FALSE(frame_->timerRunning(kTimerIdentify));
}

// A Connect that got no answer closes the port and ends the link: the next
// Connect opens the line anew and works at once.
TEST_F(LinkEndToEndTest, AConnectWithoutAnAnswerLeavesNothingOpenForTheNext) {
    LoggerSim::Faults faults;
    faults.silent = true;
    sim_.setFaults(faults);
    ModalAnswerer answerer;
    frame_->onCommand(ID_CONNECT);
    ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 15000));
    EXPECT_FALSE(frame_->port().isOpen());
    EXPECT_FALSE(frame_->port().threadAlive());
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame_->commandAction(ID_CONNECT)->isEnabled());

    sim_.setFaults({});
    answerer.messages.clear();
    frame_->onCommand(ID_CONNECT);
    ASSERT_TRUE(runUntil([&] { return data_->link.connected; }, 5000));
    EXPECT_TRUE(answerer.messages.empty());
    EXPECT_EQ(sim_.requestCount(kIdentify), 12);
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneSetup));
}

TEST_F(LinkEndToEndTest, AHangUpShowsTheUnpluggedText) {
    ModalAnswerer answerer;
    connectLogger();
    sim_.hangUp();
    ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 5000));
    EXPECT_THAT(answerer.messages,
                ElementsAre("The USB cable was unplugged and the connection was broken."));
    EXPECT_FALSE(data_->link.connected);
    EXPECT_FALSE(frame_->port().threadAlive());
}

TEST_F(LinkEndToEndTest, ADownloadEndsWithSuccessInTheBusyBoxAndTheFileSaved) {
    ModalAnswerer answerer;
    connectLogger();
    answerer.otherResult = CDownModeDlg::kAutoLogs;
    // Returns when the busy box has been closed.
    frame_->onCommand(ID_DOWNLOAD);

    EXPECT_THAT(answerer.dialogs, ElementsAre("CDownModeDlg"));
    EXPECT_FALSE(answerer.watchdogFired);
    EXPECT_THAT(answerer.busyTexts, ElementsAre("\r\nSuccess."));
    EXPECT_TRUE(answerer.messages.empty());
    EXPECT_EQ(data_->log.store.recordCount, 250u);

    // The last record is 249 minutes after the first: 2023-12-25 17:54.
    const fs::path saved = root() / "Logfiles" / "1234567890_20231225_1754.drav";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(fs::file_size(saved), 51u + 30u * 250u);
    auto check = std::make_unique<AppData>();
    std::ifstream in(saved, std::ios::binary);
    ASSERT_EQ(readLogFile(in, check->log.store, check->log.setup), LogReadResult::Ok);
    EXPECT_EQ(check->log.store.recordCount, 250u);
    EXPECT_EQ(check->log.store.timestamp(0), "20231225134530");
    EXPECT_FLOAT_EQ(check->log.store.values[0][0], 23.5f);

    EXPECT_EQ(frame_->windowTitle(), "1234567890_20231225_1754.drav - Dravin V1.21");
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));
}

// Cancel in the busy box: what arrived is saved and the box says the user cut
// it short. The logger sends the rest all the same; once it has gone quiet
// the logger commands work again.
TEST_F(LinkEndToEndTest, ACancelledDownloadSavesWhatArrivedAndTheNextOneWorks) {
    LoggerSim::Pacing slow;
    slow.recordsPerPackage = 10;
    slow.pauseMs = 300;
    sim_.setPacing(slow);
    ModalAnswerer answerer;
    connectLogger();
    answerer.otherResult = CDownModeDlg::kAutoLogs;
    bool cancelShown = false;
    QTimer cancelLater;
    QObject::connect(&cancelLater, &QTimer::timeout, [&] {
        CMsgDlg* box = CMsgDlg::busyWindow();
        if (box == nullptr || data_->link.packagesDone < 2) return;
        auto* cancel = box->findChild<QPushButton*>(QStringLiteral("buttonCancel"));
        if (cancel == nullptr) return;  // the answerer's watchdog ends the test
        cancelShown = cancel->isVisible() && cancel->isEnabled();
        cancelLater.stop();
        cancel->click();
    });
    cancelLater.start(10);
    // Returns when the busy box has been closed.
    frame_->onCommand(ID_DOWNLOAD);

    EXPECT_FALSE(answerer.watchdogFired);
    EXPECT_TRUE(cancelShown);
    EXPECT_THAT(answerer.busyTexts, ElementsAre("\r\nThe download was cut short by the user."));
    const uint32_t kept = data_->log.store.recordCount;
    EXPECT_GE(kept, 20u);
    EXPECT_LT(kept, 250u);
    ASSERT_TRUE(fs::exists(data_->log.store.currentFilePath));
    auto check = std::make_unique<AppData>();
    {
        std::ifstream in(data_->log.store.currentFilePath, std::ios::binary);
        ASSERT_EQ(readLogFile(in, check->log.store, check->log.setup), LogReadResult::Ok);
    }
    EXPECT_EQ(check->log.store.recordCount, kept);
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));

    // The rest of the download still comes: no request may go out beside it.
    EXPECT_TRUE(data_->link.discarding);
    EXPECT_TRUE(frame_->progressWindow()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame_->commandAction(ID_DOWNLOAD)->isEnabled());
    ASSERT_TRUE(runUntil([&] { return !data_->link.discarding; }, 40000));
    EXPECT_EQ(data_->log.store.recordCount, kept);
    EXPECT_FALSE(frame_->progressWindow()->isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame_->commandAction(ID_DOWNLOAD)->isEnabled());

    // The line is the program's again.
    sim_.setPacing({});
    answerer.busyTexts.clear();
    frame_->onCommand(ID_DOWNLOAD);
    EXPECT_THAT(answerer.busyTexts, ElementsAre("\r\nSuccess."));
    EXPECT_EQ(data_->log.store.recordCount, 250u);
    EXPECT_EQ(sim_.requestCount(kAutoLogs), 2);
    EXPECT_TRUE(answerer.messages.empty());
}

TEST_F(LinkEndToEndTest, TheCommMenusDownloadFetchesTheManuLogs) {
    ModalAnswerer answerer;
    connectLogger();
    answerer.otherResult = CDownModeDlg::kManuLogs;
    QCoreApplication::processEvents();
    QAction* menuDownload = frame_->commandAction(ID_MENU_DOWNLOAD);
    ASSERT_TRUE(menuDownload->isEnabled());
    // Returns when the busy box has been closed.
    menuDownload->trigger();

    EXPECT_THAT(answerer.dialogs, ElementsAre("CDownModeDlg"));
    EXPECT_FALSE(answerer.watchdogFired);
    EXPECT_THAT(answerer.busyTexts, ElementsAre("\r\nSuccess."));
    EXPECT_EQ(sim_.requestCount(kManuLogs), 1);
    EXPECT_EQ(sim_.requestCount(kAutoLogs), 0);
    EXPECT_EQ(data_->log.store.recordCount, 7u);
    EXPECT_EQ(data_->log.store.timestamp(0), "20240229235500");
    EXPECT_FLOAT_EQ(data_->log.store.values[0][0], 18.1f);
    // The last record is twelve minutes after the first, on 1 March.
    const fs::path saved = root() / "Logfiles" / "1234567890_20240301_0007.drav";
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_EQ(frame_->windowTitle(), "1234567890_20240301_0007.drav - Dravin V1.21");
}

TEST_F(LinkEndToEndTest, EachDeleteChoiceDeletesItsOwnLogs) {
    struct Case {
        const char* name;
        int choice;
        const char* progress;  // nullptr: nothing is sent
        int autoDeletes;       // requests so far
        int manuDeletes;
        size_t autoLeft;
        size_t manuLeft;
    };
    const Case cases[] = {
        {"Cancel", QDialog::Rejected, nullptr, 0, 0, 250, 7},
        {"Manu", CDeleModeDlg::kManuLogs, "Delete Manu-logs...", 0, 1, 250, 0},
        {"Auto", CDeleModeDlg::kAutoLogs, "Delete Auto-logs, please wait...", 1, 1, 0, 0},
    };
    connectLogger();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModalAnswerer answerer;
        answerer.otherResult = c.choice;
        frame_->onCommand(ID_DELETE);
        EXPECT_THAT(answerer.dialogs, ElementsAre("CDeleModeDlg"));
        if (c.progress) {
            EXPECT_TRUE(frame_->progressWindow()->isVisible());
            EXPECT_EQ(frame_->progressWindow()->text(), c.progress);
            ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 5000));
            EXPECT_THAT(answerer.messages, ElementsAre("\r\nSuccess."));
        } else {
            EXPECT_FALSE(runUntil([&] { return sim_.totalRequests() > 1; }, 1500));
            EXPECT_TRUE(answerer.messages.empty());
        }
        EXPECT_FALSE(frame_->progressWindow()->isVisible());
        EXPECT_EQ(sim_.requestCount(kDeleteAuto), c.autoDeletes);
        EXPECT_EQ(sim_.requestCount(kDeleteManu), c.manuDeletes);
        EXPECT_EQ(sim_.autoRecordCount(), c.autoLeft);
        EXPECT_EQ(sim_.manuRecordCount(), c.manuLeft);
    }
}

// With two adapters Connect asks; the device chosen is the one opened and
// sent the identify frame.
TEST_F(LinkEndToEndTest, WithSeveralAdaptersTheChosenOneIsConnected) {
    struct Case {
        const char* name;
        const char* pick;  // nullptr: OK on what the dialog shows
        int port;
        bool second;  // the logger behind ttyACM0 answers
    };
    const Case cases[] = {
        {"Preselected", nullptr, 17, true},
        {"Picked", "COM1", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoggerSim::Config secondConfig = config();
        secondConfig.serialNo = "5555500000";
        LoggerSim second(secondConfig);
        ASSERT_TRUE(second.running());
        fs::remove(root() / "dev" / "ttyACM0");
        fs::create_symlink(second.devicePath(), root() / "dev" / "ttyACM0");
        frame_ = std::make_unique<CMainFrame>(
            *data_, MainFrameOptions{(root() / "dev").string(), data_->programDir});
        const int identifiesBefore = sim_.requestCount(kIdentify);

        ModalAnswerer answerer;
        QString shown;
        answerer.onDialog = [&](QDialog& dialog) {
            auto* ports = dialog.findChild<QComboBox*>("combo1002");
            ASSERT_NE(ports, nullptr);
            shown = ports->currentText();
            if (c.pick) pickEntry(ports, c.pick);
            dialog.findChild<QPushButton*>("button1")->click();
        };
        frame_->onCommand(ID_CONNECT);
        EXPECT_THAT(answerer.dialogs, ElementsAre("CDSLCom"));
        // The last adapter found is the one shown.
        EXPECT_EQ(shown, "COM17");
        EXPECT_EQ(data_->settings.comPort, c.port);
        ASSERT_TRUE(runUntil([&] { return data_->link.connected; }, 5000));
        EXPECT_EQ(second.requestCount(kIdentify), c.second ? 1 : 0);
        EXPECT_EQ(sim_.requestCount(kIdentify) - identifiesBefore, c.second ? 0 : 1);
        EXPECT_EQ(std::string(data_->log.setup.serialNo, 10),
                  c.second ? "5555500000" : "1234567890");
        EXPECT_TRUE(answerer.messages.empty());
        // The link and the port go before the logger behind them.
        frame_->onCommand(ID_DISCONNECT);
        frame_.reset();
    }
}

TEST_F(LinkEndToEndTest, RealtimeSamplesUntilStopAndRefusesToClose) {
    ModalAnswerer answerer;
    connectLogger();
    frame_->onCommand(ID_REALTIME);
    ASSERT_TRUE(runUntil([&] { return data_->log.store.recordCount >= 2; }, 5000));
    EXPECT_GE(sim_.requestCount(kRealtime), 2);
    EXPECT_FLOAT_EQ(data_->log.store.values[0][0], 23.5f);
    EXPECT_FALSE(frame_->progressWindow()->isVisible());

    EXPECT_FALSE(frame_->close());
    ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 1000));
    EXPECT_TRUE(frame_->isVisible());

    frame_->onCommand(ID_STOP);
    EXPECT_FALSE(data_->link.realtimeActive);
    EXPECT_FALSE(frame_->timerRunning(kTimerRealtime));
    EXPECT_TRUE(fs::exists(data_->log.store.currentFilePath));
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));
}

// A log opened while samples come in would replace them and the serial number
// they are saved under: the window refuses it, and Stop saves the samples as
// this logger's.
TEST_F(LinkEndToEndTest, ALogOpenedDuringRealtimeChangesNothing) {
    const fs::path other = root() / "other.drav";
    writeLog(other, 40);
    ModalAnswerer answerer;
    ASSERT_TRUE(frame_->document().openDocument(other.string()));  // a recent file now
    connectLogger();
    frame_->onCommand(ID_REALTIME);
    ASSERT_TRUE(runUntil([&] { return data_->log.store.recordCount >= 1; }, 5000));
    const QString title = frame_->windowTitle();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(other.string()))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame_.get(), &drop);
    EXPECT_FALSE(frame_->openDocumentFile(QString::fromStdString(other.string())));
    frame_->onCommand(ID_FILE_OPEN);
    frame_->onCommand(ID_FILE_NEW);
    for (QAction* action : frame_->fileMenu()->actions()) {
        if (action->data().toInt() == ID_FILE_MRU_FIRST && action->isVisible()) action->trigger();
    }
    ASSERT_TRUE(runUntil([&] { return data_->log.store.recordCount >= 2; }, 5000));
    EXPECT_EQ(std::string(data_->log.setup.serialNo, 10), "1234567890");
    EXPECT_EQ(frame_->windowTitle(), title);
    EXPECT_TRUE(answerer.dialogs.empty());
    EXPECT_TRUE(answerer.messages.empty());

    frame_->onCommand(ID_STOP);
    // Saved under the logger's serial number, with the samples, not the file's records.
    EXPECT_THAT(data_->log.store.currentFileName, ::testing::StartsWith("1234567890_"));
    auto check = std::make_unique<AppData>();
    std::ifstream in(data_->log.store.currentFilePath, std::ios::binary);
    ASSERT_EQ(readLogFile(in, check->log.store, check->log.setup), LogReadResult::Ok);
    EXPECT_EQ(std::string(check->log.setup.serialNo, 10), "1234567890");
    EXPECT_EQ(check->log.store.recordCount, data_->log.store.recordCount);
    EXPECT_FLOAT_EQ(check->log.store.values[0][0], 23.5f);
}

}  // namespace
