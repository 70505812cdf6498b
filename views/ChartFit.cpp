#include "views/ChartFit.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"

namespace {

constexpr uint8_t kLongestUnitCode = 3;  // "mBar"
constexpr float kLowestValue = -199.9f;  // below -200.0 a logger sends no reading
constexpr int32_t kWidestAxisMin = -200;
constexpr int32_t kWidestAxisStep = 50;
constexpr int kMostDivisions = 24;  // limits far off the values widen the axis this far
constexpr char kWidestLetter = 'W';
constexpr char kLatestStamp[] = "20291228235959";

bool fits(const LogStore& store, const ChartTextSizes& sizes, int width, int height) {
    const std::optional<ChartGeometry> g = ChartGeometry::compute({0, 0, width, height}, store);
    return g && chartTextsFit(*g, sizes);
}

int heightOf(const ChartRect& r) {
    return r.bottom - r.top;
}

int widthOf(const ChartRect& r) {
    return r.right - r.left;
}

bool titleFits(const ChartGeometry& g, const ChartTextSizes& s) {
    return s.titleLine <= heightOf(g.title) && s.titleWidth <= widthOf(g.title);
}

// The marker stands left of its row's text; all channels' are alike.
bool rowsFit(const ChartGeometry& g, const ChartTextSizes& s) {
    const ChartLine line = g.legendLine(1);
    const ChartRect box = g.legendBox(1);
    return s.textLine <= g.rowH && s.rowWidth <= g.summary.right - g.textLeft &&
           std::max(line.x2, box.right) < g.textLeft && std::min(line.x1, box.left) >= g.area.left;
}

// Labels are centred on their ticks; the turned title's line runs from its
// rectangle's left edge, its text upwards from half way down the plot.
bool valueAxisFits(const ChartGeometry& g, const ChartTextSizes& s) {
    const ChartRect title = g.valueAxisTitleRect();
    const int labelsLeft = g.valueLabelRect(0).right - s.valueLabelWidth;
    return s.textLine <= g.yDiv && labelsLeft >= title.left + s.textLine &&
           s.valueAxisTitleWidth <= heightOf(title) / 2;
}

// Labelled ticks stand every fifth tick, dated ones every tenth; the outer
// ones are centred on the plot's edges.
bool timeAxisFits(const ChartGeometry& g, const ChartTextSizes& s) {
    constexpr int kLabelStep = 5;
    constexpr int kDateStep = 10;
    const int last = ChartGeometry::kTimeTicks - 1;
    for (int i = 0; i + kLabelStep <= last; i += kLabelStep) {
        if (g.timeTickX(i) - g.timeTickX(i + kLabelStep) < s.timeLabelWidth) return false;
    }
    for (int i = 0; i + kDateStep <= last; i += kDateStep) {
        if (g.timeTickX(i) - g.timeTickX(i + kDateStep) < s.dateLabelWidth) return false;
    }
    const int widest = std::max(s.timeLabelWidth, s.dateLabelWidth);
    return s.textLine <= heightOf(g.timeLabelRect(0)) &&
           s.textLine <= heightOf(g.dateLabelRect(0)) &&
           g.timeTickX(last) - widest / 2 >= g.area.left &&
           g.timeTickX(0) + (widest + 1) / 2 <= g.area.right;
}

bool limitLabelsFit(const ChartGeometry& g, const ChartTextSizes& s) {
    return s.limitLabelWidth <= g.area.right - g.limitLabelRect(0).left;
}

// The least side from which every larger one up to kLargestChartSide fits:
// the layout truncates to whole pixels, so a side that fits may be followed
// by one that does not. 0 when the largest does not fit.
int leastSideOfAllThatFit(const std::function<bool(int)>& fitsAt) {
    if (!fitsAt(kLargestChartSide)) return 0;
    int side = kLargestChartSide;
    while (side > 1 && fitsAt(side - 1)) --side;
    return side;
}

}  // namespace

bool chartTextsFit(const ChartGeometry& g, const ChartTextSizes& sizes) {
    return titleFits(g, sizes) && rowsFit(g, sizes) && valueAxisFits(g, sizes) &&
           timeAxisFits(g, sizes) && limitLabelsFit(g, sizes);
}

// The height is found with all the width there is, then the width at that
// height: a wider picture makes no text taller.
std::optional<ChartRect> smallestFittingSize(const LogStore& store, const ChartTextSizes& sizes) {
    const int height =
        leastSideOfAllThatFit([&](int h) { return fits(store, sizes, kLargestChartSide, h); });
    if (height == 0) return std::nullopt;
    const int width = leastSideOfAllThatFit([&](int w) { return fits(store, sizes, w, height); });
    if (width == 0) return std::nullopt;
    return ChartRect{0, 0, width, height};
}

WidestChart widestChart() {
    WidestChart chart{std::make_unique<LogStore>(), std::make_unique<LoggerSetup>()};
    LoggerSetup& setup = *chart.setup;
    std::memset(setup.name, kWidestLetter, kSetupNameLength);
    std::memset(setup.serialNo, kWidestLetter, sizeof setup.serialNo);
    LogStore& store = *chart.store;
    store.channelCount = kChannels;
    store.recordCount = kLogCapacity;
    for (int c = 0; c < kChannels; ++c) {
        store.setChannelUnit(c, kLongestUnitCode);
        store.maxValue[c] = store.minValue[c] = store.avgValue[c] = kLowestValue;
    }
    std::memcpy(store.timestamps[0].data(), kLatestStamp, kTimestampLength);
    std::memcpy(store.timestamps[kLogCapacity - 1].data(), kLatestStamp, kTimestampLength);
    store.axisMin = kWidestAxisMin;
    store.axisStep = kWidestAxisStep;
    store.axisMax = kWidestAxisMin + kMostDivisions * kWidestAxisStep;
    return chart;
}
