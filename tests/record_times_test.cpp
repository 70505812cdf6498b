#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "logdata/LogStore.h"
#include "logdata/RecordTimes.h"
#include "logdata/StampSeconds.h"

void PrintTo(const RecordTime& t, std::ostream* out) {
    *out << "{" << t.seconds << " s, gap " << t.gapSeconds << " s from " << t.gapStart << "}";
}

namespace {

Timestamp stampOf(const std::string& text) {
    Timestamp stamp;
    std::copy_n(text.begin(), kTimestampLength, stamp.begin());
    return stamp;
}

int64_t secondsOf(const char* text) {
    return *stampSeconds(stampOf(text));
}

std::unique_ptr<LogStore> logOf(const std::vector<std::string>& stamps) {
    auto store = std::make_unique<LogStore>();
    store->channelCount = 1;
    for (uint32_t i = 0; i < stamps.size(); ++i) store->timestamps[i] = stampOf(stamps[i]);
    store->recordCount = static_cast<uint32_t>(stamps.size());
    return store;
}

std::vector<RecordTime> timesOf(const LogStore& store) {
    RecordClock clock(store, logIntervalSeconds(store));
    std::vector<RecordTime> times;
    for (uint32_t i = 0; i < clock.count(); ++i) times.push_back(clock.next());
    return times;
}

RecordTime gapOf(int64_t seconds, int64_t gap, const char* from) {
    return {.seconds = seconds, .gapSeconds = gap, .gapStart = secondsOf(from)};
}

}  // namespace

TEST(RecordTimes, TheLogIntervalIsTheMedianStep) {
    const struct {
        const char* name;
        std::vector<std::string> stamps;
        std::optional<int64_t> interval;
    } cases[] = {
        {"a minute apart", {"20240105080000", "20240105080100", "20240105080200"}, 60},
        {"a gap does not move it",
         {"20240105080000", "20240105080100", "20240105080200", "20240105090200"},
         60},
        {"of an even count the lower middle",
         {"20240105080000", "20240105080010", "20240105080040"},
         10},
        {"equal stamps make no step",
         {"20240105080000", "20240105080000", "20240105080000", "20240105080030", "20240105080030",
          "20240105080100"},
         30},
        {"nor does a stamp that goes back: the next step starts from the latest",
         {"20240105080000", "20240105080100", "20240105075000", "20240105080200"},
         60},
        {"nor one that is no date",
         {"20240105080000", "2024010508010x", "20240105080200", "20240105080230"},
         30},
        {"one record", {"20240105080000"}, std::nullopt},
        {"no records", {}, std::nullopt},
        {"equal stamps only", {"20240105080000", "20240105080000"}, std::nullopt},
        {"a day apart across a month's end",
         {"20240131120000", "20240201120000", "20240202120000"},
         86400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(logIntervalSeconds(*logOf(c.stamps)), c.interval);
    }
}

TEST(RecordTimes, EachRecordStandsForNoLongerThanTheLogInterval) {
    const struct {
        const char* name;
        std::vector<std::string> stamps;
        std::vector<RecordTime> times;
    } cases[] = {
        {"the last record counts one log interval",
         {"20240105080000", "20240105080100", "20240105080200"},
         {{60}, {60}, {60}}},
        {"a gap in the middle: the record before it counts one interval",
         {"20240105080000", "20240105080100", "20240105090100", "20240105090200"},
         {{60}, gapOf(60, 3540, "20240105080200"), {60}, {60}}},
        {"a gap at the end is counted once",
         {"20240105080000", "20240105080100", "20240105080200", "20240105090200"},
         {{60}, {60}, gapOf(60, 3540, "20240105080300"), {60}}},
        {"up to one and a half intervals is no gap, and counts one interval",
         {"20240105080000", "20240105080100", "20240105080200", "20240105080330", "20240105080501",
          "20240105080601"},
         {{60}, {60}, {60}, gapOf(60, 31, "20240105080430"), {60}, {60}}},
        {"a shorter step counts itself",
         {"20240105080000", "20240105080100", "20240105080130", "20240105080230"},
         {{60}, {30}, {60}, {60}}},
        {"equal stamps stand for nothing but the last of them",
         {"20240105080000", "20240105080000", "20240105080100", "20240105080200"},
         {{0}, {60}, {60}, {60}}},
        {"a lone record stands for no time", {"20240105080000"}, {{0}}},
        {"a stamp that goes back stands for the step after the latest",
         {"20240105080000", "20240105080100", "20240105075900", "20240105080200"},
         {{60}, {0}, {60}, {60}}},
        {"a stamp that is no date stands for nothing, nor does the one before it",
         {"20240105080000", "20240105080100", "2024010508020x", "20240105080300", "20240105080400"},
         {{60}, {0}, {0}, {60}, {60}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(timesOf(*logOf(c.stamps)), c.times);
    }
}

TEST(RecordTimes, TheSpanRunsFromTheEarliestStampToOneIntervalAfterTheLatest) {
    const auto log = logOf(
        {"20240105080100", "20240105080000", "2024x105090000", "20240105080200", "20240105080300"});
    EXPECT_EQ(logSpanSeconds(*log, 60), 240);
    EXPECT_EQ(logSpanSeconds(*log, std::nullopt), 0);
    EXPECT_EQ(logSpanSeconds(*logOf({}), 60), 0);
    EXPECT_EQ(logSpanSeconds(*logOf({"20240105080000"}), std::nullopt), 0);
}

// Whatever the stamps (gaps, equal ones, ones that go back or are no date),
// the time the records stand for and the gaps fit in the log's span.
TEST(RecordTimes, TheRecordsAndTheGapsNeverExceedTheSpan) {
    std::mt19937 random(18);
    std::uniform_int_distribution<int> kind(0, 19);
    std::uniform_int_distribution<int> jitter(-3, 3);
    const int64_t start = secondsOf("20240105080000");
    for (int log = 0; log < 200; ++log) {
        SCOPED_TRACE("log " + std::to_string(log));
        std::vector<std::string> stamps;
        int64_t at = start;
        const int records = 1 + log % 50;
        for (int i = 0; i < records; ++i) {
            const int k = kind(random);
            at += k == 0 ? 3600 : k == 1 ? 0 : k == 2 ? -600 : 60 + jitter(random);
            const Timestamp stamp = *stampOfSeconds(at);
            stamps.emplace_back(stamp.begin(), stamp.end());
            if (k == 3) stamps.back()[5] = 'x';
        }
        const auto store = logOf(stamps);
        const std::optional<int64_t> interval = logIntervalSeconds(*store);
        int64_t total = 0;
        for (const RecordTime& t : timesOf(*store)) {
            EXPECT_GE(t.seconds, 0);
            EXPECT_GE(t.gapSeconds, 0);
            total += t.seconds + t.gapSeconds;
        }
        EXPECT_LE(total, logSpanSeconds(*store, interval));
    }
}

TEST(RecordTimes, AClockGivesNothingPastItsLastRecord) {
    const auto log = logOf({"20240105080000", "20240105080100"});
    RecordClock clock(*log, 60);
    ASSERT_EQ(clock.count(), 2u);
    clock.next();
    clock.next();
    EXPECT_EQ(clock.next(), RecordTime{});
    EXPECT_EQ(clock.nextStep(), std::nullopt);
}

TEST(StampSeconds, SecondsGiveBackTheirStamp) {
    for (const char* text :
         {"19700101000000", "20240105083005", "19691231235959", "20240229235959", "20000229120000",
          "99991231235959", "00000101000000", "00000229120000", "15821015000000"}) {
        SCOPED_TRACE(text);
        const std::optional<int64_t> seconds = stampSeconds(stampOf(text));
        ASSERT_TRUE(seconds.has_value());
        const std::optional<Timestamp> stamp = stampOfSeconds(*seconds);
        ASSERT_TRUE(stamp.has_value());
        EXPECT_EQ(std::string(stamp->begin(), stamp->end()), text);
    }
    EXPECT_EQ(stampOfSeconds(secondsOf("99991231235959") + 1), std::nullopt);
    EXPECT_EQ(stampOfSeconds(secondsOf("00000101000000") - 1), std::nullopt);
    EXPECT_EQ(stampOfSeconds(INT64_MIN), std::nullopt);
    EXPECT_EQ(stampOfSeconds(INT64_MAX), std::nullopt);
}
