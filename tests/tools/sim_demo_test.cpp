// The demo logger's contents: a few days of a room's climate, spot readings
// and live samples that drift.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "sim/SimDemo.h"

namespace {

constexpr SimTime kLast{2026, 3, 14, 9, 25, 0};

int minutesOfDay(const SimRecord& r) {
    return r.hour * 60 + r.minute;
}

TEST(SimDemo, AutoRecordsCoverTheDaysUpToTheLast) {
    const std::vector<SimRecord> records = makeDemoAutoRecords(kLast);
    ASSERT_EQ(records.size(), static_cast<size_t>(kDemoAutoRecords));
    const SimRecord& first = records.front();
    const SimRecord& last = records.back();
    EXPECT_EQ((std::array{first.year, first.month, first.day, first.hour, first.minute}),
              (std::array{2026, 3, 10, 9, 30}));
    EXPECT_EQ((std::array{last.year, last.month, last.day, last.hour, last.minute, last.second}),
              (std::array{2026, 3, 14, 9, 25, 0}));
    // Deterministic: the same end gives the same log.
    const std::vector<SimRecord> again = makeDemoAutoRecords(kLast);
    EXPECT_TRUE(std::equal(records.begin(), records.end(), again.begin(),
                           [](const SimRecord& a, const SimRecord& b) {
                               return a.ch1 == b.ch1 && a.ch2 == b.ch2 && a.minute == b.minute;
                           }));
}

TEST(SimDemo, EachFullDayIsWarmestInTheAfternoonAndTheDoorMakesTheColdest) {
    const std::vector<SimRecord> records = makeDemoAutoRecords(kLast);
    for (int day : {11, 12, 13}) {
        SCOPED_TRACE(day);
        auto warmest = std::max_element(
            records.begin(), records.end(), [day](const SimRecord& a, const SimRecord& b) {
                return (a.day == day ? a.ch1 : -1000) < (b.day == day ? b.ch1 : -1000);
            });
        EXPECT_GE(warmest->hour, 12);
        EXPECT_LT(warmest->hour, 18);
    }
    auto coldest =
        std::min_element(records.begin(), records.end(),
                         [](const SimRecord& a, const SimRecord& b) { return a.ch1 < b.ch1; });
    EXPECT_EQ(coldest->day, 13);
    EXPECT_GE(minutesOfDay(*coldest), 10 * 60 + 20);
    EXPECT_LE(minutesOfDay(*coldest), 11 * 60);
    // Tenths: a room between 10 and 30 oC and 30 and 75 %RH, sensors with noise.
    std::set<int> distinct;
    for (const SimRecord& r : records) {
        EXPECT_GT(r.ch1, 100);
        EXPECT_LT(r.ch1, 300);
        EXPECT_GT(r.ch2, 300);
        EXPECT_LT(r.ch2, 750);
        distinct.insert(r.ch1);
    }
    EXPECT_GT(distinct.size(), 20u);
}

TEST(SimDemo, ManuRecordsAreTheSpotReadingsUpToTheLast) {
    const std::vector<SimRecord> records = makeDemoManuRecords(kLast);
    ASSERT_EQ(records.size(), 7u);
    const int expected[][2] = {{11, 540}, {11, 990}, {12, 540}, {12, 990},
                               {13, 540}, {13, 990}, {14, 540}};
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].day, expected[i][0]);
        EXPECT_EQ(minutesOfDay(records[i]), expected[i][1]);
    }
}

TEST(SimDemo, LiveSamplesDriftNearTheRoomsValue) {
    std::set<int> seen;
    for (int n = 0; n < 600; ++n) {
        const LoggerSim::RealtimeValues v = demoLiveSample(n);
        EXPECT_NEAR(v.ch1, 210, 20);
        EXPECT_NEAR(v.ch2, 480, 45);
        EXPECT_EQ(v, demoLiveSample(n)) << "the same n, the same sample";
        seen.insert(v.ch1);
    }
    EXPECT_GT(seen.size(), 15u);
}

TEST(SimDemo, TheLoggerIsPlainlyTheDemo) {
    const LoggerSim::Config config = demoLoggerConfig(kLast);
    EXPECT_EQ(config.serialNo, "DEMO000001");
    EXPECT_EQ(std::string(config.setup.name.data()), "Demo logger");
    EXPECT_EQ(config.setup.channelConfig, 5);
    EXPECT_EQ(config.setup.logsCount, static_cast<uint32_t>(config.autoRecords.size()));
    EXPECT_EQ(config.setup.manuLogsCount, static_cast<int8_t>(config.manuRecords.size()));
    ASSERT_TRUE(config.liveSamples);
    EXPECT_EQ(config.liveSamples(3), demoLiveSample(3));
}

}  // namespace
