// The main window against the logger simulator on a pseudo-terminal: the
// real serial port, its receive thread, the real 1000 ms timers and the real
// dialogs. Slow by nature: a silent logger takes eleven seconds to give up.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/AppData.h"
#include "app/CommandIds.h"
#include "app/widgets/CCommProgressDlg.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CMsgDlg.h"
#include "gui/support/ModalAnswerer.h"
#include "link/widgets/CDownModeDlg.h"
#include "logdata/LogFile.h"
#include "sim/LoggerSim.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

// Runs the event loop until `done` holds or the deadline passes.
bool runUntil(const std::function<bool()>& done, int deadlineMs) {
    if (done()) return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
    poll.start(10);
    loop.exec();
    return done();
}

constexpr uint8_t kIdentify = 0x51;
constexpr uint8_t kRealtime = 0x67;

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
    EXPECT_EQ(std::string(data_->setup.serialNo, 10), "1234567890");
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
    EXPECT_EQ(data_->store.recordCount, 250u);

    // The last record is 249 minutes after the first: 2023-12-25 17:54.
    const fs::path saved = root() / "Logfiles" / "1234567890_20231225_1754.drav";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(fs::file_size(saved), 51u + 30u * 250u);
    auto check = std::make_unique<AppData>();
    std::ifstream in(saved, std::ios::binary);
    ASSERT_EQ(readLogFile(in, check->store, check->setup), LogReadResult::Ok);
    EXPECT_EQ(check->store.recordCount, 250u);
    EXPECT_EQ(check->store.timestamp(0), "20231225134530");
    EXPECT_FLOAT_EQ(check->store.values[0][0], 23.5f);

    EXPECT_EQ(frame_->windowTitle(), "1234567890_20231225_1754.drav - Dravin V1.21");
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));
}

TEST_F(LinkEndToEndTest, RealtimeSamplesUntilStopAndRefusesToClose) {
    ModalAnswerer answerer;
    connectLogger();
    frame_->onCommand(ID_REALTIME);
    ASSERT_TRUE(runUntil([&] { return data_->store.recordCount >= 2; }, 5000));
    EXPECT_GE(sim_.requestCount(kRealtime), 2);
    EXPECT_FLOAT_EQ(data_->store.values[0][0], 23.5f);
    EXPECT_FALSE(frame_->progressWindow()->isVisible());

    EXPECT_FALSE(frame_->close());
    ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 1000));
    EXPECT_TRUE(frame_->isVisible());

    frame_->onCommand(ID_STOP);
    EXPECT_FALSE(data_->link.realtimeActive);
    EXPECT_FALSE(frame_->timerRunning(kTimerRealtime));
    EXPECT_TRUE(fs::exists(data_->store.currentFilePath));
    EXPECT_THAT(visiblePanes(), ElementsAre(kPaneFileList));
}

}  // namespace
