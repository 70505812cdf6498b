#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/LogEvents.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/EngineFixture.h"
#include "support/FakeHosts.h"
#include "support/LogPackages.h"
#include "support/LoggerReplies.h"
#include "support/TestPaths.h"
#include "views/DateQuery.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* nameOf(SaveReason why) {
    return why == SaveReason::Download ? "download" : "realtime";
}

const char* nameOf(ClearReason why) {
    switch (why) {
        case ClearReason::NewDocument:
            return "new document";
        case ClearReason::Download:
            return "download";
        case ClearReason::RealtimeStart:
            return "realtime start";
        case ClearReason::RealtimeSplit:
            return "realtime split";
    }
    return "?";
}

// Writes down every event it is told, one line each, in order.
class RecordingEvents : public LogEvents {
public:
    void logLoaded(std::string_view path) override { add("loaded ", path); }
    void logSaved(std::string_view path, SaveReason why) override {
        add(std::string("saved (") + nameOf(why) + ") ", path);
    }
    void logRenamed(std::string_view path) override { add("renamed ", path); }
    void logCleared(ClearReason why) override { add("cleared (", nameOf(why), ")"); }
    void logDownloaded() override { add("downloaded"); }
    void rangeCut(CutBy by) override { add(by == CutBy::Query ? "cut (query)" : "cut (zoom)"); }
    void sampleAppended() override { add("sample"); }
    void realtimeEnded() override { add("realtime ended"); }
    void setupRead() override { add("setup read"); }
    void linkChanged(bool connected) override { add(connected ? "link up" : "link down"); }
    void displayChanged() override { add("display"); }

    std::vector<std::string> seen;

private:
    void add(std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        seen.push_back(std::string(a) + std::string(b) + std::string(c));
    }
};

class LogEventsTest : public EngineFixture<> {
protected:
    LogEventsTest() {
        useLogFolder("events_");
        data->log.store.channelCount = 4;
        data->events.subscribe(events);
    }
    ~LogEventsTest() override { data->events.unsubscribe(events); }

    std::string logPath(const std::string& name) const { return data->logDirOverride + name; }
    void sampleAt(const LocalTime& t) {
        clock.time = t;
        receive(loggerReply(REPLY_REALTIME,
                            {0x00, 0xEB, 0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0xFF, 0x00, 0x80}));
    }

    RecordingEvents events;
};

TEST_F(LogEventsTest, ADownloadClearsFillsAndSavesTheLog) {
    engine.startAutoDownload();
    for (uint16_t p = 1; p <= 3; ++p) receive(autoPackage(3, p, (p - 1) * 100, 100));
    ASSERT_EQ(data->log.store.recordCount, 300u);
    EXPECT_THAT(events.seen,
                ElementsAre("cleared (download)", "downloaded",
                            "saved (download) " + logPath("1234567890_20240506_1004.drav")));
}

TEST_F(LogEventsTest, ADownloadThatCannotBeSavedStillTellsItsRecords) {
    engine.startAutoDownload();
    blockSaving();
    receive(autoPackage(1, 1, 0, 10));
    ASSERT_EQ(data->log.store.recordCount, 10u);
    EXPECT_THAT(events.seen, ElementsAre("cleared (download)", "downloaded"));
}

TEST_F(LogEventsTest, ARealtimeRunTellsEachSampleEachSavedDayAndItsEnd) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 23, 59, 58});
    sampleAt({2024, 3, 9, 23, 59, 59});
    sampleAt({2024, 3, 10, 0, 0, 0});  // a new day: the first is saved
    ASSERT_TRUE(engine.stopRealtime().ok());
    EXPECT_THAT(events.seen,
                ElementsAre("cleared (realtime start)", "sample", "sample",
                            "saved (realtime) " + logPath("1234567890_20240309_2359.drav"),
                            "cleared (realtime split)", "sample",
                            "saved (realtime) " + logPath("1234567890_20240310_0000.drav"),
                            "realtime ended"));
}

TEST_F(LogEventsTest, ARealtimeRunStoppedBeforeAnySampleOnlyEnds) {
    engine.startRealtime();
    engine.stopRealtime();
    EXPECT_THAT(events.seen, ElementsAre("cleared (realtime start)", "realtime ended"));
}

TEST_F(LogEventsTest, AnUnpluggedCableSavesTheSamplesThenTellsTheLinkDown) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    engine.onPortError();
    EXPECT_THAT(events.seen,
                ElementsAre("cleared (realtime start)", "sample",
                            "saved (realtime) " + logPath("1234567890_20240309_0705.drav"),
                            "realtime ended", "link down"));
}

TEST_F(LogEventsTest, ADisconnectTellsTheLinkDownOnce) {
    engine.disconnect();
    engine.disconnect();
    EXPECT_THAT(events.seen, ElementsAre("link down"));
}

TEST_F(LogEventsTest, ALoadTellsThePathAndAFailedOneNothing) {
    data->log.store.currentFilePath = testDataDir() + "/three_records.drav";
    data->log.store.currentFileName = "three_records.drav";
    ASSERT_TRUE(loadLogFile(*data, ui));
    EXPECT_THAT(events.seen, ElementsAre("loaded " + data->log.store.currentFilePath));

    events.seen.clear();
    data->log.store.currentFilePath = logPath("missing.drav");
    EXPECT_FALSE(loadLogFile(*data, ui));
    EXPECT_THAT(events.seen, IsEmpty());
}

TEST_F(LogEventsTest, AQueryReloadsThenCuts) {
    engine.startAutoDownload();
    for (uint16_t p = 1; p <= 3; ++p) receive(autoPackage(3, p, (p - 1) * 100, 100));
    events.seen.clear();

    const DateRange minute{20240506, 100100, 20240506, 100200};
    ASSERT_EQ(runDateQuery(*data, ui, minute).kind, OutcomeKind::Ok);
    EXPECT_EQ(data->log.store.recordCount, 60u);
    EXPECT_THAT(events.seen,
                ElementsAre("loaded " + data->log.store.currentFilePath, "cut (query)"));

    // Nothing in the range: reloaded, nothing cut.
    events.seen.clear();
    const DateRange later{20250101, 0, 20250102, 0};
    ASSERT_EQ(runDateQuery(*data, ui, later).kind, OutcomeKind::NoMatch);
    EXPECT_THAT(events.seen, ElementsAre("loaded " + data->log.store.currentFilePath));
}

TEST_F(LogEventsTest, ASetupReadIsTold) {
    Bytes payload{0x00};
    while (loggerReply(REPLY_SETUP, payload).size() < static_cast<size_t>(kSetupReplyLength))
        payload.push_back(0);
    const Bytes whole = loggerReply(REPLY_SETUP, payload);
    ASSERT_EQ(whole.size(), static_cast<size_t>(kSetupReplyLength));

    engine.readSetup();
    receive(whole);
    EXPECT_THAT(events.seen, ElementsAre("setup read"));
}

TEST_F(LogEventsTest, AnIdentifyTellsTheLinkUp) {
    data->link.connected = false;
    engine.startIdentify();
    receive(loggerReply(REPLY_IDENTIFY, {0x01, 0x05}, "KM52000417"));
    EXPECT_THAT(events.seen, ElementsAre("link up"));
}

// A subscriber that leaves while it is told.
class LeavingEvents : public RecordingEvents {
public:
    explicit LeavingEvents(LogEventHub& hub) : hub_(hub) {}
    void sampleAppended() override {
        RecordingEvents::sampleAppended();
        hub_.unsubscribe(*this);
    }

private:
    LogEventHub& hub_;
};

TEST(LogEventHub, TellsItsSubscribersInTheOrderTheyCameUntilTheyLeave) {
    LogEventHub hub;
    RecordingEvents first;
    RecordingEvents second;
    LeavingEvents leaving(hub);
    ASSERT_TRUE(hub.subscribe(first));
    ASSERT_TRUE(hub.subscribe(leaving));
    ASSERT_TRUE(hub.subscribe(second));
    ASSERT_TRUE(hub.subscribe(first)) << "already there";

    hub.sampleAppended();
    hub.rangeCut(CutBy::Zoom);
    hub.unsubscribe(first);
    hub.linkChanged(false);

    EXPECT_THAT(first.seen, ElementsAre("sample", "cut (zoom)"));
    EXPECT_THAT(leaving.seen, ElementsAre("sample"));
    EXPECT_THAT(second.seen, ElementsAre("sample", "cut (zoom)", "link down"));
}

TEST(LogEventHub, AFullListRefusesAnotherSubscriber) {
    LogEventHub hub;
    std::vector<std::unique_ptr<RecordingEvents>> subscribers;
    for (int i = 0; i < LogEventHub::kMaxSubscribers; ++i) {
        subscribers.push_back(std::make_unique<RecordingEvents>());
        ASSERT_TRUE(hub.subscribe(*subscribers.back())) << i;
    }
    RecordingEvents late;
    EXPECT_FALSE(hub.subscribe(late));
    hub.unsubscribe(*subscribers.front());
    EXPECT_TRUE(hub.subscribe(late));
    hub.logLoaded("a.drav");
    EXPECT_THAT(late.seen, ElementsAre("loaded a.drav"));
    EXPECT_THAT(subscribers.front()->seen, IsEmpty());
}

}  // namespace
