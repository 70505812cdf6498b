#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "link/ProtocolEngine.h"
#include "support/EngineFixture.h"
#include "support/FakeHosts.h"
#include "support/LoggerReplies.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kConfirm = "Sync to the logger?";
constexpr const char* kHeader =
    "Error: Please recorrect the list items, then synchronize to the logger.";
constexpr const char* kSamplingLine = ". Sampling interval is invalid, it must be in [1，240].";
constexpr const char* kLogLine =
    ". Log interval is invalid, it must be bigger than the sampling interval.";
constexpr const char* kLimitLine = " Limit error: the Upper Limit must be more than the Lower.";

std::string line(int number, const std::string& text) {
    return "\r\n" + std::to_string(number) + text;
}
std::string limitLine(int number, const char* channel) {
    return "\r\n" + std::to_string(number) + ". " + channel + kLimitLine;
}

LoggerSetup validSetup() {
    LoggerSetup s{};
    std::memcpy(s.name, "Cold room 3", 11);
    std::memcpy(s.serialNo, kSerial.data(), kSerial.size());
    s.channelConfig = 5;
    s.samplingInterval = 10;
    s.logInterval = 60;
    s.ch1High = 500;
    s.ch1Low = -100;
    s.ch2High = 900;
    s.ch2Low = 100;
    s.ch3High = 10;
    s.ch3Low = 0;
    s.ch4High = 10;
    s.ch4Low = 0;
    s.offsets[0] = -3;
    s.offsets[1] = 7;
    return s;
}

TEST(ValidateSetupTest, RulesFailInOrderWithTheirNumbers) {
    struct Case {
        const char* what;
        void (*edit)(LoggerSetup&);
        std::vector<std::string> lines;  // empty: the setup passes
    };
    const Case cases[] = {
        {"valid", [](LoggerSetup&) {}, {}},
        {"sampling 0, log 0",
         [](LoggerSetup& s) { s.samplingInterval = 0, s.logInterval = 0; },
         {line(1, kSamplingLine)}},
        {"sampling 241, log 100",
         [](LoggerSetup& s) { s.samplingInterval = 241, s.logInterval = 100; },
         {line(1, kSamplingLine), line(2, kLogLine)}},
        {"sampling 240, log 240",
         [](LoggerSetup& s) { s.samplingInterval = 240, s.logInterval = 240; },
         {}},
        {"sampling 1, log 1",
         [](LoggerSetup& s) { s.samplingInterval = 1, s.logInterval = 1; },
         {}},
        {"log below sampling", [](LoggerSetup& s) { s.logInterval = 9; }, {line(1, kLogLine)}},
        {"ch1 equal", [](LoggerSetup& s) { s.ch1High = s.ch1Low = 250; }, {limitLine(1, "CH1")}},
        {"ch1 signed", [](LoggerSetup& s) { s.ch1High = -5, s.ch1Low = 5; }, {limitLine(1, "CH1")}},
        {"ch2 equal", [](LoggerSetup& s) { s.ch2High = s.ch2Low = -7; }, {limitLine(1, "CHq")}},
        {"ch2 negative pair", [](LoggerSetup& s) { s.ch2High = -50, s.ch2Low = -100; }, {}},
        {"ch3 equal", [](LoggerSetup& s) { s.ch3High = s.ch3Low = 0; }, {limitLine(1, "CH3")}},
        {"ch4 reversed",
         [](LoggerSetup& s) { s.ch4High = 1, s.ch4Low = 2; },
         {limitLine(1, "CH4")}},
        {"one-channel logger, bad ch4",
         [](LoggerSetup& s) { s.channelConfig = 1, s.ch4High = 0, s.ch4Low = 0; },
         {limitLine(1, "CH4")}},
        {"every rule",
         [](LoggerSetup& s) {
             s.samplingInterval = 0, s.logInterval = 0;
             s.ch1High = s.ch1Low = 1;
             s.ch2High = s.ch2Low = 1;
             s.ch3High = s.ch3Low = 1;
             s.ch4High = s.ch4Low = 1;
         },
         {line(1, kSamplingLine), limitLine(2, "CH1"), limitLine(3, "CHq"), limitLine(4, "CH3"),
          limitLine(5, "CH4")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoggerSetup s = validSetup();
        c.edit(s);
        std::string expected;
        if (!c.lines.empty()) expected = kHeader;
        for (const std::string& l : c.lines) expected += l;
        EXPECT_EQ(validateSetup(s), expected);
    }
}

TEST(ValidateSetupTest, CommaOfTheRangeIsFullWidth) {
    LoggerSetup s = validSetup();
    s.samplingInterval = 0;
    EXPECT_NE(validateSetup(s).find("[1\xEF\xBC\x8C"
                                    "240]"),
              std::string::npos);
}

class SetupExchangeTest : public EngineFixture<> {
protected:
    SetupExchangeTest() { data->log.setup = validSetup(); }
};

TEST_F(SetupExchangeTest, ReadSendsTheRequestAndWaitsForTheSetupReply) {
    engine.readSetup();
    EXPECT_THAT(port.writes, ElementsAre(loggerReply(CMD_READ_SETUP, {})));
    EXPECT_EQ(data->link.awaitedReply, REPLY_SETUP);
    EXPECT_EQ(timers.running[kTimerReadSetup], kRequestPeriodMs);
    EXPECT_EQ(data->link.retriesLeft, kMaxRetries);
    EXPECT_TRUE(ui.progressVisible);
    EXPECT_EQ(ui.progressText, "Read properties...");
}

// Not connected, or sampling in realtime (the Setup pane's buttons stay live).
TEST_F(SetupExchangeTest, ReadAndSyncDoNothingWhileNotConnectedOrSampling) {
    for (const bool sampling : {false, true}) {
        SCOPED_TRACE(sampling);
        data->link.connected = sampling;
        data->link.realtimeActive = sampling;
        engine.readSetup();
        engine.syncSetup();
        EXPECT_THAT(port.writes, IsEmpty());
        EXPECT_THAT(ui.messages, IsEmpty());
        EXPECT_TRUE(timers.running.empty());
        EXPECT_FALSE(ui.progressVisible);
        EXPECT_EQ(data->link.awaitedReply, 0);
    }
}

TEST_F(SetupExchangeTest, SetupReplyFillsTheSetupAndTheGrid) {
    engine.readSetup();
    Bytes payload{0x00};
    const std::string name = "Freezer 12              ";  // 24 bytes
    payload.insert(payload.end(), name.begin(), name.end());
    payload.push_back(6);  // channel configuration
    for (char ch : std::string_view("KM520A")) payload.push_back(static_cast<uint8_t>(ch));
    for (char ch : std::string_view("V2.10")) payload.push_back(static_cast<uint8_t>(ch));
    payload.push_back(30);      // sampling interval
    putLe(payload, 600, 4);     // log interval
    putLe(payload, 1234, 4);    // logs count
    putLe(payload, 140000, 4);  // raw capacity
    payload.push_back(3);       // Manu logs count
    putLe(payload, 800, 4);     // ch1 high
    putLe(payload, uint32_t(-400), 4);
    for (int v : {900, 100, -50, -100, 20, 10}) putLe(payload, static_cast<uint32_t>(v), 2);
    for (int v : {-3, 4, 0, 1}) putLe(payload, static_cast<uint32_t>(v), 2);
    const Bytes reply = loggerReply(REPLY_SETUP, payload);
    ASSERT_EQ(reply.size(), static_cast<size_t>(kSetupReplyLength));

    receive(reply);
    EXPECT_EQ(std::string(data->log.setup.name, 24), name);
    EXPECT_EQ(data->log.setup.channelConfig, 6);
    EXPECT_EQ(data->log.setup.samplingInterval, 30);
    EXPECT_EQ(data->log.setup.logInterval, 600u);
    EXPECT_EQ(data->log.setup.capacity, 10000);
    EXPECT_EQ(data->log.setup.ch1Low, -400);
    EXPECT_EQ(data->log.setup.ch3Low, -100);
    EXPECT_EQ(data->log.setup.offsets[0], -3);
    EXPECT_EQ(ui.setupGridFills, 1);
    EXPECT_EQ(ui.loggerSetupReads, 1);  // its alarm limits may be offered
    EXPECT_THAT(ui.outcomes, ElementsAre(true));
    EXPECT_FALSE(timers.isRunning(kTimerReadSetup));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_THAT(ui.messages, IsEmpty());
}

// The expected sync frame, field by field, for validSetup() at `t`.
Bytes expectedSyncFrame(const LoggerSetup& s, const LocalTime& t) {
    auto bcd = [](int v) { return static_cast<uint8_t>((v / 10) << 4 | (v % 10)); };
    Bytes payload{0x01,       bcd(t.second), bcd(t.minute),     bcd(t.hour),
                  bcd(t.day), bcd(t.month),  bcd(t.year / 100), bcd(t.year % 100)};
    for (int i = 0; i < 24; ++i) payload.push_back(static_cast<uint8_t>(s.name[i]));
    payload.push_back(static_cast<uint8_t>(s.channelConfig));
    payload.push_back(s.samplingInterval);
    putLe(payload, s.logInterval, 4);
    putLe(payload, static_cast<uint32_t>(s.ch1High), 4);
    putLe(payload, static_cast<uint32_t>(s.ch1Low), 4);
    for (int16_t v : {s.ch2High, s.ch2Low, s.ch3High, s.ch3Low, s.ch4High, s.ch4Low})
        putLe(payload, static_cast<uint32_t>(v), 2);
    for (int16_t v : s.offsets) putLe(payload, static_cast<uint32_t>(v), 2);
    return loggerReply(CMD_SYNC_SETUP, payload);
}

// The user takes a while before pressing OK in the confirmation.
class SlowUserUi : public FakeUi {
public:
    SlowUserUi(AppData& data, FakeClock& clock) : FakeUi(data), clock_(clock) {}
    bool showMessage(std::string_view text) override {
        clock_.time = {2024, 12, 31, 23, 59, 58};
        return FakeUi::showMessage(text);
    }

private:
    FakeClock& clock_;
};

TEST_F(SetupExchangeTest, SyncSendsTheSetupWithTheClockAtOk) {
    SlowUserUi slowUi{*data, clock};
    ProtocolEngine slowEngine{*data, timers, port, slowUi, clock};
    data->link.txFrame.fill(0xEE);
    slowEngine.syncSetup();

    const Bytes expected = expectedSyncFrame(data->log.setup, {2024, 12, 31, 23, 59, 58});
    ASSERT_EQ(expected.size(), static_cast<size_t>(kSyncFrameLength));
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0], expected);
    EXPECT_EQ(Bytes(port.writes[0].begin() + 16, port.writes[0].begin() + 23),
              (Bytes{0x58, 0x59, 0x23, 0x31, 0x12, 0x20, 0x24}));
    EXPECT_EQ(data->link.txLength, kSyncFrameLength);
    EXPECT_TRUE(std::all_of(data->link.txFrame.begin() + kSyncFrameLength, data->link.txFrame.end(),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(timers.running[kTimerSync], kRequestPeriodMs);
    EXPECT_EQ(data->link.retriesLeft, kMaxRetries);
    EXPECT_THAT(slowUi.messages, ElementsAre(kConfirm));
    EXPECT_TRUE(slowUi.progressVisible);
    EXPECT_EQ(slowUi.progressText, "Synchronizing...");
}

TEST_F(SetupExchangeTest, SyncFrameCarriesTheWorkedClock) {
    engine.syncSetup();
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(Bytes(port.writes[0].begin() + 16, port.writes[0].begin() + 23),
              (Bytes{0x02, 0x05, 0x07, 0x09, 0x03, 0x20, 0x24}));
}

TEST_F(SetupExchangeTest, ExitAtTheConfirmationSendsNothing) {
    ui.answerOk = false;
    data->log.setup.samplingInterval = 0;  // not even validated
    engine.syncSetup();
    EXPECT_THAT(ui.messages, ElementsAre(kConfirm));
    EXPECT_THAT(port.writes, IsEmpty());
    EXPECT_TRUE(timers.running.empty());
    EXPECT_FALSE(ui.progressVisible);
    ASSERT_EQ(ui.ended.size(), 1u);
    EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Cancelled);
}

TEST_F(SetupExchangeTest, InvalidSetupIsReportedAndNotSent) {
    data->log.setup.ch2High = data->log.setup.ch2Low;
    engine.syncSetup();
    EXPECT_THAT(ui.messages, ElementsAre(kConfirm, kHeader + limitLine(1, "CHq")));
    EXPECT_THAT(port.writes, IsEmpty());
    EXPECT_TRUE(timers.running.empty());
    ASSERT_EQ(ui.ended.size(), 1u);
    EXPECT_EQ(ui.ended[0].kind, OutcomeKind::Invalid);
    EXPECT_EQ(ui.ended[0].detail, kHeader + limitLine(1, "CHq"));
}

TEST_F(SetupExchangeTest, SyncReplyIsJudgedByLengthAndStatus) {
    for (const StatusReply& c : kStatusReplies) {
        SCOPED_TRACE(c.message);
        ui.messages.clear();
        ui.outcomes.clear();
        engine.syncSetup();
        receive(loggerReply(REPLY_SYNC, c.payload));
        EXPECT_THAT(ui.messages, ElementsAre(kConfirm, c.message));
        EXPECT_THAT(ui.outcomes, ElementsAre(c.ok));
        EXPECT_FALSE(timers.isRunning(kTimerSync));
        EXPECT_FALSE(ui.progressVisible);
    }
}

}  // namespace
