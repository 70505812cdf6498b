#include "views/ChartGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "logdata/LogStore.h"
#include "logdata/Units.h"
#include "record/AppData.h"

namespace {

// Points of values far off the axis are held this far outside the plot: the
// line towards them looks the same, and the pixel stays an int.
constexpr double kFarPixel = 1 << 20;

// trunc toward zero, held within +-kFarPixel (no number goes to the far top).
int toPixel(double v) {
    if (v >= kFarPixel) return static_cast<int>(kFarPixel);
    if (v > -kFarPixel) return static_cast<int>(v);
    return -static_cast<int>(kFarPixel);
}

ChartRect titleBand(ChartRect r, double w, double h) {
    ChartRect t;
    t.left = toPixel(r.left + 0.002 * w);
    t.top = toPixel(r.top + 0.002 * h);
    t.right = toPixel(r.right - 0.002 * w);
    t.bottom = toPixel(t.top + 0.08 * h);
    return t;
}

ChartRect summaryBand(const ChartRect& t, double h) {
    return {t.left, t.bottom, t.right, toPixel(t.bottom + 0.12 * h)};
}

bool drawable(const LogStore& store) {
    return store.recordCount > 0 && store.axisStep >= 1 && store.channelCount >= 1 &&
           store.channelCount <= static_cast<uint32_t>(kChannels) && store.axisMax > store.axisMin;
}

// Copies what the layout needs from the store; the statistics never change
// while a drawing is under way.
void takeStore(ChartGeometry& g, const LogStore& store) {
    g.recordCount = std::min(store.recordCount, kLogCapacity);
    g.channelCount = static_cast<int>(store.channelCount);
    g.axisMax = store.axisMax;
    g.axisMin = store.axisMin;
    g.axisStep = store.axisStep;
}

void layBands(ChartGeometry& g) {
    const ChartRect& r = g.area;
    const double w = static_cast<double>(r.right) - r.left;
    const double h = static_cast<double>(r.bottom) - r.top;
    g.title = titleBand(r, w, h);
    g.summary = summaryBand(g.title, h);
    const int bandW = g.summary.right - g.summary.left;
    g.colW = bandW / 9.0;
    g.rowH = (g.summary.bottom - g.summary.top) / (g.channelCount + 1);
    g.textLeft = toPixel(g.summary.left + 1.5 * g.colW);
    g.mX = bandW / 12.0;
    g.mXi = toPixel(g.mX);
    g.plot.top = g.summary.bottom + 10;
    g.availH = toPixel(r.bottom - 0.002 * h) - g.plot.top;
    g.plot.left = g.summary.left + g.mXi;
    g.plot.right = g.summary.right - g.mXi;
    g.plot.bottom = toPixel(g.plot.top + 0.9 * g.availH);
    g.plotW = g.plot.right - g.plot.left;
    g.plotH = g.plot.bottom - g.plot.top;
}

// The division step follows the values, so that a label sits where the curves
// draw its value even when the span is no multiple of the step.
void layScales(ChartGeometry& g) {
    const double span = static_cast<double>(g.axisMax) - g.axisMin;
    const int64_t divisions = (static_cast<int64_t>(g.axisMax) - g.axisMin) / g.axisStep;
    // Hand-set axis fields may ask for more divisions than ticks can count.
    constexpr int64_t kMostDivisions = std::numeric_limits<int>::max() / 5 - 1;
    g.nDiv = static_cast<int>(std::min(divisions, kMostDivisions));
    g.lh = g.availH / (g.nDiv + 1.0);
    g.xGrid = g.plotW / 10.0;
    g.yDiv = g.plotH * g.axisStep / span;
    g.ySub = g.yDiv / ChartGeometry::kTicksPerDivision;
    g.xPerRec = g.recordCount > 1 ? g.plotW / static_cast<double>(g.recordCount - 1)
                                  : std::numeric_limits<double>::infinity();
}

// The store's rule makes at most a dozen divisions; more labels than about
// twice that would run into each other down the value axis.
constexpr int64_t kMostLimitDivisions = 24;

// Limits of channels beyond the log's count are not drawn. Fixed arrays: the
// view lays the chart out again at every mouse move.
void takeShown(ChartGeometry& g, const LogStore& store, const ChartShown& shown) {
    std::array<float, kChannels> shownMax{}, shownMin{};
    std::array<float, 2 * kChannels> limitValues{};
    std::size_t limitCount = 0;
    bool anyFahrenheit = false;
    const std::size_t channels = std::min<std::size_t>(g.channelCount, kChannels);
    for (std::size_t c = 0; c < channels; ++c) {
        const int channel = static_cast<int>(c);
        g.fahrenheit[c] = showsFahrenheit(store, channel, shown.fahrenheit);
        anyFahrenheit |= g.fahrenheit[c];
        shownMax[c] = g.shownValue(channel, store.maxValue[c]);
        shownMin[c] = g.shownValue(channel, store.minValue[c]);
        g.limits[c] = shown.limits[c];
        for (const std::optional<float>& limit : {g.limits[c].high, g.limits[c].low}) {
            if (limit) limitValues[limitCount++] = g.shownValue(channel, *limit);
        }
    }
    ChartAxis axis{store.axisMax, store.axisMin, store.axisStep};
    if (anyFahrenheit) {
        axis =
            valueAxisFor(std::span(shownMax).first(channels), std::span(shownMin).first(channels));
    }
    axis = axisWidenedTo(axis, std::span(limitValues).first(limitCount));
    g.axisMax = axis.max;
    g.axisMin = axis.min;
    g.axisStep = axis.step;
}

}  // namespace

ChartShown ChartShown::of(const AppData& data) {
    ChartShown shown;
    shown.fahrenheit = data.display.fahrenheit;
    for (int c = 0; c < kChannels; ++c) {
        if (data.display.channelVisible[c])
            shown.limits[static_cast<std::size_t>(c)] = data.display.limits[c];
    }
    return shown;
}

// A line a twentieth of a step inside the axis is a few pixels off the
// frame; nearer, the frame would hide it.
ChartAxis axisWidenedTo(ChartAxis axis, std::span<const float> values) {
    if (axis.step < 1) return axis;
    const double margin = axis.step / 20.0;
    const auto clampToAxis = [](double v) {
        return std::clamp<double>(v, -kAxisLimit, kAxisLimit);
    };
    int32_t top = axis.max;
    int32_t bottom = axis.min;
    for (const float v : values) {
        if (std::isnan(v)) continue;
        const double above = clampToAxis(v + margin);
        const double below = clampToAxis(v - margin);
        if (above > top) top = raiseToMultiple(static_cast<int32_t>(std::ceil(above)), axis.step);
        if (below < bottom) {
            bottom = lowerToMultiple(static_cast<int32_t>(std::floor(below)), axis.step);
        }
    }
    if (top == axis.max && bottom == axis.min) return axis;
    int32_t step = axis.step;
    const uint32_t span = static_cast<uint32_t>(top) - static_cast<uint32_t>(bottom);
    if (span / static_cast<uint32_t>(step) > kMostLimitDivisions) {
        step = std::max(step, axisStepForSpan(span));
        top = raiseToMultiple(top, step);
        bottom = lowerToMultiple(bottom, step);
    }
    return {top, bottom, step};
}

// The store's figures alone, as the chart was before limits and °F.
std::optional<ChartGeometry> ChartGeometry::compute(ChartRect r, const LogStore& store) {
    if (!drawable(store)) return std::nullopt;
    ChartGeometry g;
    g.area = r;
    takeStore(g, store);
    layBands(g);
    layScales(g);
    return g;
}

std::optional<ChartGeometry> ChartGeometry::compute(ChartRect r, const LogStore& store,
                                                    const ChartShown& shown) {
    if (!drawable(store)) return std::nullopt;
    ChartGeometry g;
    g.area = r;
    takeStore(g, store);
    takeShown(g, store, shown);
    layBands(g);
    layScales(g);
    return g;
}

int ChartGeometry::xOfRecord(uint32_t k) const {
    k = std::min(k, recordCount - 1);
    if (k == 0) return plot.left;
    return toPixel(k * xPerRec + plot.left);
}

int ChartGeometry::yOfValue(double v) const {
    const double span = static_cast<double>(axisMax) - axisMin;
    return toPixel(plot.bottom - (v - axisMin) / span * plotH);
}

float ChartGeometry::shownValue(int channel, float v) const {
    const bool inFahrenheit =
        channel >= 0 && channel < kChannels && fahrenheit[static_cast<std::size_t>(channel)];
    return inFahrenheit ? toFahrenheit(v) : v;
}

ChartRect ChartGeometry::limitLabelRect(int y) const {
    const int half = toPixel(lh);
    return {plot.right + std::max(3, mXi / 16), y - half, area.right, y + half};
}

uint32_t ChartGeometry::recordAtX(int x) const {
    if (recordCount < 2 || plotW <= 0) return 0;
    const double nearest = std::round((x - plot.left) / xPerRec);
    return static_cast<uint32_t>(std::clamp(nearest, 0.0, recordCount - 1.0));
}

// An estimate by division, then stepped on the exact pixel positions, so that
// float rounding never moves an edge record to the wrong side.
uint32_t ChartGeometry::firstRecordFrom(int64_t x) const {
    const uint32_t n = recordCount;
    if (!(xPerRec > 0) || std::isinf(xPerRec)) return plot.left >= x ? 0 : n;
    const double estimate = std::ceil((x - plot.left) / xPerRec);
    auto k = static_cast<uint32_t>(std::clamp(estimate, 0.0, static_cast<double>(n)));
    while (k > 0 && xOfRecord(k - 1) >= x) --k;
    while (k < n && xOfRecord(k) < x) ++k;
    return k;
}

ChartGeometry::RecordSpan ChartGeometry::recordsBetween(int x1, int x2) const {
    const int64_t low = std::min(x1, x2);
    const int64_t high = std::max(x1, x2);
    return {static_cast<int32_t>(firstRecordFrom(low)),
            static_cast<int32_t>(firstRecordFrom(high + 1))};
}

ChartGeometry::RecordSpan ChartGeometry::zoomSpan(int x1, int x2) const {
    const int64_t low = std::min(x1, x2);
    const int64_t high = std::max(x1, x2);
    if (firstRecordFrom(low + 1) >= firstRecordFrom(high)) return {0, 0};
    return recordsBetween(x1, x2);
}

ChartRect ChartGeometry::rowRect(int row) const {
    const int top = summary.top + row * rowH;
    return {textLeft, top, summary.right, top + rowH};
}

int ChartGeometry::gridX(int i) const {
    return toPixel(i * xGrid + plot.left) + 1;
}

int ChartGeometry::valueTickY(int k) const {
    return yOfValue(axisMax - static_cast<double>(k) * axisStep / kTicksPerDivision);
}

int ChartGeometry::valueTickLength(int k) const {
    return isValueLabelTick(k) ? mXi / 8 : mXi / 16;
}

int ChartGeometry::valueLabel(int k) const {
    return static_cast<int>(axisMax - static_cast<int64_t>(k / kTicksPerDivision) * axisStep);
}

ChartRect ChartGeometry::valueLabelRect(int k) const {
    const int y = valueTickY(k);
    const int half = toPixel(lh);
    return {area.left, y - half, area.left + toPixel(0.95 * mX), y + half};
}

ChartRect ChartGeometry::valueAxisTitleRect() const {
    return {toPixel(area.left + mX / 3), plot.top, toPixel(area.left + mX), plot.bottom};
}

int ChartGeometry::timeTickX(int i) const {
    return i < kTimeTicks - 1 ? plot.right - toPixel(i * mX / 5) : plot.left - 1;
}

int ChartGeometry::timeTickLength(int i) const {
    return isTimeLabelTick(i) ? mXi / 8 : mXi / 16;
}

// The record under the tick, truncated as the labels always were; one record
// (xPerRec infinite) labels every tick with record 0.
uint32_t ChartGeometry::timeLabelRecord(int i) const {
    if (recordCount < 2 || !(xPerRec > 0)) return 0;
    const double under = std::trunc((timeTickX(i) - plot.left) / xPerRec);
    return static_cast<uint32_t>(std::clamp(under, 0.0, recordCount - 1.0));
}

ChartRect ChartGeometry::timeLabelRect(int i) const {
    const int x = timeTickX(i);
    return {x - mXi, toPixel(area.bottom - 0.1 * availH), x + mXi,
            toPixel(area.bottom - 0.05 * availH)};
}

ChartRect ChartGeometry::dateLabelRect(int i) const {
    const int x = timeTickX(i);
    return {x - mXi, toPixel(area.bottom - 0.05 * availH), x + mXi, area.bottom};
}

ChartRect ChartGeometry::legendBox(int channel) const {
    const ChartRect row = rowRect(channel);
    const int h = row.bottom - row.top;
    const int ym = (row.top + row.bottom) / 2;
    const int x = toPixel(colW / 1.2 + area.left);
    return {x - h / 2, toPixel(ym - h / 2.5), x + h / 2, toPixel(ym + h / 2.5)};
}

ChartLine ChartGeometry::legendLine(int channel) const {
    const ChartRect row = rowRect(channel);
    const int h = row.bottom - row.top;
    const int ym = (row.top + row.bottom) / 2;
    const int x = toPixel(colW / 1.2 + area.left);
    const int d = (channelCount == 1 ? 3 : 6) * (h / 4);
    return {x - d, ym, x + d, ym};
}

int ChartGeometry::paperTitleFont(const ChartGeometry& g) {
    return toPixel((g.title.bottom - g.title.top) / 2.5);
}

int ChartGeometry::paperTextFont(const ChartGeometry& g) {
    return (g.title.bottom - g.title.top) / 5;
}

ChartFontHeights ChartGeometry::fontHeights(bool paper, int baseFontHeight) const {
    if (paper) return {paperTitleFont(*this), paperTextFont(*this)};
    const int title = toPixel(1.5 * baseFontHeight);
    return {title, toPixel(title / 1.5)};
}
