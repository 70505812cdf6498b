#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/ProtocolEngine.h"
#include "support/EngineFixture.h"
#include "support/FakeHosts.h"
#include "support/LogPackages.h"
#include "support/LoggerReplies.h"
#include "support/TempDir.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kUnplugged = "The USB cable was unplugged and the connection was broken.";

Bytes requestFrame(uint8_t code) {
    return loggerReply(code, {});
}

const Bytes kIdentifyFrame{0x01, 0x16, 0x7B, 0x28, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0x00, 0x00, 0x51, 0x51, 0x29, 0x7D, 0x7E, 0x04};

// The link is down until a test connects.
class ProtocolEngineTest : public EngineFixture<> {
protected:
    ProtocolEngineTest() : EngineFixture(Link::Down) { useLogFolder("engine_"); }

    void connect() {
        engine.startIdentify();
        receive(loggerReply(REPLY_IDENTIFY, {0x01, 0x05}));
        ui.messages.clear();
        ui.outcomes.clear();
        ui.panes.clear();
        port.writes.clear();
    }
};

TEST_F(ProtocolEngineTest, ConnectSendsIdentifyAndShowsProgress) {
    engine.startIdentify();
    EXPECT_THAT(port.writes, ElementsAre(kIdentifyFrame));
    EXPECT_EQ(timers.running, (std::map<int, int>{{kTimerIdentify, 1000}}));
    EXPECT_EQ(data->link.retriesLeft, kMaxRetries);
    EXPECT_TRUE(ui.progressVisible);
    EXPECT_EQ(ui.progressText, "Connect to the logger...");
}

TEST_F(ProtocolEngineTest, SilentLoggerGetsElevenIdentifiesThenCannotConnect) {
    engine.startIdentify();
    for (int tick = 1; tick <= kMaxRetries; ++tick) {
        engine.onTimer(kTimerIdentify);
        EXPECT_EQ(port.writes.size(), static_cast<size_t>(tick + 1));
        EXPECT_THAT(ui.messages, IsEmpty());
    }
    EXPECT_TRUE(std::all_of(port.writes.begin(), port.writes.end(),
                            [](const Bytes& w) { return w == kIdentifyFrame; }));

    engine.onTimer(kTimerIdentify);
    EXPECT_EQ(port.writes.size(), 11u);
    EXPECT_FALSE(timers.isRunning(kTimerIdentify));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(ui.messages, ElementsAre("\r\nCannot connect to the logger, please try again."));
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
    EXPECT_FALSE(data->link.connected);
    // A failed Connect leaves no port open for the next one to find.
    EXPECT_EQ(port.closes, 1);
}

TEST_F(ProtocolEngineTest, GoodIdentifyAdoptsSerialAndChannelsAndConnects) {
    data->link.awaitedReply = REPLY_SETUP;
    engine.startIdentify();
    receive(loggerReply(REPLY_IDENTIFY, {0x01, 0x05}, "KM52000417"));

    EXPECT_EQ(std::string_view(data->log.setup.serialNo, 10), "KM52000417");
    EXPECT_EQ(data->log.setup.channelConfig, 5);
    EXPECT_EQ(data->log.store.channelCount, 2u);
    EXPECT_EQ(data->log.store.unitTexts[0], "oC");
    EXPECT_EQ(data->log.store.unitTexts[1], "%RH");
    EXPECT_TRUE(data->link.connected);
    EXPECT_EQ(data->link.awaitedReply, 0);
    EXPECT_THAT(ui.panes, ElementsAre(kPaneSetup));
    EXPECT_FALSE(timers.isRunning(kTimerIdentify));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_THAT(ui.outcomes, ElementsAre(true));
}

TEST_F(ProtocolEngineTest, IdentifyWithFailedStatusLeavesTheLinkDown) {
    data->link.awaitedReply = REPLY_SETUP;
    engine.startIdentify();
    receive(loggerReply(REPLY_IDENTIFY, {0x00, 0x05}, "KM52000417"));

    EXPECT_THAT(ui.messages, ElementsAre(kFailed));
    EXPECT_FALSE(data->link.connected);
    EXPECT_EQ(data->link.awaitedReply, 0);
    EXPECT_EQ(port.closes, 1);
    EXPECT_EQ(std::string_view(data->log.setup.serialNo, 10), kSerial);
    EXPECT_FALSE(timers.isRunning(kTimerIdentify));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
}

TEST_F(ProtocolEngineTest, IdentifyOfWrongLengthStopsTheThread) {
    engine.startIdentify();
    receive(loggerReply(REPLY_IDENTIFY, {0x01}));

    EXPECT_THAT(ui.messages, ElementsAre("Failed, please try again."));
    EXPECT_EQ(port.stops, 1);
    EXPECT_EQ(port.closes, 1);
    EXPECT_FALSE(data->link.connected);
    EXPECT_FALSE(timers.isRunning(kTimerIdentify));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
}

// A cable pull is told whatever the link was doing: the request in flight
// ends without a late time-out, the link ends, and the user hears of it once.
TEST_F(ProtocolEngineTest, ACablePullIsToldInEveryState) {
    struct Case {
        const char* name;
        std::function<void()> start;
    };
    const Case cases[] = {
        {"connected, idle", [] {}},
        {"identifying", [this] { engine.startIdentify(); }},
        {"reading the setup", [this] { engine.readSetup(); }},
        {"after a setup read",
         [this] {
             engine.readSetup();
             receive(loggerReply(REPLY_SETUP, Bytes(79, 0)));
         }},
        {"synchronising", [this] { engine.syncSetup(); }},
        {"after a sync",
         [this] {
             engine.syncSetup();
             receive(loggerReply(REPLY_SYNC, {0x01}));
         }},
        {"deleting Auto logs", [this] { engine.deleteAutoLogs(); }},
        {"deleting Manu logs", [this] { engine.deleteManuLogs(); }},
        {"awaiting the first Auto package", [this] { engine.startAutoDownload(); }},
        {"awaiting the Manu package", [this] { engine.startManuDownload(); }},
        {"sampling before the first sample", [this] { engine.startRealtime(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connect();
        data->log.setup.samplingInterval = 2;
        data->log.setup.logInterval = 10;
        data->log.setup.ch1High = 1;
        data->log.setup.ch2High = 1;
        data->log.setup.ch3High = 1;
        data->log.setup.ch4High = 1;
        c.start();
        ui.messages.clear();
        ui.ended.clear();
        port.stops = 0;

        engine.onPortError("read: the line hung up");
        EXPECT_EQ(port.stops, 1);
        EXPECT_FALSE(data->link.connected);
        EXPECT_FALSE(ui.progressVisible);
        EXPECT_THAT(timers.running, IsEmpty());
        EXPECT_THAT(ui.messages, ElementsAre(kUnplugged));
        ASSERT_EQ(ui.ended.size(), 1u);
        EXPECT_EQ(ui.ended[0].kind, OutcomeKind::PortError);
        EXPECT_EQ(ui.ended[0].detail, "read: the line hung up");
        EXPECT_FALSE(engine.downloadActive());
        EXPECT_FALSE(data->link.realtimeActive);
    }
}

TEST_F(ProtocolEngineTest, SeventeenBytesAreJustAChunkTooShortForAReply) {
    connect();
    receive(Bytes(17, 0));
    EXPECT_EQ(port.stops, 0);
    EXPECT_TRUE(data->link.connected);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_THAT(ui.outcomes, IsEmpty());
}

TEST_F(ProtocolEngineTest, ResendSendsWhateverFrameWasBuiltLast) {
    connect();
    engine.startIdentify();
    buildFrame(data->link, data->log.setup, CMD_READ_SETUP);
    engine.onTimer(kTimerIdentify);
    ASSERT_EQ(port.writes.size(), 2u);
    EXPECT_EQ(port.writes[0], kIdentifyFrame);
    EXPECT_EQ(port.writes[1], requestFrame(CMD_READ_SETUP));
    EXPECT_EQ(data->link.retriesLeft, kMaxRetries - 1);
}

TEST_F(ProtocolEngineTest, RealtimeTickBuildsAFreshRequestAndKeepsRunning) {
    connect();
    buildFrame(data->link, data->log.setup, CMD_READ_SETUP);
    timers.startTimer(kTimerRealtime, 1000);
    data->link.retriesLeft = 0;
    engine.onTimer(kTimerRealtime);
    engine.onTimer(kTimerRealtime);
    EXPECT_THAT(port.writes, ElementsAre(requestFrame(CMD_REALTIME), requestFrame(CMD_REALTIME)));
    EXPECT_TRUE(timers.isRunning(kTimerRealtime));
    EXPECT_THAT(ui.messages, IsEmpty());
}

TEST_F(ProtocolEngineTest, RequestTimerResendsWhileRetriesLast) {
    for (int id : {kTimerIdentify, kTimerReadSetup, kTimerSync, kTimerAutoDownload,
                   kTimerDeleteAuto, kTimerManuDownload, kTimerDeleteManu}) {
        SCOPED_TRACE(id);
        port.writes.clear();
        buildFrame(data->link, data->log.setup, CMD_DELETE_AUTO);
        data->link.retriesLeft = 3;
        timers.startTimer(id, 1000);
        engine.onTimer(id);
        EXPECT_THAT(port.writes, ElementsAre(requestFrame(CMD_DELETE_AUTO)));
        EXPECT_EQ(data->link.retriesLeft, 2);
        EXPECT_TRUE(timers.isRunning(id));
    }
    EXPECT_THAT(ui.messages, IsEmpty());
}

TEST_F(ProtocolEngineTest, RequestTimersGiveUpWithTheirOwnWords) {
    struct Case {
        int id;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {kTimerIdentify, {"\r\nCannot connect to the logger, please try again."}},
        {kTimerReadSetup, {"\r\n获取属性信息超时，请重试！"}},
        {kTimerSync, {"\r\nTimeout!"}},
        {kTimerDeleteAuto, {"\r\nTimeout!"}},
        {kTimerDeleteManu, {"\r\nTimeout!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ui.messages.clear();
        ui.ended.clear();
        port.writes.clear();
        ui.showProgress("working");
        timers.startTimer(c.id, 1000);
        data->link.retriesLeft = 0;
        engine.onTimer(c.id);
        EXPECT_FALSE(timers.isRunning(c.id));
        EXPECT_FALSE(ui.progressVisible);
        EXPECT_EQ(ui.messages, c.messages);
        ASSERT_EQ(ui.ended.size(), 1u);
        EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Timeout);
        EXPECT_THAT(port.writes, IsEmpty());
    }
}

TEST_F(ProtocolEngineTest, DownloadTimersGiveUpInTheBusyBox) {
    struct Case {
        int id;
        std::string progressText;
    };
    for (const Case& c :
         {Case{kTimerAutoDownload, "working"}, Case{kTimerManuDownload, "Timeout!"}}) {
        SCOPED_TRACE(c.id);
        ui.outcomes.clear();
        ui.busyOver = false;
        ui.progressText = "working";
        timers.startTimer(c.id, 1000);
        data->link.retriesLeft = 0;
        engine.onTimer(c.id);
        EXPECT_FALSE(timers.isRunning(c.id));
        EXPECT_EQ(ui.lastBusyText(), "\r\nTimeout!");
        EXPECT_TRUE(ui.busyOver);
        EXPECT_EQ(ui.progressText, c.progressText);
        EXPECT_THAT(ui.outcomes, ElementsAre(false));
    }
}

TEST_F(ProtocolEngineTest, UnknownTimerIdsDoNothing) {
    buildFrame(data->link, data->log.setup, CMD_READ_SETUP);
    data->link.retriesLeft = 0;
    for (int id : {0, 2, 4, 6, 12, 14, 16, 99}) engine.onTimer(id);
    EXPECT_THAT(port.writes, IsEmpty());
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_THAT(ui.outcomes, IsEmpty());
}

TEST_F(ProtocolEngineTest, ShortSetupReplyStopsItsTimerAndFails) {
    connect();
    timers.startTimer(kTimerReadSetup, 1000);
    ui.showProgress("reading");
    receive(loggerReply(REPLY_SETUP, Bytes(78, 0)));
    EXPECT_FALSE(timers.isRunning(kTimerReadSetup));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(ui.messages, ElementsAre(kFailed));
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
    EXPECT_EQ(ui.setupGridFills, 0);
}

TEST_F(ProtocolEngineTest, StatusRepliesReportAndClearTheAwaitedReply) {
    struct Case {
        uint8_t code;
        uint8_t status;
        const char* message;
    };
    const Case cases[] = {
        {REPLY_0x73, 1, kSuccess},
        {REPLY_0x73, 0, kFailed},
        {REPLY_0x81, 1, kSuccess},
        {REPLY_0x81, 2, kFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code) * 10 + c.status);
        ui.messages.clear();
        ui.showProgress("working");
        data->link.awaitedReply = REPLY_SETUP;
        receive(loggerReply(c.code, {c.status}));
        EXPECT_FALSE(ui.progressVisible);
        EXPECT_THAT(ui.messages, ElementsAre(c.message));
        EXPECT_EQ(data->link.awaitedReply, 0);
    }
}

TEST_F(ProtocolEngineTest, RepliesOfTheWrongLengthAreIgnored) {
    struct Case {
        uint8_t code;
        int payload;  // reply length is payload + 20
        int timer;
    };
    const Case cases[] = {
        {REPLY_AUTO_LOGS, 0, kTimerAutoDownload},
        {REPLY_MANU_LOGS, 5, kTimerManuDownload},
        {REPLY_REALTIME, 10, kTimerRealtime},
        {REPLY_REALTIME, 12, kTimerRealtime},
    };
    connect();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code) * 100 + c.payload);
        timers.startTimer(c.timer, 1000);
        receive(loggerReply(c.code, Bytes(c.payload, 0)));
        EXPECT_TRUE(timers.isRunning(c.timer));
    }
    EXPECT_EQ(data->log.store.recordCount, 0u);
    EXPECT_EQ(ui.realtimeSamples, 0);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_THAT(ui.busyTexts, IsEmpty());
}

TEST_F(ProtocolEngineTest, RepliesStopTheTimerOfTheirRequest) {
    struct Case {
        uint8_t code;
        int timer;
    };
    const Case cases[] = {
        {REPLY_SYNC, kTimerSync},
        {REPLY_DELETE_AUTO, kTimerDeleteAuto},
        {REPLY_DELETE_MANU, kTimerDeleteManu},
    };
    connect();
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        timers.startTimer(c.timer, 1000);
        ui.showProgress("working");
        receive(loggerReply(c.code, {0x01}));
        EXPECT_FALSE(timers.isRunning(c.timer));
        EXPECT_FALSE(ui.progressVisible);
    }
}

TEST_F(ProtocolEngineTest, DisconnectEndsTheThreadButLeavesTimers) {
    connect();
    timers.startTimer(kTimerReadSetup, 1000);
    engine.disconnect();
    EXPECT_EQ(port.stops, 1);
    EXPECT_FALSE(data->link.connected);
    EXPECT_TRUE(timers.isRunning(kTimerReadSetup));
}

TEST_F(ProtocolEngineTest, TraceShowsFramesSentAndChunksReceived) {
    std::vector<std::string> traced;
    engine.setTrace([&](const std::string& line) { traced.push_back(line); });
    engine.startIdentify();
    receive(loggerReply(REPLY_IDENTIFY, {0x01, 0x05}));
    engine.onPortError("read: the line hung up");
    EXPECT_THAT(traced,
                ElementsAre("tx 01 16 7B 28 00 00 00 00 00 00 00 00 00 00 51 51 29 7D 7E 04",
                            "rx 01 16 7B 28 31 32 33 34 35 36 37 38 39 30 52 01 05 "
                            "57 29 7D 7E 04",
                            "port error: read: the line hung up"));
}

TEST_F(ProtocolEngineTest, StalledDownloadTimesOut) {
    connect();
    engine.startAutoDownload();
    receive(autoPackage(3, 1, 0, 1));
    ASSERT_TRUE(engine.downloadActive());
    EXPECT_FALSE(timers.isRunning(kTimerAutoDownload));

    engine.onTimer(kTimerDownloadStall);
    EXPECT_FALSE(timers.isRunning(kTimerDownloadStall));
    EXPECT_FALSE(engine.downloadActive());
    EXPECT_EQ(ui.lastBusyText(),
              "\r\nTimeout!\r\nSome records did not arrive whole and were lost.");
    EXPECT_TRUE(ui.busyOver);
    EXPECT_THAT(ui.outcomes, ElementsAre(false));
}

TEST_F(ProtocolEngineTest, PortErrorDuringDownloadEndsItBeforeTheUnpluggedText) {
    connect();
    engine.startAutoDownload();
    receive(autoPackage(3, 1, 0, 1));
    ASSERT_TRUE(engine.downloadActive());

    engine.onPortError();
    EXPECT_FALSE(engine.downloadActive());
    // What came is saved, and the rest told lost.
    EXPECT_EQ(ui.lastBusyText(),
              "\r\nTimeout!\r\nSome records did not arrive whole and were lost.");
    EXPECT_FALSE(std::filesystem::is_empty(dir));
    EXPECT_TRUE(ui.busyOver);
    EXPECT_FALSE(timers.isRunning(kTimerDownloadStall));
    EXPECT_THAT(ui.messages, ElementsAre(kUnplugged));
    EXPECT_EQ(port.stops, 1);
    EXPECT_FALSE(data->link.connected);
    EXPECT_THAT(ui.outcomes, ::testing::Contains(false));
}

// Records what had happened when the message dialog opened.
class OrderUi : public FakeUi {
public:
    using FakeUi::FakeUi;
    bool showMessage(std::string_view text) override {
        fillsAtMessage.push_back(fileListFills);
        return FakeUi::showMessage(text);
    }
    std::vector<int> fillsAtMessage;
};

class ProtocolEnginePortError : public EngineFixture<OrderUi> {
protected:
    ProtocolEnginePortError() { data->logDirOverride = logs.dir(); }

    TempDir logs;
};

TEST_F(ProtocolEnginePortError, RealtimeSamplesAreSavedBeforeTheUnpluggedText) {
    engine.startRealtime();
    Bytes sample{0x00, 0xEB, 0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0xFF, 0x00, 0x80};
    receive(loggerReply(REPLY_REALTIME, sample));
    ASSERT_EQ(data->log.store.recordCount, 1u);

    const int fillsBefore = ui.fileListFills;
    engine.onPortError();
    EXPECT_FALSE(data->link.realtimeActive);
    EXPECT_FALSE(timers.isRunning(kTimerRealtime));
    EXPECT_THAT(ui.messages, ElementsAre(kUnplugged));
    ASSERT_EQ(ui.fillsAtMessage.size(), 1u);
    EXPECT_GT(ui.fillsAtMessage[0], fillsBefore);
    EXPECT_FALSE(std::filesystem::is_empty(logs.dir()));
}

}  // namespace
