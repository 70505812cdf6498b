#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "logdata/ChannelLimits.h"
#include "logdata/ValueAxis.h"

struct AppData;
struct LogStore;

// A rectangle as the chart lays it out: right and bottom are exclusive.
struct ChartRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ChartRect&) const = default;
};

// A straight line between two pixels.
struct ChartLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const ChartLine&) const = default;
};

// Font heights in pixels, each the height of a line of its text (ascent plus
// descent): on paper they follow the title band, on the screen and in the
// bitmap the surface's base font height.
struct ChartFontHeights {
    int title = 0;
    int text = 0;
};

// What the chart shows beyond the store's own figures: the limit lines and
// whether "oC" channels show in °F. The default shows the store as it is.
struct ChartShown {
    ChannelLimits limits{};  // in the channels' stored units
    bool fahrenheit = false;

    // The limits of the channels data shows (a hidden channel draws no
    // line) and its °F choice.
    static ChartShown of(const AppData& data);
};

// A value axis: top, bottom and the step between labels.
using ChartAxis = ValueAxis;

// `axis` widened so that each value lies at least a twentieth of a step
// inside it (on an edge the frame would hide its line); the new edges are
// multiples of the step. Should that make more divisions than a label column
// holds, the step grows to what the store's rule picks for the new span.
ChartAxis axisWidenedTo(ChartAxis axis, std::span<const float> values);

// Where everything of the chart picture goes: the same layout serves the
// screen, the bitmap export and the printed page, only the rectangle differs.
struct ChartGeometry {
    static constexpr int kTimeTicks = 51;  // every fifth labelled, every tenth dated
    static constexpr int kGridColumns = 10;
    static constexpr int kTicksPerDivision = 5;

    ChartRect area;     // R, the drawing rectangle
    ChartRect title;    // T
    ChartRect summary;  // S
    double colW = 0;
    int rowH = 0;
    int textLeft = 0;
    double mX = 0;
    int mXi = 0;
    ChartRect plot;  // (PL, PT, PR, PB)
    int plotW = 0, plotH = 0;
    int availH = 0;
    int nDiv = 0;
    double lh = 0, xGrid = 0, yDiv = 0, ySub = 0, xPerRec = 0;
    uint32_t recordCount = 0;
    int channelCount = 0;
    // The value axis drawn: the store's, or for a chart in °F the one its
    // °F statistics give, widened to take in the limit lines.
    int32_t axisMax = 0, axisMin = 0, axisStep = 0;
    // Per channel index 0 .. 3: its values are drawn in °F; its limit lines.
    std::array<bool, kChannels> fahrenheit{};
    ChannelLimits limits{};

    // The layout of the picture of `store` in `r`; nullopt when nothing is
    // drawn: no record, no statistics yet (axisStep < 1), a channel count
    // outside 1..4 or an empty value axis (axisMax <= axisMin).
    static std::optional<ChartGeometry> compute(ChartRect r, const LogStore& store);
    // The same with limit lines and °F as `shown` asks; ChartShown{} lays
    // out exactly what the store alone does.
    static std::optional<ChartGeometry> compute(ChartRect r, const LogStore& store,
                                                const ChartShown& shown);

    // Record 0 at PL, record k at trunc(k * xPerRec + PL); k past the last
    // record is taken as the last.
    int xOfRecord(uint32_t k) const;
    // trunc(PB - (v - axisMin) / (axisMax - axisMin) * plotH), values far off
    // the plot (or no number at all) held a long way outside it.
    int yOfValue(double v) const;
    // A stored value of channel index 0 .. 3 as drawn (°F or as stored), and
    // where it is drawn.
    float shownValue(int channel, float v) const;
    int yOfStored(int channel, float v) const { return yOfValue(shownValue(channel, v)); }
    // Where a limit line's value is written: right of the plot, centred on y.
    ChartRect limitLabelRect(int y) const;
    // The record drawn nearest to x, limited to the valid records.
    uint32_t recordAtX(int x) const;
    // The records drawn within [min(x1, x2), max(x1, x2)]: first .. end - 1,
    // none when first >= end.
    struct RecordSpan {
        int32_t first;
        int32_t end;
    };
    RecordSpan recordsBetween(int x1, int x2) const;
    // What a zoom box with edges x1 and x2 keeps: the records within its
    // edges, or none when no record is drawn strictly between them (a click
    // that wobbled, a box between two records) so that it changes nothing.
    RecordSpan zoomSpan(int x1, int x2) const;
    // The first record drawn at or right of x; recordCount when there is none.
    uint32_t firstRecordFrom(int64_t x) const;

    // Row 0 is the summary, row c the statistics of channel c (1..4).
    ChartRect rowRect(int row) const;
    // Vertical grid line i = 1 .. kGridColumns.
    int gridX(int i) const;

    // Value ticks k = 0 .. 5 * nDiv from the top; every fifth is labelled
    // with a value that steps down by axisStep from axisMax.
    int valueTickCount() const { return kTicksPerDivision * nDiv + 1; }
    int valueTickY(int k) const;
    int valueTickLength(int k) const;
    static bool isValueLabelTick(int k) { return k % kTicksPerDivision == 0; }
    int valueLabel(int k) const;
    ChartRect valueLabelRect(int k) const;
    // A horizontal grid line at each labelled value above the plot's bottom edge.
    bool hasGridLine(int k) const { return isValueLabelTick(k) && valueTickY(k) < plot.bottom; }
    ChartRect valueAxisTitleRect() const;

    // Time ticks i = 0 .. kTimeTicks - 1 from the right edge leftwards.
    int timeTickX(int i) const;
    int timeTickLength(int i) const;
    static bool isTimeLabelTick(int i) { return i % 5 == 0; }
    static bool isDateLabelTick(int i) { return i % 10 == 0; }
    uint32_t timeLabelRecord(int i) const;
    ChartRect timeLabelRect(int i) const;
    ChartRect dateLabelRect(int i) const;

    // Channel c's (1..4) legend marker beside its statistics row.
    ChartRect legendBox(int channel) const;
    ChartLine legendLine(int channel) const;

    // trunc(T height / 2.5) and T height / 5.
    static int paperTitleFont(const ChartGeometry& g);
    static int paperTextFont(const ChartGeometry& g);
    // Paper as above; otherwise title trunc(1.5 * base), text trunc(title / 1.5).
    ChartFontHeights fontHeights(bool paper, int baseFontHeight) const;

    bool operator==(const ChartGeometry&) const = default;
};
