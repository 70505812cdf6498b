#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "logdata/LogStore.h"
#include "support/SyntheticLog.h"
#include "views/ChartColumns.h"
#include "views/ChartGeometry.h"

namespace {

// A plot 0..plotW wide and 128 high over the values 0..128, so that a whole
// value v lies at y = 128 - v exactly and record k at x = trunc(k * plotW / (n - 1)).
ChartGeometry handMadePlot(int plotW, uint32_t records) {
    ChartGeometry g;
    g.plot = {0, 0, plotW, 128};
    g.plotW = plotW;
    g.plotH = 128;
    g.axisMin = 0;
    g.axisMax = 128;
    g.axisStep = 10;
    g.recordCount = records;
    g.xPerRec = plotW / static_cast<double>(records - 1);
    return g;
}

// Where the layout puts a value that is no number.
constexpr int kFarAbove = -(1 << 20);

TEST(ChartColumns, OneEntryPerOccupiedPixelColumn) {
    struct Case {
        const char* what;
        int plotW;
        std::vector<float> values;
        std::vector<ChartColumn> columns;
    };
    const Case cases[] = {
        {"a column apart: one point each",
         10,
         {10, 50, 30},
         {{0, 118, 118, 118, 118}, {5, 78, 78, 78, 78}, {10, 98, 98, 98, 98}}},
        {"two records a column: entry, exit and reach",
         4,
         {10, 30, 20, 5, 50, 50, 0, 128, 40},
         {{0, 118, 98, 98, 118},
          {1, 108, 123, 108, 123},
          {2, 78, 78, 78, 78},
          {3, 128, 0, 0, 128},
          {4, 88, 88, 88, 88}}},
        {"eight records in one column: entry and exit are not the extremes",
         1,
         {40, 90, 10, 60, 45, 70, 20, 30, 55},
         {{0, 88, 98, 38, 118}, {1, 73, 73, 73, 73}}},
        {"values off the axis keep their pixels outside the plot",
         1,
         {150, -50},
         {{0, -22, -22, -22, -22}, {1, 178, 178, 178, 178}}},
        {"no number reaches far above the plot, like +infinity",
         1,
         {40, std::nanf(""), 10, 20},
         {{0, 88, 118, kFarAbove, 118}, {1, 108, 108, 108, 108}}},
        {"a column of no number at all",
         1,
         {std::nanf(""), 30},
         {{0, kFarAbove, kFarAbove, kFarAbove, kFarAbove}, {1, 98, 98, 98, 98}}},
    };
    std::vector<ChartColumn> columns;
    for (const Case& c : cases) {
        const auto records = static_cast<uint32_t>(c.values.size());
        reduceToColumns(handMadePlot(c.plotW, records), c.values, columns);
        EXPECT_EQ(columns, c.columns) << c.what;
    }
}

TEST(ChartColumns, ReadsNoMoreThanTheRecordsAndTheValuesGiven) {
    const std::vector<float> values = {10, 50, 30};
    std::vector<ChartColumn> columns = {{7, 7, 7, 7, 7}};
    reduceToColumns(handMadePlot(10, 5), values, columns);
    // Five records, three values: x 0, 2 and 5.
    EXPECT_EQ(columns, (std::vector<ChartColumn>{
                           {0, 118, 118, 118, 118}, {2, 78, 78, 78, 78}, {5, 98, 98, 98, 98}}));
    reduceToColumns(handMadePlot(10, 2), values, columns);
    EXPECT_EQ(columns, (std::vector<ChartColumn>{{0, 118, 118, 118, 118}, {10, 78, 78, 78, 78}}));
    reduceToColumns(handMadePlot(10, 3), std::span<const float>(), columns);
    EXPECT_TRUE(columns.empty());
}

TEST(ChartColumns, AFullLogBecomesAtMostOneEntryPerPixelInABufferThatIsReused) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, kLogCapacity, 4, 3.0f);
    const auto g = ChartGeometry::compute({0, 0, 1920, 1080}, *store);
    ASSERT_TRUE(g.has_value());
    std::vector<ChartColumn> columns;
    const std::span<const float> values(store->values[0].data(), g->recordCount);
    reduceToColumns(*g, values, columns);
    ASSERT_EQ(columns.size(), static_cast<size_t>(g->plotW) + 1);
    EXPECT_EQ(columns.front().x, g->plot.left);
    EXPECT_EQ(columns.back().x, g->xOfRecord(g->recordCount - 1));
    for (size_t i = 1; i < columns.size(); ++i) EXPECT_EQ(columns[i].x, columns[i - 1].x + 1);
    for (const ChartColumn& c : columns) {
        EXPECT_LE(c.minY, std::min(c.firstY, c.lastY));
        EXPECT_GE(c.maxY, std::max(c.firstY, c.lastY));
    }
    const ChartColumn* buffer = columns.data();
    reduceToColumns(*g, values, columns);
    EXPECT_EQ(columns.data(), buffer);
}

}  // namespace
