#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "logdata/LogStore.h"
#include "logdata/Units.h"

namespace {

std::unique_ptr<LogStore> makeStore() {
    return std::make_unique<LogStore>();
}

Timestamp stampFor(int i) {
    char text[kTimestampLength + 1];
    std::snprintf(text, sizeof text, "20100305%06d", i);
    Timestamp stamp;
    std::copy_n(text, kTimestampLength, stamp.begin());
    return stamp;
}

// Appends one record per element of the longest channel list; missing values are 0.
void fill(LogStore& store, uint32_t channelCount, const std::vector<std::vector<float>>& channels) {
    store.channelCount = channelCount;
    size_t n = 0;
    for (const auto& c : channels) n = std::max(n, c.size());
    for (size_t i = 0; i < n; ++i) {
        store.timestamps[i] = stampFor(static_cast<int>(i));
        for (int c = 0; c < kChannels; ++c) {
            const bool given = c < static_cast<int>(channels.size()) && i < channels[c].size();
            store.values[c][i] = given ? channels[c][i] : 0.0f;
        }
    }
    store.recordCount = static_cast<uint32_t>(n);
}

void markStatistics(LogStore& store) {
    for (int c = 0; c < kChannels; ++c) {
        store.maxValue[c] = store.minValue[c] = store.avgValue[c] = -777.0f;
    }
    store.axisMax = store.axisMin = store.axisStep = -777;
}

struct AxisCase {
    const char* what;
    uint32_t channelCount;
    std::vector<std::vector<float>> channels;
    int32_t axisMax;
    int32_t axisMin;
    int32_t axisStep;
};

class AxisExamples : public ::testing::TestWithParam<AxisCase> {};

TEST_P(AxisExamples, GiveTheExpectedAxis) {
    const AxisCase& example = GetParam();
    auto store = makeStore();
    fill(*store, example.channelCount, example.channels);
    store->computeStatistics();
    EXPECT_EQ(store->axisMax, example.axisMax) << example.what;
    EXPECT_EQ(store->axisMin, example.axisMin) << example.what;
    EXPECT_EQ(store->axisStep, example.axisStep) << example.what;
}

INSTANTIATE_TEST_SUITE_P(
    LogStore, AxisExamples,
    ::testing::Values(
        AxisCase{"one channel 20.3..25.7", 1, {{20.3f, 25.7f, 22.0f}}, 26, 20, 2},
        AxisCase{"one channel -25.3..-15.1", 1, {{-15.1f, -25.3f}}, -15, -30, 5},
        AxisCase{"one channel flat at 21.0", 1, {{21.0f, 21.0f}}, 22, 20, 1},
        AxisCase{"two channels", 2, {{20.3f, 25.7f}, {40.2f, 55.5f}}, 60, 20, 5},
        // Channel 1's minimum sits on the lower bound, so it gets a step of room.
        AxisCase{
            "two channels, minimum on the bound", 2, {{20.0f, 30.0f}, {20.0f, 25.0f}}, 30, 15, 5},
        // With one channel in use the other arrays do not widen the axis.
        AxisCase{
            "one channel ignores channel 2", 1, {{20.3f, 25.7f}, {-900.0f, 900.0f}}, 26, 20, 2}));

struct StepCase {
    float span;
    int32_t step;
};

class AxisStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(AxisStep, FollowsTheSpanTable) {
    auto store = makeStore();
    fill(*store, 1, {{0.0f, GetParam().span}});
    store->computeStatistics();
    EXPECT_EQ(store->axisStep, GetParam().step) << "span " << GetParam().span;
    EXPECT_EQ(store->axisMax % store->axisStep, 0);
    EXPECT_EQ(store->axisMin % store->axisStep, 0);
}

INSTANTIATE_TEST_SUITE_P(
    LogStore, AxisStep,
    ::testing::Values(StepCase{1, 1}, StepCase{4, 1}, StepCase{5, 2}, StepCase{9, 2},
                      StepCase{10, 5}, StepCase{49, 5}, StepCase{50, 20}, StepCase{99, 20},
                      StepCase{100, 50}, StepCase{499, 50}, StepCase{500, 100}, StepCase{999, 100},
                      StepCase{1000, 500}, StepCase{2000, 1000}, StepCase{5000, 2000},
                      StepCase{10000, 5000}, StepCase{20000, 10000}, StepCase{500000, 10000}));

TEST(LogStore, NegativeOneChannelLogGetsEnclosingMultiplesOfTheStep) {
    auto store = makeStore();
    fill(*store, 1, {{-3.7f, -48.2f, -12.0f}});
    store->computeStatistics();
    EXPECT_EQ(store->axisStep, 5);
    EXPECT_EQ(store->axisMax, 0);
    EXPECT_EQ(store->axisMin, -50);
    EXPECT_EQ(store->axisMax % store->axisStep, 0);
    EXPECT_EQ(store->axisMin % store->axisStep, 0);
    EXPECT_GE(static_cast<float>(store->axisMax), store->maxValue[0]);
    EXPECT_LE(static_cast<float>(store->axisMin), store->minValue[0]);
}

TEST(LogStore, StatisticsCoverAllFourChannelsWhateverTheCount) {
    auto store = makeStore();
    fill(*store, 1, {{1.0f, 3.0f, 2.0f}, {-1.0f, -5.0f, 0.0f}, {7.5f, 7.5f, 7.5f}, {0, 0, 9.0f}});
    store->computeStatistics();
    const float max[] = {3.0f, 0.0f, 7.5f, 9.0f};
    const float min[] = {1.0f, -5.0f, 7.5f, 0.0f};
    const float avg[] = {2.0f, -2.0f, 7.5f, 3.0f};
    for (int c = 0; c < kChannels; ++c) {
        EXPECT_FLOAT_EQ(store->maxValue[c], max[c]) << "channel " << c;
        EXPECT_FLOAT_EQ(store->minValue[c], min[c]) << "channel " << c;
        EXPECT_FLOAT_EQ(store->avgValue[c], avg[c]) << "channel " << c;
    }
}

TEST(LogStore, AverageSumsInSinglePrecisionInRecordOrder) {
    // 2^24 + 1 is not a float: added after the big value the ones are lost,
    // added before it they count.
    const float big = 16777216.0f;
    auto late = makeStore();
    fill(*late, 1, {{big, 1.0f, 1.0f}});
    late->computeStatistics();
    EXPECT_EQ(late->avgValue[0], big / 3.0f);

    auto early = makeStore();
    fill(*early, 1, {{1.0f, 1.0f, big}});
    early->computeStatistics();
    EXPECT_EQ(early->avgValue[0], (big + 2.0f) / 3.0f);
}

TEST(LogStore, OneRecordGivesItsValueAsMaxMinAndAverage) {
    auto store = makeStore();
    fill(*store, 4, {{12.5f}, {-3.25f}, {0.0f}, {99.0f}});
    store->computeStatistics();
    for (int c = 0; c < kChannels; ++c) {
        EXPECT_EQ(store->maxValue[c], store->values[c][0]);
        EXPECT_EQ(store->minValue[c], store->values[c][0]);
        EXPECT_EQ(store->avgValue[c], store->values[c][0]);
    }
    EXPECT_GT(store->axisStep, 0);
}

TEST(LogStore, ZeroRecordsGiveZerosAndNoAxis) {
    auto store = makeStore();
    fill(*store, 2, {{50.0f, 60.0f}, {70.0f, 80.0f}});
    store->computeStatistics();
    store->clear();
    store->computeStatistics();
    for (int c = 0; c < kChannels; ++c) {
        EXPECT_EQ(store->maxValue[c], 0.0f);
        EXPECT_EQ(store->minValue[c], 0.0f);
        EXPECT_EQ(store->avgValue[c], 0.0f);
    }
    EXPECT_EQ(store->axisMax, 0);
    EXPECT_EQ(store->axisMin, 0);
    EXPECT_EQ(store->axisStep, 0);
}

TEST(LogStore, ClearKeepsEverythingButTheCount) {
    auto store = makeStore();
    fill(*store, 2, {{5.0f, 6.0f}, {7.0f, 8.0f}});
    store->unitCodes[1] = 1;
    store->unitTexts[1] = "%RH";
    store->currentFileName = "a.drav";
    store->computeStatistics();
    const int32_t axisMax = store->axisMax;
    store->clear();
    EXPECT_EQ(store->recordCount, 0u);
    EXPECT_EQ(store->channelCount, 2u);
    EXPECT_EQ(store->values[1][1], 8.0f);
    EXPECT_EQ(store->timestamp(1), "20100305000001");
    EXPECT_EQ(store->unitTexts[1], "%RH");
    EXPECT_EQ(store->currentFileName, "a.drav");
    EXPECT_EQ(store->axisMax, axisMax);
}

TEST(LogStore, ValuesBeyondTheIntegerRangeDoNotBreakTheAxis) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::vector<float>> cases[] = {
        {{1e30f, -1e30f}}, {{inf, -inf}}, {{nan, 1.0f}}, {{2e9f, 1.0f}, {-2e9f, 0.0f}}};
    for (const auto& channels : cases) {
        auto store = makeStore();
        fill(*store, 2, channels);
        store->computeStatistics();
        EXPECT_GT(store->axisStep, 0);
        EXPECT_GE(store->axisMax, store->axisMin);
    }
}

TEST(LogStore, KeepRangeWithEmptyOrReversedRangeChangesNothing) {
    const std::pair<int32_t, int32_t> ranges[] = {{5, 5}, {7, 3}, {0, 0}, {-2, -5}};
    for (const auto& [start, end] : ranges) {
        auto store = makeStore();
        fill(*store, 1, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}});
        markStatistics(*store);
        store->keepRange(start, end);
        EXPECT_EQ(store->recordCount, 10u) << start << ".." << end;
        EXPECT_EQ(store->values[0][0], 1.0f);
        EXPECT_EQ(store->axisStep, -777) << "statistics were recomputed";
        EXPECT_EQ(store->maxValue[0], -777.0f);
    }
}

TEST(LogStore, KeepRangeOutsideTheValidRecordsIsRefused) {
    const std::pair<int32_t, int32_t> ranges[] = {{-1, 4}, {0, 11}, {8, 200000}};
    for (const auto& [start, end] : ranges) {
        auto store = makeStore();
        fill(*store, 1, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}});
        markStatistics(*store);
        store->keepRange(start, end);
        EXPECT_EQ(store->recordCount, 10u) << start << ".." << end;
        EXPECT_EQ(store->values[0][0], 1.0f);
        EXPECT_EQ(store->axisStep, -777);
    }
}

TEST(LogStore, KeepRangeOfAllRecordsKeepsThemAndRecomputes) {
    auto store = makeStore();
    fill(*store, 1, {{4, 8, 6}});
    markStatistics(*store);
    store->keepRange(0, 3);
    EXPECT_EQ(store->recordCount, 3u);
    EXPECT_EQ(store->values[0][1], 8.0f);
    EXPECT_EQ(store->timestamp(2), "20100305000002");
    EXPECT_EQ(store->maxValue[0], 8.0f);
    EXPECT_EQ(store->minValue[0], 4.0f);
    EXPECT_EQ(store->avgValue[0], 6.0f);
    EXPECT_GT(store->axisStep, 0);
}

TEST(LogStore, KeepRangeMovesRecordsDownWithTheirTimestamps) {
    auto store = makeStore();
    fill(*store, 4,
         {{0, 1, 2, 3, 4, 5},
          {10, 11, 12, 13, 14, 15},
          {20, 21, 22, 23, 24, 25},
          {30, 31, 32, 33, 34, 35}});
    store->keepRange(2, 5);
    ASSERT_EQ(store->recordCount, 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(store->timestamp(i), std::string(stampFor(i + 2).data(), kTimestampLength));
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(store->values[c][i], static_cast<float>(10 * c + i + 2));
        }
    }
    EXPECT_EQ(store->maxValue[3], 34.0f);
    EXPECT_EQ(store->minValue[0], 2.0f);
    // The slot past the kept range still holds its old record.
    EXPECT_EQ(store->values[0][3], 3.0f);
}

TEST(LogStore, UnitTextsFollowTheCodeTable) {
    const std::pair<int, const char*> table[] = {{0, "oC"},  {1, "%RH"}, {2, "PPM"},  {3, "mBar"},
                                                 {4, "Lux"}, {5, "F"},   {6, "I/O"},  {7, "Un"},
                                                 {8, "Un"},  {9, "Un"},  {200, "Un"}, {255, "Un"}};
    auto store = makeStore();
    for (const auto& [code, text] : table) {
        EXPECT_STREQ(unitText(static_cast<uint8_t>(code)), text);
        store->setChannelUnit(code % kChannels, static_cast<uint8_t>(code));
        EXPECT_EQ(store->unitTexts[code % kChannels], text);
    }
}

TEST(LogStore, SetChannelUnitIgnoresChannelsOutsideOneToFour) {
    auto store = makeStore();
    store->setChannelUnit(-1, 1);
    store->setChannelUnit(4, 1);
    for (int c = 0; c < kChannels; ++c) EXPECT_EQ(store->unitTexts[c], "");
}

// Records appended one at a time, as realtime samples come, give the figures
// a full pass gives, to the bit; also across a cleared store, a kept range and
// a record changed behind the running sums' back.
TEST(LogStore, AppendedStatisticsEqualAFullPass) {
    auto running = makeStore();
    auto full = makeStore();
    running->channelCount = full->channelCount = 4;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> tenths(-400, 1200);
    auto expectSame = [&](const char* when, uint32_t at) {
        full->recordCount = running->recordCount;
        full->computeStatistics();
        for (int c = 0; c < kChannels; ++c) {
            ASSERT_EQ(running->maxValue[c], full->maxValue[c]) << when << " " << at << " ch" << c;
            ASSERT_EQ(running->minValue[c], full->minValue[c]) << when << " " << at << " ch" << c;
            ASSERT_EQ(running->avgValue[c], full->avgValue[c]) << when << " " << at << " ch" << c;
        }
        ASSERT_EQ(running->axisMax, full->axisMax) << when << " " << at;
        ASSERT_EQ(running->axisMin, full->axisMin) << when << " " << at;
        ASSERT_EQ(running->axisStep, full->axisStep) << when << " " << at;
    };
    auto append = [&](const char* when, int count) {
        for (int n = 0; n < count; ++n) {
            const uint32_t at = running->recordCount;
            for (int c = 0; c < kChannels; ++c) {
                const float v = static_cast<float>(tenths(random)) / 10.0f;
                running->values[c][at] = full->values[c][at] = v;
            }
            running->recordCount = at + 1;
            running->appendStatistics();
            expectSame(when, at);
        }
    };
    append("first", 3000);
    running->clear();
    append("after clear", 50);
    running->keepRange(10, 40);
    for (int c = 0; c < kChannels; ++c) {
        std::copy_n(running->values[c].begin(), 30, full->values[c].begin());
    }
    append("after keepRange", 50);
    // A record changed without computeStatistics: the next append still
    // agrees once the store's own figures are redone.
    running->values[0][5] = full->values[0][5] = 999.0f;
    running->computeStatistics();
    append("after a change", 5);
}

}  // namespace
