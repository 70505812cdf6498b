#include "views/widgets/ChartMinimum.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <initializer_list>
#include <string>

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "views/ChartFit.h"
#include "views/ChartTexts.h"
#include "views/widgets/ChartPainter.h"

namespace {

int lineHeight(const QFontMetrics& metrics) {
    return metrics.ascent() + metrics.descent();
}

int widestOf(const QFontMetrics& metrics, std::initializer_list<std::string> texts) {
    int widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
    return widest;
}

// Two and three channels put their units side by side along the axis.
int widestAxisTitle(const QFontMetrics& metrics, LogStore& store) {
    const uint32_t channels = store.channelCount;
    int widest = 0;
    for (uint32_t count = 1; count <= kChannels; ++count) {
        store.channelCount = count;
        widest = std::max(widest, widestOf(metrics, {chartValueAxisTitle(store)}));
    }
    store.channelCount = channels;
    return widest;
}

ChartTextSizes measure(const ChartGeometry& g, const ChartPaintOptions& options,
                       const WidestChart& chart) {
    LogStore& store = *chart.store;
    const QFontMetrics title(chartTitleFont(g, options));
    const QFontMetrics text(chartTextFont(g, options));
    ChartTextSizes sizes;
    sizes.titleLine = lineHeight(title);
    sizes.textLine = lineHeight(text);
    sizes.titleWidth = widestOf(title, {chartTitleText(*chart.setup)});
    sizes.rowWidth = widestOf(text, {chartSummaryText(store), chartChannelRowText(store, 1),
                                     chartChannelRowText(store, kChannels)});
    sizes.valueLabelWidth =
        widestOf(text, {chartValueLabelText(store.axisMin), chartValueLabelText(store.axisMax)});
    sizes.valueAxisTitleWidth = widestAxisTitle(text, store);
    sizes.timeLabelWidth = widestOf(text, {chartTimeLabelText(store, 0)});
    sizes.dateLabelWidth = widestOf(text, {chartDateLabelText(store, 0)});
    sizes.limitLabelWidth = widestOf(text, {chartLimitLabelText(store.minValue[0])});
    return sizes;
}

}  // namespace

// The screen's fonts follow the base font, not the picture's size: any
// layout of the widest chart gives them.
QSize smallestReadableChart(int baseFontHeight) {
    const WidestChart chart = widestChart();
    constexpr ChartRect kAnyArea{0, 0, 1000, 600};
    const std::optional<ChartGeometry> g = ChartGeometry::compute(kAnyArea, *chart.store);
    if (!g) return {};
    ChartPaintOptions options;
    options.baseFontHeight = baseFontHeight;
    const std::optional<ChartRect> size =
        smallestFittingSize(*chart.store, measure(*g, options, chart));
    return size ? QSize(size->right - size->left, size->bottom - size->top) : QSize();
}
