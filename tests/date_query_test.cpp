// The date range query without a window: the values of the pane's fields,
// the run of records a range matches, and the query that reloads and cuts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"
#include "support/TempDir.h"
#include "views/DateQuery.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr uint32_t kMinuteRecords = 241;  // 09:00:00 .. 13:00:00 on 20240105
constexpr const char* kLogName = "1234567890_20240105_0900.drav";

std::string minuteStamp(uint32_t minute) {
    char text[kTimestampLength + 1];
    std::snprintf(text, sizeof text, "20240105%02u%02u00", (9 + minute / 60) % 24, minute % 60);
    return text;
}

std::string stampOf(const LogStore& store, uint32_t i) {
    return std::string(store.timestamp(i));
}

class DateQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The one-minute log on disk, channel 1 counting the minutes.
        auto source = std::make_unique<AppData>();
        LogStore& store = source->log.store;
        store.channelCount = 1;
        store.recordCount = kMinuteRecords;
        for (uint32_t i = 0; i < kMinuteRecords; ++i) {
            std::memcpy(store.timestamps[i].data(), minuteStamp(i).data(), kTimestampLength);
            store.values[0][i] = static_cast<float>(i);
        }
        std::ofstream out(path(), std::ios::binary);
        ASSERT_TRUE(writeLogFile(out, store, source->log.setup));
        out.close();
        // The store holds it, as after a double-click in the file list.
        data_->log.store.currentFilePath = path();
        data_->log.store.currentFileName = kLogName;
        ASSERT_TRUE(loadLogFile(*data_, *ui_));
        ui_ = std::make_unique<FakeUi>(*data_);
    }

    std::string path() const { return dir_.dir() + kLogName; }
    LogStore& store() { return data_->log.store; }

    TempDir dir_;
    std::unique_ptr<AppData> data_ = std::make_unique<AppData>();
    std::unique_ptr<FakeUi> ui_ = std::make_unique<FakeUi>(*data_);
};

}  // namespace

TEST_F(DateQueryTest, TenToTwelveKeepsTheHundredAndTwentyRecordsFromTen) {
    EXPECT_EQ(runDateQuery(*data_, *ui_, {20240105, 100000, 20240105, 120000}).kind,
              OutcomeKind::Ok);
    ASSERT_EQ(store().recordCount, 120u);
    EXPECT_EQ(stampOf(store(), 0), "20240105100000");
    EXPECT_EQ(stampOf(store(), 119), "20240105115900");
    EXPECT_EQ(store().values[0][0], 60.0f);
    // The statistics are those of the cut store.
    EXPECT_EQ(store().minValue[0], 60.0f);
    EXPECT_EQ(store().maxValue[0], 179.0f);
    // The reload draws and titles, then the cut store is drawn and titled again.
    EXPECT_EQ(ui_->redraws, 2);
    EXPECT_THAT(ui_->titles, ElementsAre(kLogName, kLogName));
    EXPECT_THAT(ui_->messages, IsEmpty());
}

TEST_F(DateQueryTest, TheSameQueryTwiceStartsFromTheWholeFileEachTime) {
    const DateRange range{20240105, 100000, 20240105, 120000};
    ASSERT_EQ(runDateQuery(*data_, *ui_, range).kind, OutcomeKind::Ok);
    EXPECT_EQ(runDateQuery(*data_, *ui_, range).kind, OutcomeKind::Ok);
    ASSERT_EQ(store().recordCount, 120u);
    EXPECT_EQ(stampOf(store(), 0), "20240105100000");
}

TEST_F(DateQueryTest, RangesWithoutARecordLeaveTheWholeFile) {
    const struct {
        const char* what;
        DateRange range;
    } cases[] = {
        {"before the first record", {20240104, 0, 20240105, 85959}},
        {"after the last record", {20240105, 130001, 20240106, 0}},
        {"inside a gap", {20240105, 100010, 20240105, 100050}},
        {"From time after To time on one date", {20240105, 120000, 20240105, 100000}},
        {"From equal to To", {20240105, 100000, 20240105, 100000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Whatever an earlier query left in the store.
        store().keepRange(5, 10);
        EXPECT_EQ(runDateQuery(*data_, *ui_, c.range).kind, OutcomeKind::NoMatch);
        ASSERT_EQ(store().recordCount, kMinuteRecords);
        EXPECT_EQ(stampOf(store(), kMinuteRecords - 1), "20240105130000");
    }
    EXPECT_THAT(ui_->messages, IsEmpty());
}

TEST_F(DateQueryTest, RangesAtTheEdgesOfTheLog) {
    const struct {
        const char* what;
        DateRange range;
        uint32_t count;
        const char* first;
    } cases[] = {
        {"the whole day", {20240105, 0, 20240106, 0}, kMinuteRecords, "20240105090000"},
        {"To just after the first record", {20240101, 0, 20240105, 90001}, 1, "20240105090000"},
        {"From at the last record", {20240105, 130000, 20241231, 0}, 1, "20240105130000"},
        {"From inside a gap", {20240105, 95930, 20240105, 100101}, 2, "20240105100000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(runDateQuery(*data_, *ui_, c.range).kind, OutcomeKind::Ok);
        ASSERT_EQ(store().recordCount, c.count);
        EXPECT_EQ(stampOf(store(), 0), c.first);
    }
}

TEST_F(DateQueryTest, AFileThatCannotBeReadAgainLeavesTheStoreAsItWas) {
    store().keepRange(60, 180);
    ui_->titles.clear();
    std::filesystem::remove(path());
    EXPECT_EQ(runDateQuery(*data_, *ui_, {20240105, 100000, 20240105, 110000}).kind,
              OutcomeKind::FileFailed);
    // loadLogFile told the user; nothing was cut, drawn or titled.
    EXPECT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->redraws, 0);
    EXPECT_THAT(ui_->titles, IsEmpty());
    ASSERT_EQ(store().recordCount, 120u);
    EXPECT_EQ(stampOf(store(), 0), "20240105100000");
    EXPECT_EQ(stampOf(store(), 119), "20240105115900");
    EXPECT_EQ(store().values[0][0], 60.0f);
}

TEST(DateQueryMatch, RecordsAcrossDaysCompareTheDateFirst) {
    auto store = std::make_unique<LogStore>();
    const char* stamps[] = {"20240105235900", "20240106000000", "20240106000100", "20240107000000"};
    for (const char* stamp : stamps) {
        std::memcpy(store->timestamps[store->recordCount++].data(), stamp, kTimestampLength);
    }
    // A later date comes after any time of an earlier one.
    const auto run = matchDateRange(*store, {20240105, 235930, 20240106, 235959});
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->start, 1);
    EXPECT_EQ(run->end, 3);
    EXPECT_FALSE(matchDateRange(*store, {20240108, 0, 20240109, 0}).has_value());
    store->recordCount = 0;
    EXPECT_FALSE(matchDateRange(*store, {20240101, 0, 20241231, 0}).has_value());
}

TEST(DateQueryFields, ADateIsTheValueOfExactlyEightCharacters) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"20240105", 20240105}, {"2024-1-5", 2024}, {"", 0},
        {"2024010", 0},         {"202401050", 0},   {"Please select date", 0},
        {" 2024010", 2024010},  {"abcdefgh", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(dateFieldValue(c.text), c.value) << c.text;
}

TEST(DateQueryFields, ATimeIsTheValueOfExactlySixCharacters) {
    EXPECT_EQ(timeFieldValue("095930"), 95930);
    // What a picker shows: eight characters.
    EXPECT_EQ(timeFieldValue("09:59:30"), 0);
    EXPECT_EQ(timeFieldValue(""), 0);
}

TEST(DateQueryFields, TheDatesAreChosenWhenBothAreDatesInOrder) {
    const struct {
        DateRange range;
        bool chosen;
    } cases[] = {
        {{20240105, 0, 20240105, 0}, true},  {{20240105, 120000, 20240106, 0}, true},
        {{20240106, 0, 20240105, 0}, false}, {{2024, 0, 20240105, 0}, false},
        {{20240105, 0, 0, 0}, false},        {{10000000, 0, 10000001, 0}, false},
        {{10000001, 0, 10000001, 0}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(datesChosen(c.range), c.chosen) << c.range.fromDate << " " << c.range.toDate;
    }
}
