// The built-in demo logger in the main window offscreen: found by Connect
// with no adapter in the device folder, then every logger command down the
// real serial path to the simulator's thread.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/CommandIds.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/DemoLogger.h"
#include "gui/support/ModalAnswerer.h"
#include "gui/support/RunUntil.h"
#include "link/widgets/CDeleModeDlg.h"
#include "link/widgets/CDownModeDlg.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;

namespace {

// The demo's logs end here: 14 March 2026, 09:25.
constexpr SimTime kLast{2026, 3, 14, 9, 25, 0};

class DemoLoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(demo_.running());
        // A device folder with no adapter at all.
        fs::create_directory(root() / "dev");
        data_ = std::make_unique<AppData>();
        data_->settings = defaultSettings();
        data_->programDir = root().string() + "/";
        makeLogFilesDir(*data_);
        frame_ = std::make_unique<CMainFrame>(
            *data_,
            MainFrameOptions{(root() / "dev").string(), data_->programDir, DemoLogger::kPaneText});
        frame_->show();
    }
    void TearDown() override { frame_.reset(); }

    fs::path root() const { return fs::path(dir_.path().toStdString()); }

    void connectLogger() {
        frame_->onCommand(ID_CONNECT);
        ASSERT_TRUE(runUntil([&] { return data_->link.connected; }, 5000));
    }

    // Downloads the logs of `choice` and reads back the file saved.
    std::unique_ptr<AppData> download(int choice, ModalAnswerer& answerer) {
        answerer.otherResult = choice;
        frame_->onCommand(ID_DOWNLOAD);
        EXPECT_THAT(answerer.busyTexts, ElementsAre("\r\nSuccess."));
        auto saved = std::make_unique<AppData>();
        std::ifstream in(data_->log.store.currentFilePath, std::ios::binary);
        EXPECT_EQ(readLogFile(in, saved->log.store, saved->log.setup), LogReadResult::Ok);
        return saved;
    }

    QTemporaryDir dir_;
    DemoLogger demo_{kLast};  // outlives the frame, whose port reads it
    std::unique_ptr<AppData> data_;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(DemoLoggerTest, TheStatusBarsLastPaneSaysDemoLogger) {
    auto* pane = frame_->statusBar()->findChild<QLabel*>("pane131");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->text(), "Demo logger");
}

TEST_F(DemoLoggerTest, ItIsListedAsASerialDeviceOnlyWhileItRuns) {
    const std::string dev = (root() / "dev").string();
    {
        DemoLogger other{kLast};
        ASSERT_TRUE(other.running());
        const std::vector<SerialDevice> devices = listSerialDevices(dev);
        ASSERT_EQ(devices.size(), 1u);
        EXPECT_EQ(devices[0].comNumber, kVirtualComNumber);
        EXPECT_EQ(devices[0].path, other.devicePath());
        EXPECT_EQ(devicePathForCom(dev, kVirtualComNumber), other.devicePath());
    }
    EXPECT_TRUE(listSerialDevices(dev).empty());
}

TEST_F(DemoLoggerTest, ConnectFindsItAndTheAutoLogsDownloadAsPlausibleRecords) {
    ModalAnswerer answerer;
    connectLogger();
    EXPECT_TRUE(answerer.dialogs.empty()) << "one device: no port dialog";
    EXPECT_EQ(data_->settings.comPort, kVirtualComNumber);
    EXPECT_EQ(std::string(data_->log.setup.serialNo, 10), "DEMO000001");

    std::unique_ptr<AppData> saved = download(CDownModeDlg::kAutoLogs, answerer);
    EXPECT_EQ(fs::path(data_->log.store.currentFilePath),
              root() / "Logfiles" / "DEMO000001_20260314_0925.drav");
    const LogStore& store = saved->log.store;
    ASSERT_EQ(store.recordCount, static_cast<uint32_t>(kDemoAutoRecords));
    EXPECT_EQ(std::string(saved->log.setup.serialNo, 10), "DEMO000001");
    EXPECT_EQ(store.channelCount, 2u);
    EXPECT_EQ(store.unitTexts[0], "oC");
    EXPECT_EQ(store.unitTexts[1], "%RH");
    EXPECT_EQ(store.timestamp(0), "20260310093000");
    EXPECT_EQ(store.timestamp(store.recordCount - 1), "20260314092500");

    // A room: every value plausible, the coldest and dampest moments while
    // the door stood open the day before the last.
    const float* temperature = store.values[0].data();
    const float* humidity = store.values[1].data();
    const auto n = store.recordCount;
    EXPECT_GT(*std::min_element(temperature, temperature + n), 10.0f);
    EXPECT_LT(*std::max_element(temperature, temperature + n), 30.0f);
    EXPECT_GT(*std::min_element(humidity, humidity + n), 30.0f);
    EXPECT_LT(*std::max_element(humidity, humidity + n), 75.0f);
    const auto coldest = std::min_element(temperature, temperature + n) - temperature;
    const auto dampest = std::max_element(humidity, humidity + n) - humidity;
    for (auto i : {coldest, dampest}) {
        const std::string_view at = store.timestamp(static_cast<uint32_t>(i));
        EXPECT_GE(at, "20260313102000");
        EXPECT_LE(at, "20260313120000");
    }
}

TEST_F(DemoLoggerTest, TheManuLogDownloads) {
    ModalAnswerer answerer;
    connectLogger();
    std::unique_ptr<AppData> saved = download(CDownModeDlg::kManuLogs, answerer);
    // 09:00 and 16:30 on the three days before, 09:00 on the last.
    ASSERT_EQ(saved->log.store.recordCount, 7u);
    EXPECT_EQ(saved->log.store.timestamp(0), "20260311090000");
    EXPECT_EQ(saved->log.store.timestamp(6), "20260314090000");
    EXPECT_EQ(fs::path(data_->log.store.currentFilePath).filename(),
              "DEMO000001_20260314_0900.drav");
}

TEST_F(DemoLoggerTest, RealtimeSamplesArriveAndDrift) {
    ModalAnswerer answerer;
    connectLogger();
    frame_->onCommand(ID_REALTIME);
    ASSERT_TRUE(runUntil([&] { return data_->log.store.recordCount >= 3; }, 10000));
    frame_->onCommand(ID_STOP);
    // Sample n is the logger's live value n, in tenths.
    for (uint32_t i = 0; i < data_->log.store.recordCount; ++i) {
        const LoggerSim::RealtimeValues live = demoLiveSample(static_cast<int>(i));
        EXPECT_FLOAT_EQ(data_->log.store.values[0][i], static_cast<float>(live.ch1) / 10.0f);
        EXPECT_FLOAT_EQ(data_->log.store.values[1][i], static_cast<float>(live.ch2) / 10.0f);
    }
    EXPECT_TRUE(fs::exists(data_->log.store.currentFilePath));
}

TEST_F(DemoLoggerTest, SetupReadsSyncsAndDeleteEmptiesTheLogger) {
    ModalAnswerer answerer;
    connectLogger();
    frame_->readSetup();
    ASSERT_TRUE(runUntil([&] { return data_->log.setup.logsCount != 0; }, 5000));
    EXPECT_STREQ(data_->log.setup.name, "Demo logger");
    EXPECT_EQ(data_->log.setup.logsCount, static_cast<uint32_t>(kDemoAutoRecords));

    // Confirmed with OK, then told the outcome.
    frame_->syncSetup();
    ASSERT_TRUE(runUntil(
        [&] { return !answerer.messages.empty() && answerer.messages.back() == "\r\nSuccess."; },
        5000));
    ASSERT_TRUE(demo_.logger().lastSync().has_value());
    EXPECT_EQ(std::string(demo_.logger().lastSync()->setup.name.data()), "Demo logger");

    answerer.messages.clear();
    answerer.otherResult = CDeleModeDlg::kAutoLogs;
    frame_->onCommand(ID_DELETE);
    ASSERT_TRUE(runUntil([&] { return !answerer.messages.empty(); }, 5000));
    EXPECT_THAT(answerer.messages, ElementsAre("\r\nSuccess."));
    EXPECT_EQ(demo_.logger().autoRecordCount(), 0u);
    EXPECT_EQ(demo_.logger().setup().logsCount, 0u);
}

// The demo's port never becomes the port saved for a real adapter.
TEST(DemoLoggerSettings, TheDemosPortIsNotKept) {
    struct Case {
        int portNow;
        int expected;
    };
    const Case cases[] = {{kVirtualComNumber, 4}, {7, 7}};
    for (const Case& c : cases) {
        AppSettings settings = defaultSettings();
        settings.comPort = c.portNow;
        DemoLogger::keepPortOutOfSettings(settings, 4);
        EXPECT_EQ(settings.comPort, c.expected);
    }
}

TEST(DemoLoggerOption, IsTakenOutOfTheCommandLine) {
    struct Case {
        QStringList arguments;
        bool demo;
        QStringList left;
    };
    const Case cases[] = {
        {{"dravin", "--demo"}, true, {"dravin"}},
        {{"dravin", "--demo", "a.drav"}, true, {"dravin", "a.drav"}},
        {{"dravin", "a.drav"}, false, {"dravin", "a.drav"}},
    };
    for (const Case& c : cases) {
        QStringList arguments = c.arguments;
        EXPECT_EQ(takeDemoOption(arguments), c.demo);
        EXPECT_EQ(arguments, c.left);
    }
}

}  // namespace
