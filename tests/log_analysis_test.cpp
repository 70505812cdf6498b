// The analysis of a log against limits and alarm rules, on small logs whose
// figures are worked out by hand: one record a minute, so each record stands
// for 60 s and an excursion of n records lasts n minutes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "logdata/LogAnalysis.h"
#include "logdata/LogStore.h"
#include "logdata/StampSeconds.h"

void PrintTo(const Excursion& e, std::ostream* out) {
    *out << "{ch" << e.channel + 1 << (e.side == LimitSide::Above ? " above" : " below")
         << " records " << e.start << ".." << e.end << ", " << e.seconds << " s, peak " << e.peak
         << ", " << e.degreeMinutes << " degree-minutes}";
}

namespace {

constexpr uint8_t kCelsiusCode = 0;
constexpr int64_t kMinute = 60;

// One channel of °C, one record a minute from 2024-01-05 08:00:00; `skip`
// leaves that many minutes out before record `skipAt` (a gap).
std::unique_ptr<LogStore> minuteLog(const std::vector<float>& values, uint32_t skipAt = 0,
                                    int skip = 0) {
    auto store = std::make_unique<LogStore>();
    store->channelCount = 1;
    for (int c = 0; c < kChannels; ++c) store->setChannelUnit(c, kCelsiusCode);
    const int64_t first = *stampSeconds(
        Timestamp{'2', '0', '2', '4', '0', '1', '0', '5', '0', '8', '0', '0', '0', '0'});
    for (uint32_t i = 0; i < values.size(); ++i) {
        const int64_t minute = i + (skip > 0 && i >= skipAt ? skip : 0);
        store->timestamps[i] = *stampOfSeconds(first + minute * kMinute);
        for (int c = 0; c < kChannels; ++c) store->values[c][i] = values[i];
    }
    store->recordCount = static_cast<uint32_t>(values.size());
    return store;
}

ChannelLimits highAt(float high) {
    ChannelLimits limits{};
    limits[0].high = high;
    return limits;
}

ChannelLimits highWithRule(float high, AlarmRuleKind kind, int32_t minutes) {
    ChannelLimits limits = highAt(high);
    limits[0].highRule = {kind, minutes};
    return limits;
}

LogAnalysis analyze(const LogStore& store, const ChannelLimits& limits) {
    return analyzeLog(store, limits, 83144.0);
}

}  // namespace

TEST(LogAnalysis, EachExcursionHasItsRecordsTimePeakAndArea) {
    // Above 8.0: records 1-2 (9, 10), then 5 to the end (8.5, 11); below 2.0: record 3.
    const auto store = minuteLog({5, 9, 10, 1, 5, 8.5f, 11});
    ChannelLimits limits = highAt(8);
    limits[0].low = 2;
    const LogAnalysis analysis = analyze(*store, limits);
    EXPECT_THAT(analysis.excursions,
                ::testing::ElementsAre(Excursion{0, LimitSide::Above, 1, 3, 120, 10, 1 + 2},
                                       Excursion{0, LimitSide::Below, 3, 4, 60, 1, 1},
                                       // To the end: it ends at the last record.
                                       Excursion{0, LimitSide::Above, 5, 6, 120, 11, 0.5 + 3}));
    const ChannelAnalysis& channel = analysis.channels[0];
    EXPECT_EQ(channel.summary.secondsAbove, 240);
    EXPECT_EQ(channel.summary.secondsBelow, 60);
    EXPECT_EQ(channel.summary.excursions, 3);
    EXPECT_EQ(channel.verdict, Verdict::Fail);
    EXPECT_EQ(channel.failedSide, LimitSide::Above);
    EXPECT_EQ(analysis.verdict, Verdict::Fail);
}

TEST(LogAnalysis, AnExcursionAtTheStartBeginsWithTheFirstRecord) {
    const auto store = minuteLog({9, 9, 5, 5});
    const LogAnalysis analysis = analyze(*store, highAt(8));
    EXPECT_THAT(analysis.excursions,
                ::testing::ElementsAre(Excursion{0, LimitSide::Above, 0, 2, 120, 9, 2}));
}

TEST(LogAnalysis, EachRuleDecidesByItsOwnMeasure) {
    // Two excursions above 8.0 of 3 and 2 minutes: 5 minutes in all.
    const auto store = minuteLog({5, 9, 9, 9, 5, 9, 9, 5});
    const struct {
        const char* what;
        AlarmRuleKind kind;
        int32_t minutes;
        Verdict verdict;
    } cases[] = {
        {"any reading outside", AlarmRuleKind::AnyReading, 0, Verdict::Fail},
        {"single longer than 3 min: none is", AlarmRuleKind::SingleLonger, 3, Verdict::Pass},
        {"single longer than 2 min: the first is", AlarmRuleKind::SingleLonger, 2, Verdict::Fail},
        {"total longer than 5 min: not", AlarmRuleKind::TotalLonger, 5, Verdict::Pass},
        {"total longer than 4 min", AlarmRuleKind::TotalLonger, 4, Verdict::Fail},
        {"zero minutes: any time outside", AlarmRuleKind::SingleLonger, 0, Verdict::Fail},
        {"below zero counts as zero", AlarmRuleKind::TotalLonger, -10, Verdict::Fail},
    };
    for (const auto& c : cases) {
        const LogAnalysis analysis = analyze(*store, highWithRule(8, c.kind, c.minutes));
        EXPECT_EQ(analysis.channels[0].verdict, c.verdict) << c.what;
        EXPECT_EQ(analysis.verdict, c.verdict) << c.what;
    }
}

TEST(LogAnalysis, AGapInsideAnExcursionSplitsItAndIsListed) {
    // Above 8.0 from record 1; 30 minutes without data before record 3.
    const auto store = minuteLog({5, 9, 9, 9, 9, 5}, 3, 30);
    const LogAnalysis analysis = analyze(*store, highAt(8));
    ASSERT_EQ(analysis.gaps.size(), 1u);
    EXPECT_EQ(analysis.gaps[0].seconds, 30 * kMinute);
    EXPECT_EQ(analysis.gaps[0].start, *stampSeconds(store->timestamps[2]) + kMinute);
    EXPECT_THAT(analysis.excursions,
                ::testing::ElementsAre(Excursion{0, LimitSide::Above, 1, 3, 120, 9, 2},
                                       Excursion{0, LimitSide::Above, 3, 5, 120, 9, 2}));
    // The rule sees two excursions of two minutes, not one of four.
    EXPECT_EQ(analyze(*store, highWithRule(8, AlarmRuleKind::SingleLonger, 3)).verdict,
              Verdict::Pass);
}

TEST(LogAnalysis, OnlyAChannelWithALimitHasAVerdict) {
    const auto store = minuteLog({5, 9, 5});
    store->channelCount = 2;
    // A rule without its limit decides nothing.
    ChannelLimits rulesOnly{};
    rulesOnly[0].highRule = {AlarmRuleKind::SingleLonger, 0};
    rulesOnly[1].lowRule = {AlarmRuleKind::TotalLonger, 5};
    const LogAnalysis none = analyze(*store, rulesOnly);
    EXPECT_EQ(none.verdict, Verdict::None);
    EXPECT_EQ(none.channels[0].verdict, Verdict::None);
    EXPECT_TRUE(none.excursions.empty());

    ChannelLimits limits{};
    limits[1].high = 10;  // the second channel passes, the first has no limit
    const LogAnalysis passed = analyze(*store, limits);
    EXPECT_EQ(passed.channels[0].verdict, Verdict::None);
    EXPECT_EQ(passed.channels[1].verdict, Verdict::Pass);
    EXPECT_EQ(passed.verdict, Verdict::Pass);
    EXPECT_FALSE(passed.channels[2].present);
}

TEST(LogAnalysis, TheStatisticsMatchTheStoreAndAddTheStandardDeviation) {
    const auto store = minuteLog({2, 4, 4, 4, 5, 5, 7, 9});
    store->computeStatistics();
    const LogAnalysis analysis = analyze(*store, {});
    const ChannelAnalysis& channel = analysis.channels[0];
    EXPECT_EQ(channel.max, store->maxValue[0]);
    EXPECT_EQ(channel.min, store->minValue[0]);
    EXPECT_EQ(channel.average, static_cast<double>(store->avgValue[0]));
    EXPECT_DOUBLE_EQ(channel.standardDeviation, 2.0);
    ASSERT_TRUE(channel.mkt.has_value());
    EXPECT_GT(*channel.mkt, channel.average);
    EXPECT_EQ(analysis.logInterval, kMinute);
}

TEST(LogAnalysis, AnEmptyLogHasNoFiguresAndNoVerdict) {
    const auto store = minuteLog({});
    const LogAnalysis analysis = analyze(*store, highAt(8));
    EXPECT_TRUE(analysis.excursions.empty());
    EXPECT_TRUE(analysis.gaps.empty());
    EXPECT_EQ(analysis.channels[0].standardDeviation, 0);
    EXPECT_FALSE(analysis.channels[0].mkt.has_value());
    EXPECT_EQ(analysis.verdict, Verdict::None) << "no record shows the goods stayed inside";
}

TEST(AlarmRules, ARuleReadsBackFromItsText) {
    const struct {
        const char* text;
        std::optional<AlarmRule> rule;
    } cases[] = {
        {"any", AlarmRule{}},
        {"single:30", AlarmRule{AlarmRuleKind::SingleLonger, 30}},
        {"total:0", AlarmRule{AlarmRuleKind::TotalLonger, 0}},
        {"total:-5", std::nullopt},
        {"single:", std::nullopt},
        {"single:3x", std::nullopt},
        {"single:99999999999", std::nullopt},
        {"longest:5", std::nullopt},
        {"ANY", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseAlarmRule(c.text), c.rule) << c.text;
        if (c.rule) {
            EXPECT_EQ(alarmRuleText(*c.rule), c.text);
        }
    }
}
