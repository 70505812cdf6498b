#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "link/ProtocolEngine.h"
#include "logdata/LogFile.h"
#include "support/EngineFixture.h"
#include "support/FakeHosts.h"
#include "support/LoggerReplies.h"

namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A realtime reply: status byte, then channel 1 as int32 and 2..4 as int16.
Bytes sample(int32_t ch1, int16_t ch2, int16_t ch3, int16_t ch4) {
    Bytes payload{0x00};
    for (int i = 0; i < 4; ++i) payload.push_back(static_cast<uint8_t>(ch1 >> (8 * i)));
    for (int16_t v : {ch2, ch3, ch4}) {
        payload.push_back(static_cast<uint8_t>(v));
        payload.push_back(static_cast<uint8_t>(v >> 8));
    }
    return loggerReply(REPLY_REALTIME, payload);
}

class ControlCommandsTest : public EngineFixture<> {
protected:
    ControlCommandsTest() {
        useLogFolder("ops_control_");
        data->log.store.channelCount = 4;
    }

    void sampleAt(const LocalTime& t, int32_t ch1 = 235) {
        clock.time = t;
        receive(sample(ch1, 253, -200, -32768));
    }
    uint32_t recordsIn(const fs::path& file) {
        auto reread = std::make_unique<AppData>();
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(readLogFile(in, reread->log.store, reread->log.setup), LogReadResult::Ok);
        return reread->log.store.recordCount;
    }
};

TEST_F(ControlCommandsTest, StartRealtimeEmptiesTheStoreAndPollsEverySecond) {
    data->log.store.recordCount = 12;
    engine.startRealtime();
    EXPECT_EQ(data->log.store.recordCount, 0u);
    EXPECT_THAT(port.writes, ElementsAre(loggerReply(CMD_REALTIME, {})));
    EXPECT_EQ(timers.running[kTimerRealtime], kRequestPeriodMs);
    EXPECT_TRUE(ui.progressVisible);
    EXPECT_EQ(ui.progressText, "Samping in realtime...");
    EXPECT_EQ(ui.dataListClears, 1);
    EXPECT_TRUE(data->link.realtimeActive);
}

TEST_F(ControlCommandsTest, SampleIsDecodedAndStampedWithThePcClock) {
    engine.startRealtime();
    receive(loggerReply(REPLY_REALTIME,
                        {0x00, 0xEB, 0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0xFF, 0x00, 0x80}));
    ASSERT_EQ(data->log.store.recordCount, 1u);
    EXPECT_FLOAT_EQ(data->log.store.values[0][0], 23.5f);
    EXPECT_FLOAT_EQ(data->log.store.values[1][0], 25.3f);
    EXPECT_FLOAT_EQ(data->log.store.values[2][0], -20.0f);
    EXPECT_EQ(data->log.store.values[3][0], 0.0f);
    EXPECT_EQ(stamp(0), "20240309070502");
    EXPECT_EQ(data->link.realtimeDay, 9);
    EXPECT_EQ(ui.realtimeSamples, 1);

    sampleAt({2024, 3, 9, 7, 5, 3}, 300);
    EXPECT_EQ(data->log.store.recordCount, 2u);
    EXPECT_EQ(stamp(1), "20240309070503");
    EXPECT_FLOAT_EQ(data->log.store.maxValue[0], 30.0f);
    EXPECT_FLOAT_EQ(data->log.store.minValue[0], 23.5f);
    EXPECT_EQ(ui.realtimeSamples, 2);
}

TEST_F(ControlCommandsTest, OnlyTheFirstSampleHidesTheProgressWindow) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    EXPECT_FALSE(ui.progressVisible);
    ui.showProgress("something else");
    sampleAt({2024, 3, 9, 7, 5, 3});
    EXPECT_TRUE(ui.progressVisible);
}

TEST_F(ControlCommandsTest, RepliesOfThirtyOrThirtyTwoBytesAreIgnored) {
    engine.startRealtime();
    for (int payload : {10, 12}) {
        SCOPED_TRACE(payload);
        receive(loggerReply(REPLY_REALTIME, Bytes(static_cast<size_t>(payload), 0x01)));
        EXPECT_EQ(data->log.store.recordCount, 0u);
        EXPECT_TRUE(ui.progressVisible);
        EXPECT_EQ(ui.realtimeSamples, 0);
        EXPECT_EQ(data->link.realtimeDay, 0);
    }
}

TEST_F(ControlCommandsTest, MidnightClosesTheOldDayAndStartsTheNewWithItsSample) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 23, 59, 58}, 10);
    sampleAt({2024, 3, 9, 23, 59, 59}, 20);
    sampleAt({2024, 3, 10, 0, 0, 0}, 30);

    const fs::path oldDay = dir / "1234567890_20240309_2359.drav";
    ASSERT_TRUE(fs::exists(oldDay));
    EXPECT_EQ(recordsIn(oldDay), 2u);
    ASSERT_EQ(data->log.store.recordCount, 1u);
    EXPECT_EQ(stamp(0), "20240310000000");
    EXPECT_FLOAT_EQ(data->log.store.values[0][0], 3.0f);
    EXPECT_EQ(ui.dataListClears, 2);
    EXPECT_EQ(ui.realtimeSamples, 3);

    engine.stopRealtime();
    EXPECT_TRUE(fs::exists(dir / "1234567890_20240310_0000.drav"));
}

TEST_F(ControlCommandsTest, FailedMidnightSaveKeepsTheRecordsAndTellsOnce) {
    engine.startRealtime();
    blockSaving();  // after the start, which would refuse such a folder
    sampleAt({2024, 3, 9, 23, 59, 58});
    sampleAt({2024, 3, 9, 23, 59, 59});
    sampleAt({2024, 3, 10, 0, 0, 0}, 30);
    EXPECT_THAT(ui.messages, ElementsAre(kSaveFailed));
    ASSERT_EQ(data->log.store.recordCount, 3u);
    EXPECT_EQ(stamp(0), "20240309235958");
    EXPECT_EQ(stamp(2), "20240310000000");
    EXPECT_EQ(ui.dataListClears, 1);

    sampleAt({2024, 3, 10, 0, 0, 1});
    EXPECT_THAT(ui.messages, ElementsAre(kSaveFailed));
    EXPECT_EQ(data->log.store.recordCount, 4u);
}

TEST_F(ControlCommandsTest, FullStoreIsClosedLikeADay) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 1});
    data->log.store.recordCount = kLogCapacity;
    std::copy_n("20240309070501", kTimestampLength,
                data->log.store.timestamps[kLogCapacity - 1].begin());

    sampleAt({2024, 3, 9, 7, 5, 2}, 40);
    EXPECT_TRUE(fs::exists(dir / "1234567890_20240309_0705.drav"));
    ASSERT_EQ(data->log.store.recordCount, 1u);
    EXPECT_EQ(stamp(0), "20240309070502");
    EXPECT_FLOAT_EQ(data->log.store.values[0][0], 4.0f);
}

TEST_F(ControlCommandsTest, FullStoreThatCannotBeSavedDropsSamplesAndTellsOnce) {
    engine.startRealtime();
    blockSaving();
    sampleAt({2024, 3, 9, 7, 5, 1});
    data->log.store.recordCount = kLogCapacity;
    std::copy_n("20240309070501", kTimestampLength,
                data->log.store.timestamps[kLogCapacity - 1].begin());

    sampleAt({2024, 3, 9, 7, 5, 2});
    sampleAt({2024, 3, 9, 7, 5, 3});
    EXPECT_THAT(ui.messages, ElementsAre(kSaveFailed));
    EXPECT_EQ(data->log.store.recordCount, kLogCapacity);
    EXPECT_EQ(stamp(kLogCapacity - 1), "20240309070501");
    EXPECT_EQ(ui.realtimeSamples, 1);
}

TEST_F(ControlCommandsTest, StopSavesTheSamplesAndShowsTheFileList) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    sampleAt({2024, 3, 9, 7, 6, 0});
    engine.stopRealtime();

    EXPECT_FALSE(timers.isRunning(kTimerRealtime));
    EXPECT_FALSE(data->link.realtimeActive);
    const fs::path file = dir / "1234567890_20240309_0706.drav";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(recordsIn(file), 2u);
    EXPECT_EQ(data->log.store.recordCount, 2u);
    EXPECT_THAT(ui.panes, Contains(kPaneFileList));
    EXPECT_GT(ui.fileListFills, 0);

    // A sample that was on its way when Stop came is not taken.
    sampleAt({2024, 3, 9, 7, 6, 1});
    EXPECT_EQ(data->log.store.recordCount, 2u);
}

TEST_F(ControlCommandsTest, StopBeforeTheFirstSampleHidesTheProgressWindow) {
    engine.startRealtime();
    EXPECT_TRUE(ui.progressVisible);
    engine.stopRealtime();
    EXPECT_FALSE(ui.progressVisible);
}

// Nothing else was asked for while sampling runs: a stray reply neither ends
// the sampling nor the link, so nothing can leave realtime on without a link.
TEST_F(ControlCommandsTest, StrayRepliesDuringRealtimeChangeNothing) {
    const Bytes strays[] = {
        loggerReply(REPLY_IDENTIFY, {0x01}),  // of the wrong length
        loggerReply(REPLY_IDENTIFY, {0x01, 0x05}, "KM00000001"),
        loggerReply(REPLY_DELETE_AUTO, {0x01}),
        loggerReply(REPLY_SETUP, {0x01}),  // a short setup reply
        loggerReply(REPLY_SYNC, {0x01}),
        loggerReply(REPLY_0x73, {0x01}),
    };
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    for (const Bytes& stray : strays) {
        SCOPED_TRACE(static_cast<int>(stray[14]));
        receive(stray);
        EXPECT_TRUE(data->link.realtimeActive);
        EXPECT_TRUE(data->link.connected);
        EXPECT_TRUE(timers.isRunning(kTimerRealtime));
        EXPECT_EQ(port.stops, 0);
        EXPECT_THAT(ui.messages, IsEmpty());
        EXPECT_THAT(ui.outcomes, IsEmpty());
    }
    EXPECT_EQ(std::string_view(data->log.setup.serialNo, 10), kSerial);
    sampleAt({2024, 3, 9, 7, 5, 3});
    EXPECT_EQ(data->log.store.recordCount, 2u);
}

TEST_F(ControlCommandsTest, DisconnectDuringRealtimeSavesTheSamplesFirst) {
    engine.startRealtime();
    sampleAt({2024, 3, 9, 7, 5, 2});
    engine.disconnect();
    EXPECT_FALSE(data->link.realtimeActive);
    EXPECT_FALSE(data->link.connected);
    EXPECT_FALSE(timers.isRunning(kTimerRealtime));
    EXPECT_EQ(recordsIn(dir / "1234567890_20240309_0705.drav"), 1u);
}

TEST_F(ControlCommandsTest, DeleteSendsItsRequestAndReportsTheStatus) {
    struct Case {
        void (ProtocolEngine::*start)();
        uint8_t command;
        uint8_t reply;
        int timer;
        const char* progress;
    } cases[] = {
        {&ProtocolEngine::deleteAutoLogs, CMD_DELETE_AUTO, REPLY_DELETE_AUTO, kTimerDeleteAuto,
         "Delete Auto-logs, please wait..."},
        {&ProtocolEngine::deleteManuLogs, CMD_DELETE_MANU, REPLY_DELETE_MANU, kTimerDeleteManu,
         "Delete Manu-logs..."},
    };
    data->log.store.recordCount = 5;
    for (const Case& c : cases) {
        for (const StatusReply& r : kStatusReplies) {
            SCOPED_TRACE(std::string(c.progress) + r.message);
            port.writes.clear();
            ui.messages.clear();
            ui.outcomes.clear();
            (engine.*c.start)();
            EXPECT_THAT(port.writes, ElementsAre(loggerReply(c.command, {})));
            EXPECT_EQ(timers.running[c.timer], kRequestPeriodMs);
            EXPECT_EQ(data->link.retriesLeft, kMaxRetries);
            EXPECT_TRUE(ui.progressVisible);
            EXPECT_EQ(ui.progressText, c.progress);

            receive(loggerReply(c.reply, r.payload));
            EXPECT_THAT(ui.messages, ElementsAre(r.message));
            EXPECT_THAT(ui.outcomes, ElementsAre(r.ok));
            EXPECT_FALSE(timers.isRunning(c.timer));
            EXPECT_FALSE(ui.progressVisible);
        }
    }
    EXPECT_EQ(data->log.store.recordCount, 5u);
    EXPECT_TRUE(fs::is_empty(dir));
}

}  // namespace
