#pragma once

#include <memory>
#include <optional>

#include "views/ChartGeometry.h"

struct LogStore;
struct LoggerSetup;

// What a surface's fonts make of the chart's texts, in pixels: a line's
// height (ascent plus descent) of the title and the text font, and the width
// of the widest text of each kind.
struct ChartTextSizes {
    int titleLine = 0;
    int textLine = 0;
    int titleWidth = 0;
    int rowWidth = 0;  // the summary and the channel rows
    int valueLabelWidth = 0;
    int valueAxisTitleWidth = 0;  // along the turned line
    int timeLabelWidth = 0;
    int dateLabelWidth = 0;
    int limitLabelWidth = 0;
};

// Whether the picture laid out as `g` gives each text room of its own: the
// title within its band; each row within its band and clear of its legend
// marker, the marker within the picture; the value labels clear of one
// another and of the turned axis title; the time and date labels clear of one
// another, within their bands and the picture; the limit values within the
// room right of the plot.
bool chartTextsFit(const ChartGeometry& g, const ChartTextSizes& sizes);

// The largest side smallestFittingSize tries.
inline constexpr int kLargestChartSide = 8192;

// The smallest width and height from which on `store`'s picture fits its
// texts of `sizes` at every larger side up to kLargestChartSide: the height
// with all the width there is, then the width at that height. Nothing when
// the largest picture does not fit or the store draws none.
std::optional<ChartRect> smallestFittingSize(const LogStore& store, const ChartTextSizes& sizes);

// The widest picture a log makes: four channels of the longest unit, every
// figure at the lowest value a logger sends, the most records, the most value
// divisions that limits can make, a name of the widest letters. At the size
// where its texts fit, every log's texts do.
struct WidestChart {
    std::unique_ptr<LogStore> store;
    std::unique_ptr<LoggerSetup> setup;
};
WidestChart widestChart();
