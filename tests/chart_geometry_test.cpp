#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "logdata/LogStore.h"
#include "record/AppData.h"
#include "support/SyntheticLog.h"
#include "views/ChartGeometry.h"

namespace {

std::unique_ptr<LogStore> syntheticStore(uint32_t records, uint32_t channels) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, records, channels);
    return store;
}

ChartGeometry layout(const LogStore& store, int width, int height) {
    const auto g = ChartGeometry::compute({0, 0, width, height}, store);
    EXPECT_TRUE(g.has_value());
    return g.value_or(ChartGeometry{});
}

TEST(ChartGeometry, ClientAreaOf1000By600) {
    const auto store = syntheticStore(100, 1);
    const ChartGeometry g = layout(*store, 1000, 600);
    EXPECT_EQ(g.title, (ChartRect{2, 1, 998, 49}));
    EXPECT_EQ(g.summary, (ChartRect{2, 49, 998, 121}));
    EXPECT_EQ(g.mXi, 83);
    EXPECT_EQ(g.plot, (ChartRect{85, 131, 915, 551}));
    EXPECT_EQ(g.availH, 467);
    EXPECT_EQ(g.rowH, 36);
    EXPECT_EQ(g.rowRect(1), (ChartRect{g.textLeft, 85, 998, 121}));
    const ChartFontHeights screen = g.fontHeights(false, 16);
    EXPECT_EQ(screen.title, 24);
    EXPECT_EQ(screen.text, 16);
}

TEST(ChartGeometry, PrintedPageOf6600By4800) {
    const auto store = syntheticStore(100, 2);
    const ChartGeometry g = layout(*store, 6600, 4800);
    EXPECT_EQ(g.title, (ChartRect{13, 9, 6586, 393}));
    EXPECT_EQ(ChartGeometry::paperTitleFont(g), 153);
    EXPECT_EQ(ChartGeometry::paperTextFont(g), 76);
    const ChartFontHeights paper = g.fontHeights(true, 16);
    EXPECT_EQ(paper.title, 153);
    EXPECT_EQ(paper.text, 76);
    EXPECT_EQ(g.summary.top, 393);
    EXPECT_EQ(g.summary.bottom, 969);
    EXPECT_EQ(g.plot, (ChartRect{560, 979, 6039, 4408}));
    for (int i = 0; i < ChartGeometry::kTimeTicks; i += 10) {
        EXPECT_EQ(g.timeLabelRect(i).top, 4418);
        EXPECT_EQ(g.timeLabelRect(i).bottom, 4609);
        EXPECT_EQ(g.dateLabelRect(i).top, 4609);
        EXPECT_EQ(g.dateLabelRect(i).bottom, 4800);
    }
}

// Every labelled value sits where the curves draw that value, whether or
// not the span is a whole number of steps.
TEST(ChartGeometry, ValueLabelsAndGridLinesSitAtTheirValues) {
    struct Case {
        int32_t axisMax, axisMin, axisStep;
        int nDiv;
        int lowestLabel;
    };
    const Case cases[] = {
        {60, 20, 5, 8, 20},  // a whole number of steps
        {62, 15, 5, 9, 17},  // two channels widened the axis off the grid
        {26, 20, 2, 3, 20},  // one channel, min 20.3, max 25.7
        {-15, -30, 5, 3, -30},
    };
    const auto store = syntheticStore(500, 2);
    for (const Case& c : cases) {
        store->axisMax = c.axisMax;
        store->axisMin = c.axisMin;
        store->axisStep = c.axisStep;
        const ChartGeometry g = layout(*store, 1000, 600);
        SCOPED_TRACE(c.axisMax);
        EXPECT_EQ(g.nDiv, c.nDiv);
        EXPECT_DOUBLE_EQ(g.yDiv, g.plotH * c.axisStep / double(c.axisMax - c.axisMin));
        EXPECT_EQ(g.valueTickCount(), 5 * c.nDiv + 1);
        EXPECT_EQ(g.valueTickY(0), g.plot.top);
        EXPECT_EQ(g.valueLabel(0), c.axisMax);
        EXPECT_EQ(g.valueLabel(5 * c.nDiv), c.lowestLabel);
        for (int k = 0; k < g.valueTickCount(); k += 5) {
            EXPECT_EQ(g.valueTickY(k), g.yOfValue(g.valueLabel(k))) << "tick " << k;
            const ChartRect label = g.valueLabelRect(k);
            EXPECT_EQ(label.top + label.bottom, 2 * g.valueTickY(k));
        }
        const bool whole = (c.axisMax - c.axisMin) % c.axisStep == 0;
        EXPECT_EQ(g.valueTickY(5 * c.nDiv) == g.plot.bottom, whole);
        // Grid lines at every labelled value but the one on the bottom edge.
        EXPECT_EQ(g.hasGridLine(5 * c.nDiv), !whole);
        EXPECT_TRUE(g.hasGridLine(0));
        EXPECT_FALSE(g.hasGridLine(1));
        if (whole) {
            EXPECT_DOUBLE_EQ(g.yDiv, g.plotH / double(c.nDiv));
        }
    }
}

TEST(ChartGeometry, TicksOfTheValueAndTimeAxes) {
    const auto store = syntheticStore(1000, 1);
    const ChartGeometry g = layout(*store, 1000, 600);
    EXPECT_EQ(g.valueTickLength(0), 83 / 8);
    EXPECT_EQ(g.valueTickLength(1), 83 / 16);
    EXPECT_EQ(g.timeTickX(0), g.plot.right);
    EXPECT_EQ(g.timeTickX(1), g.plot.right - 16);  // trunc(83 / 5)
    EXPECT_EQ(g.timeTickX(50), g.plot.left - 1);
    EXPECT_EQ(g.timeTickLength(5), 83 / 8);
    EXPECT_EQ(g.timeTickLength(7), 83 / 16);
    EXPECT_EQ(g.timeLabelRecord(50), 0u);
    EXPECT_GE(g.timeLabelRecord(0), 998u);
    EXPECT_LE(g.timeLabelRecord(0), 999u);
    for (int i = 1; i <= ChartGeometry::kGridColumns; ++i) {
        EXPECT_EQ(g.gridX(i), static_cast<int>(i * 83.0 + 85) + 1);
    }
    EXPECT_EQ(g.valueAxisTitleRect(), (ChartRect{27, 131, 83, 551}));
}

TEST(ChartGeometry, LegendMarkersBesideTheChannelRows) {
    const auto one = syntheticStore(10, 1);
    const ChartGeometry g1 = layout(*one, 1000, 600);
    // Row 1: y 85 .. 121, h 36, ym 103; X = trunc(110.67 / 1.2) = 92.
    EXPECT_EQ(g1.legendBox(1), (ChartRect{74, 88, 110, 117}));
    EXPECT_EQ(g1.legendLine(1), (ChartLine{92 - 27, 103, 92 + 27, 103}));
    const auto four = syntheticStore(10, 4);
    const ChartGeometry g4 = layout(*four, 1000, 600);
    // rowH 72 / 5 = 14; row 4: y 105 .. 119, ym 112; d = 6 * (14 / 4).
    EXPECT_EQ(g4.rowRect(4), (ChartRect{g4.textLeft, 105, 998, 119}));
    EXPECT_EQ(g4.legendLine(4), (ChartLine{92 - 18, 112, 92 + 18, 112}));
}

TEST(ChartGeometry, OneRecordDrawsAtTheLeftEdgeAndLabelsEveryTickWithIt) {
    const auto store = syntheticStore(1, 1);
    const ChartGeometry g = layout(*store, 1000, 600);
    EXPECT_TRUE(std::isinf(g.xPerRec));
    EXPECT_EQ(g.xOfRecord(0), g.plot.left);
    EXPECT_EQ(g.xOfRecord(5), g.plot.left);
    for (int x : {g.plot.left - 50, g.plot.left, 500, g.plot.right, g.plot.right + 50}) {
        EXPECT_EQ(g.recordAtX(x), 0u);
    }
    for (int i = 0; i < ChartGeometry::kTimeTicks; ++i) EXPECT_EQ(g.timeLabelRecord(i), 0u);
    const auto all = g.recordsBetween(g.plot.left, g.plot.right);
    EXPECT_EQ(all.first, 0);
    EXPECT_EQ(all.end, 1);
    const auto none = g.recordsBetween(g.plot.left + 1, g.plot.right);
    EXPECT_GE(none.first, none.end);
}

TEST(ChartGeometry, RecordAtXIsTheNearestDrawnRecordWithinTheLog) {
    for (uint32_t n : {2u, 3u, 7u, 1000u, 140000u}) {
        const auto store = syntheticStore(n, 1);
        const ChartGeometry g = layout(*store, 1000, 600);
        SCOPED_TRACE(n);
        EXPECT_EQ(g.recordAtX(g.plot.left), 0u);
        EXPECT_EQ(g.recordAtX(g.plot.right), n - 1);
        EXPECT_EQ(g.recordAtX(g.plot.left - 200), 0u);
        EXPECT_EQ(g.recordAtX(g.plot.right + 200), n - 1);
        for (uint32_t k : {0u, n / 3, n / 2, n - 1}) {
            if (g.xPerRec >= 1) {
                EXPECT_EQ(g.recordAtX(g.xOfRecord(k)), k);
            }
        }
    }
}

// The records between two pixels, as a search through every record finds them.
ChartGeometry::RecordSpan countedSpan(const ChartGeometry& g, int x1, int x2) {
    const int low = std::min(x1, x2);
    const int high = std::max(x1, x2);
    int32_t first = 0;
    while (first < int32_t(g.recordCount) && g.xOfRecord(first) < low) ++first;
    int32_t end = first;
    while (end < int32_t(g.recordCount) && g.xOfRecord(end) <= high) ++end;
    return {first, end};
}

TEST(ChartGeometry, RecordsBetweenThePlotEdgesAreEveryRecord) {
    for (uint32_t n : {2u, 3u, 7u, 1000u, 140000u}) {
        const auto store = syntheticStore(n, 4);
        for (int width : {300, 333, 1000, 1366, 1920, 6600}) {
            const ChartGeometry g = layout(*store, width, 600);
            SCOPED_TRACE(testing::Message() << n << " records, width " << width);
            const auto forward = g.recordsBetween(g.plot.left, g.plot.right);
            EXPECT_EQ(forward.first, 0);
            EXPECT_EQ(forward.end, int32_t(n));
            const auto backward = g.recordsBetween(g.plot.right, g.plot.left);
            EXPECT_EQ(backward.first, forward.first);
            EXPECT_EQ(backward.end, forward.end);
        }
    }
}

TEST(ChartGeometry, RecordsBetweenAnyTwoPixelsMatchTheDrawnPositions) {
    for (uint32_t n : {3u, 7u, 1000u, 5000u}) {
        const auto store = syntheticStore(n, 1);
        const ChartGeometry g = layout(*store, 1000, 600);
        for (int x1 = g.plot.left - 3; x1 <= g.plot.right + 3; x1 += 37) {
            for (int x2 = x1; x2 <= g.plot.right + 3; x2 += 53) {
                const auto expected = countedSpan(g, x1, x2);
                const auto got = g.recordsBetween(x2, x1);
                ASSERT_EQ(got.first, expected.first) << n << " records, " << x1 << ".." << x2;
                ASSERT_EQ(got.end, expected.end) << n << " records, " << x1 << ".." << x2;
            }
        }
    }
}

TEST(ChartGeometry, ASpanBetweenTwoDrawnRecordsHoldsNone) {
    const auto store = syntheticStore(3, 1);
    const ChartGeometry g = layout(*store, 1000, 600);
    ASSERT_EQ(g.xOfRecord(1), 85 + 415);
    const auto span = g.recordsBetween(g.plot.left + 1, g.xOfRecord(1) - 1);
    EXPECT_GE(span.first, span.end);
    const auto one = g.recordsBetween(g.xOfRecord(1), g.xOfRecord(1));
    EXPECT_EQ(one.first, 1);
    EXPECT_EQ(one.end, 2);
}

// A zoom box keeps what lies within its edges, but only when some record is
// drawn strictly between them: a click that wobbles keeps the log as it is.
TEST(ChartGeometry, AZoomBoxWithoutARecordBetweenItsEdgesKeepsNone) {
    const auto dense = syntheticStore(140000, 1);
    const auto sparse = syntheticStore(3, 1);
    const ChartGeometry d = layout(*dense, 1000, 600);
    const ChartGeometry s = layout(*sparse, 1000, 600);
    const int x = d.plot.left + 300;
    const int r1 = s.xOfRecord(1);
    const struct {
        const char* what;
        const ChartGeometry& g;
        int x1, x2;
        int32_t first, end;  // first == end: nothing kept
    } cases[] = {
        {"a wobble up or down", d, x, x, 0, 0},
        {"a wobble one pixel aside", d, x, x + 1, 0, 0},
        {"between two records", s, s.plot.left + 1, r1 - 1, 0, 0},
        {"a record on an edge only", s, r1, r1 + 5, 0, 0},
        {"a record inside", s, r1 - 1, r1 + 1, 1, 2},
        {"the whole plot", s, s.plot.left, s.plot.right, 0, 3},
        {"the whole plot backwards", s, s.plot.right, s.plot.left, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto span = c.g.zoomSpan(c.x1, c.x2);
        if (c.first == c.end) {
            EXPECT_GE(span.first, span.end);
        } else {
            EXPECT_EQ(span.first, c.first);
            EXPECT_EQ(span.end, c.end);
        }
    }
    // Any box with a record between its edges keeps what recordsBetween finds.
    const auto wide = d.zoomSpan(x, x + 2);
    const auto within = d.recordsBetween(x, x + 2);
    EXPECT_EQ(wide.first, within.first);
    EXPECT_EQ(wide.end, within.end);
    EXPECT_LT(wide.first, wide.end);
}

TEST(ChartGeometry, NothingIsDrawnWithoutRecordsStatisticsOrAUsableChannelCount) {
    struct Case {
        const char* what;
        uint32_t recordCount, channelCount;
        int32_t axisStep, axisMax;
    };
    const Case cases[] = {
        {"no record", 0, 1, 5, 60},
        {"statistics not computed", 10, 1, 0, 60},
        {"no channel", 10, 0, 5, 60},
        {"five channels", 10, 5, 5, 60},
        {"an empty value axis", 10, 1, 5, 20},
    };
    const auto store = syntheticStore(10, 1);
    for (const Case& c : cases) {
        store->recordCount = c.recordCount;
        store->channelCount = c.channelCount;
        store->axisStep = c.axisStep;
        store->axisMax = c.axisMax;
        store->axisMin = 20;
        EXPECT_FALSE(ChartGeometry::compute({0, 0, 1000, 600}, *store).has_value()) << c.what;
    }
    store->channelCount = 4;
    store->axisMax = 60;
    EXPECT_TRUE(ChartGeometry::compute({0, 0, 1000, 600}, *store).has_value());
}

TEST(ChartGeometry, ValuesOffTheAxisLieOutsideThePlot) {
    const auto store = syntheticStore(10, 1);
    store->axisMax = 60;
    store->axisMin = 20;
    store->axisStep = 5;
    const ChartGeometry g = layout(*store, 1000, 600);
    EXPECT_EQ(g.yOfValue(60), g.plot.top);
    EXPECT_EQ(g.yOfValue(20), g.plot.bottom);
    EXPECT_LT(g.yOfValue(70), g.plot.top);
    EXPECT_GT(g.yOfValue(10), g.plot.bottom);
    // Far off, or no number at all: still a pixel, far away.
    EXPECT_LT(g.yOfValue(3.0e38), -100000);
    EXPECT_GT(g.yOfValue(-3.0e38), 100000);
    EXPECT_LT(g.yOfValue(std::nan("")), -100000);
}

// The chart's copy of the store's axis rule gives the store's axis for the
// store's own statistics, whatever they are.
TEST(ChartGeometry, TheAxisOfStatisticsIsTheAxisTheStoreMakesOfThem) {
    struct Case {
        uint32_t channels;
        float max[4], min[4];
    };
    const Case cases[] = {
        {1, {25.7f}, {20.3f}},
        {1, {21.0f}, {21.0f}},
        {1, {-15.2f}, {-30.7f}},
        {2, {25.7f, 61.5f}, {20.3f, 15.2f}},
        {2, {1234.5f, 99.0f}, {-5.0f, 98.0f}},
        {3, {8.0f, 95.0f, -18.5f}, {2.0f, 40.0f, -25.0f}},
        {4, {0.4f, 0.2f, 0.3f, 0.1f}, {0.0f, 0.0f, 0.0f, 0.0f}},
        {4, {30000.0f, 12.0f, 5.0f, 7.0f}, {-200.0f, 0.0f, 1.0f, 2.0f}},
    };
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 2, 4);
    for (const Case& c : cases) {
        store->channelCount = c.channels;
        for (uint32_t i = 0; i < c.channels; ++i) {
            store->values[i][0] = c.max[i];
            store->values[i][1] = c.min[i];
        }
        store->computeStatistics();
        const ChartAxis axis = valueAxisFor(std::span(store->maxValue, c.channels),
                                            std::span(store->minValue, c.channels));
        EXPECT_EQ(axis, (ChartAxis{store->axisMax, store->axisMin, store->axisStep}))
            << c.channels << " channels, max " << c.max[0];
    }
}

// A limit outside the axis (or on its edge, under the frame) widens the axis
// the chart draws to the next multiple of the store's step; the store keeps
// its own.
TEST(ChartGeometry, LimitsWidenTheChartsAxisToTheStoresStep) {
    struct Case {
        const char* what;
        int32_t storeMax, storeMin, storeStep;
        std::optional<float> high, low;
        ChartAxis drawn;
    };
    const float nan = std::nanf("");
    const Case cases[] = {
        {"none", 30, 20, 2, {}, {}, {30, 20, 2}},
        {"inside", 30, 20, 2, 25.0f, 21.5f, {30, 20, 2}},
        {"above", 30, 20, 2, 33.5f, {}, {34, 20, 2}},
        {"below", 30, 20, 2, {}, 15.0f, {30, 14, 2}},
        {"on the top edge", 30, 20, 2, 30.0f, {}, {32, 20, 2}},
        {"on the bottom edge", 30, 20, 2, {}, 20.0f, {30, 18, 2}},
        {"both ways, below zero", 30, 20, 2, 30.5f, -3.5f, {32, -4, 2}},
        {"an axis off the grid", 62, 15, 5, 63.0f, {}, {65, 15, 5}},
        {"no number", 30, 20, 2, nan, nan, {30, 20, 2}},
        // Two steps a label for 980 units would pile the labels up.
        {"far off: the step grows", 30, 20, 2, 1000.0f, {}, {1100, 0, 100}},
    };
    const auto store = syntheticStore(500, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store->axisMax = c.storeMax;
        store->axisMin = c.storeMin;
        store->axisStep = c.storeStep;
        ChartShown shown;
        shown.limits[0] = {c.high, c.low};
        const auto g = ChartGeometry::compute({0, 0, 1000, 600}, *store, shown);
        ASSERT_TRUE(g.has_value());
        EXPECT_EQ((ChartAxis{g->axisMax, g->axisMin, g->axisStep}), c.drawn);
        EXPECT_EQ(store->axisMax, c.storeMax);
        EXPECT_EQ(store->axisStep, c.storeStep);
        EXPECT_EQ(g->valueLabel(0), c.drawn.max);
        for (const std::optional<float>& limit : {c.high, c.low}) {
            if (!limit || std::isnan(*limit)) continue;
            EXPECT_GT(g->yOfValue(*limit), g->plot.top) << *limit;
            EXPECT_LT(g->yOfValue(*limit), g->plot.bottom) << *limit;
        }
    }
}

// Nothing to show beyond the store lays out exactly what the store alone
// does, and so does °F for a log without an "oC" channel; a hidden channel's
// limits are not shown at all.
TEST(ChartGeometry, NothingShownBeyondTheStoreMovesNothing) {
    for (uint32_t channels = 1; channels <= 4; ++channels) {
        for (uint32_t records : {1u, 7u, 5000u}) {
            const auto store = syntheticStore(records, channels);
            for (const ChartRect r : {ChartRect{0, 0, 1000, 600}, ChartRect{0, 0, 6600, 4800}}) {
                const auto alone = ChartGeometry::compute(r, *store);
                EXPECT_EQ(ChartGeometry::compute(r, *store, ChartShown{}), alone)
                    << channels << " channels, " << records << " records";
                for (int c = 0; c < kChannels; ++c) store->unitTexts[c] = "%RH";
                EXPECT_EQ(ChartGeometry::compute(r, *store, {.fahrenheit = true}), alone);
                fillSyntheticLog(*store, records, channels);
            }
        }
    }
    auto data = std::make_unique<AppData>();
    for (int& visible : data->display.channelVisible) visible = 1;
    data->display.channelVisible[1] = 0;
    data->display.limits[0].high = 8.0f;
    data->display.limits[1].low = 40.0f;
    data->display.fahrenheit = true;
    const ChartShown shown = ChartShown::of(*data);
    EXPECT_EQ(shown.limits[0], data->display.limits[0]);
    EXPECT_FALSE(shown.limits[1].any());
    EXPECT_TRUE(shown.fahrenheit);
}

// A log of 0 .. 100 °C drawn in °F: the axis from the °F figures 32 .. 212
// (rounded out to 0 .. 250 in steps of 50), its values drawn where their °F
// values lie; a humidity channel beside it stays as it is.
TEST(ChartGeometry, FahrenheitDrawsTemperaturesOnAnAxisOfTheirFahrenheitFigures) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 101, 2);
    for (uint32_t i = 0; i <= 100; ++i) {
        store->values[0][i] = static_cast<float>(i);
        store->values[1][i] = 50.0f;
    }
    store->computeStatistics();
    ASSERT_EQ((ChartAxis{store->axisMax, store->axisMin, store->axisStep}),
              (ChartAxis{100, -50, 50}));
    const auto g = ChartGeometry::compute({0, 0, 1000, 600}, *store, {.fahrenheit = true});
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ((ChartAxis{g->axisMax, g->axisMin, g->axisStep}), (ChartAxis{250, 0, 50}));
    EXPECT_LE(g->axisMin, 32);
    EXPECT_GE(g->axisMax, 212);
    EXPECT_TRUE(g->fahrenheit[0]);
    EXPECT_FALSE(g->fahrenheit[1]);
    EXPECT_EQ(g->yOfStored(0, 100.0f), g->yOfValue(212.0));
    EXPECT_EQ(g->yOfStored(0, 0.0f), g->yOfValue(32.0));
    EXPECT_EQ(g->yOfStored(1, 50.0f), g->yOfValue(50.0));
    // A limit of 110 °C is 230 °F: inside the °F axis, so nothing widens.
    ChartShown shown{.fahrenheit = true};
    shown.limits[0].high = 110.0f;
    const auto limited = ChartGeometry::compute({0, 0, 1000, 600}, *store, shown);
    EXPECT_EQ(limited->axisMax, 250);
    EXPECT_EQ(limited->yOfStored(0, 110.0f), limited->yOfValue(230.0));
}

}  // namespace
