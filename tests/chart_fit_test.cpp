// Whether the chart's texts have room of their own at a size, and the
// smallest size at which the widest chart's do.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "support/SyntheticLog.h"
#include "views/ChartFit.h"

namespace {

// Texts of a 16-pixel font and a 24-pixel title, about as the screen shows them.
ChartTextSizes screenSizes() {
    ChartTextSizes s;
    s.titleLine = 24;
    s.textLine = 16;
    s.titleWidth = 700;
    s.rowWidth = 640;
    s.valueLabelWidth = 33;
    s.valueAxisTitleWidth = 120;
    s.timeLabelWidth = 40;
    s.dateLabelWidth = 80;
    s.limitLabelWidth = 45;
    return s;
}

std::unique_ptr<LogStore> syntheticStore(uint32_t channels) {
    auto store = std::make_unique<LogStore>();
    fillSyntheticLog(*store, 100, channels);
    return store;
}

bool fitsAt(const LogStore& store, const ChartTextSizes& sizes, int width, int height) {
    const auto g = ChartGeometry::compute({0, 0, width, height}, store);
    return g && chartTextsFit(*g, sizes);
}

}  // namespace

// At 1000 x 600 a one-channel chart has room for each text; each kind of
// text made too large for its room alone breaks the fit.
TEST(ChartFit, EachTextNeedsItsOwnRoom) {
    const auto store = syntheticStore(1);
    ASSERT_TRUE(fitsAt(*store, screenSizes(), 1000, 600));
    const struct {
        const char* what;
        void (*grow)(ChartTextSizes&);
    } cases[] = {
        {"a title taller than its band", [](ChartTextSizes& s) { s.titleLine = 49; }},
        {"a title wider than its band", [](ChartTextSizes& s) { s.titleWidth = 997; }},
        {"rows taller than their band", [](ChartTextSizes& s) { s.textLine = 37; }},
        {"a row running off the picture", [](ChartTextSizes& s) { s.rowWidth = 900; }},
        {"value labels into the axis title", [](ChartTextSizes& s) { s.valueLabelWidth = 40; }},
        {"an axis title longer than half the plot",
         [](ChartTextSizes& s) { s.valueAxisTitleWidth = 211; }},
        {"time labels into each other", [](ChartTextSizes& s) { s.timeLabelWidth = 84; }},
        {"dates into each other", [](ChartTextSizes& s) { s.dateLabelWidth = 167; }},
        {"limit values off the picture", [](ChartTextSizes& s) { s.limitLabelWidth = 81; }},
    };
    for (const auto& c : cases) {
        ChartTextSizes sizes = screenSizes();
        c.grow(sizes);
        EXPECT_FALSE(fitsAt(*store, sizes, 1000, 600)) << c.what;
    }
}

// Four rows of statistics below the summary need five text lines in the
// summary band, an eighth of the picture's height.
TEST(ChartFit, MoreChannelsNeedATallerPicture) {
    EXPECT_TRUE(fitsAt(*syntheticStore(1), screenSizes(), 1000, 600));
    EXPECT_TRUE(fitsAt(*syntheticStore(2), screenSizes(), 1000, 600));
    EXPECT_FALSE(fitsAt(*syntheticStore(4), screenSizes(), 1000, 600));
    EXPECT_TRUE(fitsAt(*syntheticStore(4), screenSizes(), 1000, 700));
}

// The legend marker of a tall, narrow picture reaches into its row's text.
TEST(ChartFit, TheLegendMarkerStaysLeftOfItsRow) {
    const auto store = syntheticStore(2);
    ChartTextSizes small{};
    EXPECT_TRUE(fitsAt(*store, small, 600, 500));
    EXPECT_FALSE(fitsAt(*store, small, 600, 2000));
}

TEST(ChartFit, TheSmallestSizeIsTheEdgeOfTheSizesThatFit) {
    const WidestChart widest = widestChart();
    const auto size = smallestFittingSize(*widest.store, screenSizes());
    ASSERT_TRUE(size.has_value());
    const int w = size->right;
    const int h = size->bottom;
    EXPECT_TRUE(fitsAt(*widest.store, screenSizes(), w, h));
    EXPECT_FALSE(fitsAt(*widest.store, screenSizes(), w - 1, h));
    EXPECT_FALSE(fitsAt(*widest.store, screenSizes(), w, h - 1));
    for (const int more : {1, 2, 3, 7, 50, 301}) {
        EXPECT_TRUE(fitsAt(*widest.store, screenSizes(), w + more, h)) << more;
        EXPECT_TRUE(fitsAt(*widest.store, screenSizes(), w, h + more)) << more;
        EXPECT_TRUE(fitsAt(*widest.store, screenSizes(), w + more, h + more)) << more;
    }
    // Every other log's chart fits where the widest one does.
    for (const uint32_t channels : {1u, 2u, 3u, 4u}) {
        EXPECT_TRUE(fitsAt(*syntheticStore(channels), screenSizes(), w, h)) << channels;
    }
}

TEST(ChartFit, NoSizeFitsTextsTallerThanAnyPicture) {
    ChartTextSizes huge = screenSizes();
    huge.textLine = kLargestChartSide;
    EXPECT_FALSE(smallestFittingSize(*widestChart().store, huge).has_value());
}

// Four channels of the longest unit at the lowest value, the most records and
// value divisions, a name filling its field.
TEST(ChartFit, TheWidestChartIsTheWidestALogMakes) {
    const WidestChart widest = widestChart();
    const LogStore& store = *widest.store;
    EXPECT_EQ(store.channelCount, 4u);
    EXPECT_EQ(store.recordCount, kLogCapacity);
    EXPECT_EQ(store.unitTexts[3], "mBar");
    EXPECT_EQ(store.minValue[0], -199.9f);
    const auto g = ChartGeometry::compute({0, 0, 1000, 700}, store);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->nDiv, 24);
    EXPECT_EQ(std::string(widest.setup->name), std::string(24, 'W'));
}
