// Realtime sampling left running for three days on a fake clock, driven
// through the engine second by second as the frame's timer and the logger
// would drive it, without sleeping. The logger answers in the hour before
// and the hour after each midnight: every second brings a request, and the
// answered ones are the samples. (The engine redoes the statistics of the
// whole store per sample, so three full days of answers cost some 4 x 10^10
// additions, half a minute of a Release build and far more under the
// sanitizers; the windows keep every split and the seconds around it.)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "link/LogRecordCodec.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogFile.h"
#include "support/EngineFixture.h"
#include "support/LoggerReplies.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDays = 3;
constexpr int kSecondsPerDay = 86400;
constexpr int kAnsweredAroundMidnight = 3600;  // seconds each side
constexpr LocalTime kStart{2024, 3, 9, 12, 0, 0};

// The next second; the three days stay within March.
void tick(LocalTime& t) {
    if (++t.second < 60) return;
    t.second = 0;
    if (++t.minute < 60) return;
    t.minute = 0;
    if (++t.hour < 24) return;
    t.hour = 0;
    ++t.day;
}

bool answered(const LocalTime& t) {
    const int ofDay = (t.hour * 60 + t.minute) * 60 + t.second;
    return ofDay < kAnsweredAroundMidnight || ofDay >= kSecondsPerDay - kAnsweredAroundMidnight;
}

std::string stampOf(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

// A realtime reply whose channel 1 carries the sample's number in tenths.
Bytes sampleReply(int32_t number) {
    Bytes payload{0x00};
    putLe(payload, static_cast<uint32_t>(number), 4);
    for (int c = 0; c < 3; ++c) putLe(payload, static_cast<uint32_t>(100 * c), 2);
    return loggerReply(REPLY_REALTIME, payload);
}

class RealtimeSoak : public EngineFixture<> {
protected:
    RealtimeSoak() {
        useLogFolder("soak_");
        data->store.channelCount = 4;
        clock.time = kStart;
    }

    // Three days of seconds: the timer's request each second, and the answer
    // where the logger gives one. Returns the samples sent.
    int run() {
        engine.startRealtime();
        EXPECT_EQ(timers.running[kTimerRealtime], kRequestPeriodMs);
        int sent = 0;
        for (int s = 0; s < kDays * kSecondsPerDay; ++s) {
            tick(clock.time);
            port.writes.clear();
            engine.onTimer(kTimerRealtime);
            EXPECT_EQ(port.writes.size(), 1u) << stampOf(clock.time);
            if (answered(clock.time)) receive(sampleReply(sent++));
            if (data->store.recordCount > kLogCapacity) ADD_FAILURE() << stampOf(clock.time);
        }
        engine.stopRealtime();
        return sent;
    }

    // The saved logs in name order, which is the order of their days.
    std::vector<fs::path> savedLogs() const {
        std::vector<fs::path> logs;
        for (const auto& entry : fs::directory_iterator(dir)) logs.push_back(entry.path());
        std::sort(logs.begin(), logs.end());
        return logs;
    }
};

TEST_F(RealtimeSoak, OneFilePerDayAndEverySampleInExactlyOne) {
    const int sent = run();
    EXPECT_EQ(sent, kDays * 2 * kAnsweredAroundMidnight);
    EXPECT_EQ(ui.realtimeSamples, sent);
    EXPECT_TRUE(ui.messages.empty());

    const std::vector<fs::path> logs = savedLogs();
    std::vector<std::string> names;
    for (const fs::path& log : logs) names.push_back(log.filename().string());
    EXPECT_THAT(names, ::testing::ElementsAre(
                           "1234567890_20240309_2359.drav", "1234567890_20240310_2359.drav",
                           "1234567890_20240311_2359.drav", "1234567890_20240312_0059.drav"));

    // The samples in the files, one after the other, are the answered
    // seconds in order, each once, each under its own day's file.
    LocalTime expected = kStart;
    int number = 0;
    auto read = std::make_unique<AppData>();
    for (const fs::path& log : logs) {
        SCOPED_TRACE(log.filename().string());
        std::ifstream in(log, std::ios::binary);
        ASSERT_EQ(readLogFile(in, read->store, read->setup), LogReadResult::Ok);
        const std::string day = log.filename().string().substr(11, 8);
        for (uint32_t i = 0; i < read->store.recordCount; ++i, ++number) {
            tick(expected);
            while (!answered(expected)) tick(expected);
            ASSERT_EQ(read->store.timestamp(i), stampOf(expected)) << "record " << i;
            ASSERT_EQ(read->store.timestamp(i).substr(0, 8), day) << "record " << i;
            ASSERT_EQ(read->store.values[0][i], decodeTenths(number)) << "record " << i;
        }
    }
    EXPECT_EQ(number, sent);

    // The list was cleared when sampling began and at each of the three
    // midnights; Stop saved the last day and left its records shown.
    EXPECT_EQ(ui.dataListClears, 1 + kDays);
    EXPECT_EQ(data->store.recordCount, static_cast<uint32_t>(kAnsweredAroundMidnight));
    EXPECT_EQ(stamp(0), "20240312000000");
    EXPECT_FALSE(data->link.realtimeActive);
}

}  // namespace
