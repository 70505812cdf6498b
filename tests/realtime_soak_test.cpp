// Realtime sampling left running for three days on a fake clock, driven
// through the engine second by second as the frame's timer and the logger
// would drive it, without sleeping: every second brings a request and its
// answer. The heap is counted on the way, to show that days of sampling
// leave it as it was.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "link/LogRecordCodec.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogFile.h"
#include "support/EngineFixture.h"
#include "support/LoggerReplies.h"

// The bytes this program holds on the heap now, counted by the operators
// every new and delete go through.
std::atomic<long long> heapBytes{0};

// Out of line, so that the compiler sees no free() meeting a new's pointer.
[[gnu::noinline]] void* countedAlloc(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    heapBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
[[gnu::noinline]] void countedFree(void* p) noexcept {
    if (p == nullptr) return;
    heapBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void* operator new(std::size_t size) {
    return countedAlloc(size);
}
void* operator new[](std::size_t size) {
    return countedAlloc(size);
}
void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete[](void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    countedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    countedFree(p);
}

namespace {

namespace fs = std::filesystem;

constexpr int kDays = 3;
constexpr int kSecondsPerDay = 86400;
// What the heap may differ by between the days: a few file names' worth.
constexpr long long kHeapSlack = 16 * 1024;
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
        data->log.store.channelCount = 4;
        clock.time = kStart;
    }

    // Three days of seconds: the timer's request each second, and the
    // logger's answer. Returns the samples sent; heapAfterMidnight gets the
    // heap a minute into each new day.
    int run() {
        engine.startRealtime();
        EXPECT_EQ(timers.running[kTimerRealtime], kRequestPeriodMs);
        int sent = 0;
        for (int s = 0; s < kDays * kSecondsPerDay; ++s) {
            tick(clock.time);
            port.writes.clear();
            engine.onTimer(kTimerRealtime);
            EXPECT_EQ(port.writes.size(), 1u) << stampOf(clock.time);
            receive(sampleReply(sent++));
            if (data->log.store.recordCount > kLogCapacity) ADD_FAILURE() << stampOf(clock.time);
            if (clock.time.hour == 0 && clock.time.minute == 1 && clock.time.second == 0) {
                heapAfterMidnight.push_back(heapBytes.load());
            }
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

    std::vector<long long> heapAfterMidnight;
};

TEST_F(RealtimeSoak, OneFilePerDayAndEverySampleInExactlyOne) {
    const int sent = run();
    EXPECT_EQ(sent, kDays * kSecondsPerDay);
    EXPECT_EQ(ui.realtimeSamples, sent);
    EXPECT_TRUE(ui.messages.empty());

    const std::vector<fs::path> logs = savedLogs();
    std::vector<std::string> names;
    for (const fs::path& log : logs) names.push_back(log.filename().string());
    EXPECT_THAT(names, ::testing::ElementsAre(
                           "1234567890_20240309_2359.drav", "1234567890_20240310_2359.drav",
                           "1234567890_20240311_2359.drav", "1234567890_20240312_1200.drav"));

    // The samples in the files, one after the other, are the seconds in order, each once, each
    // under its own day's file.
    LocalTime expected = kStart;
    int number = 0;
    auto read = std::make_unique<AppData>();
    for (const fs::path& log : logs) {
        SCOPED_TRACE(log.filename().string());
        std::ifstream in(log, std::ios::binary);
        ASSERT_EQ(readLogFile(in, read->log.store, read->log.setup), LogReadResult::Ok);
        const std::string day = log.filename().string().substr(11, 8);
        for (uint32_t i = 0; i < read->log.store.recordCount; ++i, ++number) {
            tick(expected);
            ASSERT_EQ(read->log.store.timestamp(i), stampOf(expected)) << "record " << i;
            ASSERT_EQ(read->log.store.timestamp(i).substr(0, 8), day) << "record " << i;
            ASSERT_EQ(read->log.store.values[0][i], decodeTenths(number)) << "record " << i;
        }
    }
    EXPECT_EQ(number, sent);

    // The list was cleared when sampling began and at each of the three
    // midnights; Stop saved the last day and left its records shown.
    EXPECT_EQ(ui.dataListClears, 1 + kDays);
    EXPECT_EQ(data->log.store.recordCount,
              static_cast<uint32_t>(kSecondsPerDay / 2 + 1));  // 00:00:00 to 12:00:00
    EXPECT_EQ(stamp(0), "20240312000000");
    EXPECT_FALSE(data->link.realtimeActive);

    // Days of samples hold no more memory than the first.
    ASSERT_EQ(heapAfterMidnight.size(), static_cast<size_t>(kDays));
    EXPECT_GT(heapAfterMidnight[0], static_cast<long long>(sizeof(AppData)));  // it counts
    for (size_t day = 1; day < heapAfterMidnight.size(); ++day) {
        EXPECT_LE(std::abs(heapAfterMidnight[day] - heapAfterMidnight[0]), kHeapSlack)
            << "day " << day + 1 << ": " << heapAfterMidnight[day] << " against "
            << heapAfterMidnight[0] << " bytes";
    }
}

}  // namespace
