#include "views/widgets/ChartPainter.h"

#include <QFontMetrics>
#include <QHash>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "record/AppData.h"
#include "views/ChartColumns.h"
#include "views/ChartTexts.h"

namespace {

const QColor kChartBackground(245, 255, 245);
const QColor kGridColour(208, 208, 208);
const QColor kFrameColour(0, 64, 128);
const QColor kChannelColours[kChannels] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 0, 0),
                                           QColor(255, 201, 14)};
constexpr int kFrameWidth = 2;
// A printer's pixel is tiny: on paper a line is one screen pixel's share of
// the page, one pixel per this many rows of the page, so the curves, the grid
// and the frame show as they do on the screen.
constexpr int kPaperRowsPerLinePixel = 800;
constexpr int kSegmentBatch = 1024;

QRect toQRect(const ChartRect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

QString toQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

int lineScale(const ChartGeometry& g, const ChartPaintOptions& options) {
    const int height = g.area.bottom - g.area.top;
    return options.paper ? std::max(1, height / kPaperRowsPerLinePixel) : 1;
}

int shownChannels(const ChartGeometry& g) {
    return std::clamp(g.channelCount, 0, kChannels);
}

// Kept from one drawing to the next, so a redraw allocates nothing once the
// buffers have grown to the plot's width.
struct CurveBuffers {
    std::vector<ChartColumn> columns;
    std::vector<QLine> lines;
};

CurveBuffers& curveBuffers() {
    thread_local CurveBuffers buffers;
    return buffers;
}

void paintBackground(QPainter& p, const ChartGeometry& g, int w) {
    const QRect area = toQRect(g.area);
    p.fillRect(area, kChartBackground);
    p.setPen(QPen(Qt::black, w));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(0, 0, -1, -1));
}

void paintTitle(QPainter& p, const ChartGeometry& g, const AppData& data,
                const ChartPaintOptions& options) {
    p.setFont(chartTitleFont(g, options));
    p.drawText(toQRect(g.title), Qt::AlignCenter | Qt::TextSingleLine,
               toQString(chartTitleText(data.log.setup)));
}

void paintRows(QPainter& p, const ChartGeometry& g, const LogStore& store) {
    constexpr int kRowAlign = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    p.drawText(toQRect(g.rowRect(0)), kRowAlign, toQString(chartSummaryText(store)));
    for (int c = 1; c <= shownChannels(g); ++c) {
        const bool fahrenheit = g.fahrenheit[static_cast<std::size_t>(c - 1)];
        p.drawText(toQRect(g.rowRect(c)), kRowAlign,
                   toQString(chartChannelRowText(store, c, fahrenheit)));
    }
}

void paintGrid(QPainter& p, const ChartGeometry& g, int w) {
    p.setPen(QPen(kGridColour, w));
    for (int i = 1; i <= ChartGeometry::kGridColumns; ++i) {
        p.drawLine(g.gridX(i), g.plot.top, g.gridX(i), g.plot.bottom);
    }
    for (int k = 0; k < g.valueTickCount(); k += ChartGeometry::kTicksPerDivision) {
        if (g.hasGridLine(k))
            p.drawLine(g.plot.left, g.valueTickY(k), g.plot.right, g.valueTickY(k));
    }
}

// Under the frame and the curves, so that neither is hidden by a line; the
// values stand right of the plot, where nothing else is drawn.
void paintLimitLines(QPainter& p, const ChartGeometry& g, int w) {
    constexpr int kLabelAlign = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    for (int c = 0; c < shownChannels(g); ++c) {
        const ChannelLimit& limit = g.limits[static_cast<std::size_t>(c)];
        for (const std::optional<float>& value : {limit.high, limit.low}) {
            if (!value) continue;
            const QColor& colour = kChannelColours[c];
            const float shown = g.shownValue(c, *value);
            const int y = g.yOfValue(shown);
            p.setPen(QPen(colour, w, Qt::DashLine, Qt::FlatCap));
            p.drawLine(g.plot.left, y, g.plot.right - 1, y);
            p.drawText(toQRect(g.limitLabelRect(y)), kLabelAlign,
                       toQString(chartLimitLabelText(shown)));
        }
    }
}

void paintValueAxis(QPainter& p, const ChartGeometry& g, int w) {
    constexpr int kLabelAlign = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
    p.setPen(QPen(Qt::black, w));
    for (int k = 0; k < g.valueTickCount(); ++k) {
        const int y = g.valueTickY(k);
        p.drawLine(g.plot.left + g.valueTickLength(k), y, g.plot.left, y);
        if (!ChartGeometry::isValueLabelTick(k)) continue;
        p.drawText(toQRect(g.valueLabelRect(k)), kLabelAlign,
                   toQString(chartValueLabelText(g.valueLabel(k))));
    }
}

void paintTimeAxis(QPainter& p, const ChartGeometry& g, const LogStore& store) {
    constexpr int kLabelAlign = Qt::AlignCenter | Qt::TextSingleLine;
    for (int i = 0; i < ChartGeometry::kTimeTicks; ++i) {
        const int x = g.timeTickX(i);
        p.drawLine(x, g.plot.bottom - g.timeTickLength(i), x, g.plot.bottom);
        if (!ChartGeometry::isTimeLabelTick(i)) continue;
        const uint32_t record = g.timeLabelRecord(i);
        p.drawText(toQRect(g.timeLabelRect(i)), kLabelAlign,
                   toQString(chartTimeLabelText(store, record)));
        if (!ChartGeometry::isDateLabelTick(i)) continue;
        p.drawText(toQRect(g.dateLabelRect(i)), kLabelAlign,
                   toQString(chartDateLabelText(store, record)));
    }
}

// Turned a quarter left: the text starts at the rectangle's left edge, half
// way down it, and runs upwards, as a font turned by 90 degrees always put it.
void paintValueAxisTitle(QPainter& p, const ChartGeometry& g, const LogStore& store,
                         bool fahrenheit) {
    const ChartRect r = g.valueAxisTitleRect();
    const QFontMetrics metrics = p.fontMetrics();
    p.save();
    p.translate(r.left, r.top + (r.bottom - r.top - metrics.height()) / 2);
    p.rotate(-90);
    p.drawText(QPoint(0, metrics.ascent()), toQString(chartValueAxisTitle(store, fahrenheit)));
    p.restore();
}

void paintFrame(QPainter& p, const ChartGeometry& g, int w) {
    p.setPen(QPen(kFrameColour, kFrameWidth * w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const ChartRect& f = g.plot;
    const QPoint corners[] = {{f.left - 1, f.top},
                              {f.left - 1, f.bottom},
                              {f.right, f.bottom},
                              {f.right, f.top},
                              {f.left - 1, f.top}};
    p.drawPolyline(corners, static_cast<int>(std::size(corners)));
}

void drawColumns(QPainter& p, const ChartGeometry& g, int channel, std::span<const float> values) {
    CurveBuffers& buffers = curveBuffers();
    reduceToColumns(g, values, buffers.columns, channel);
    buffers.lines.clear();
    buffers.lines.reserve(2 * buffers.columns.size());
    const ChartColumn* previous = nullptr;
    for (const ChartColumn& column : buffers.columns) {
        if (previous)
            buffers.lines.emplace_back(previous->x, previous->lastY, column.x, column.firstY);
        buffers.lines.emplace_back(column.x, column.minY, column.x, column.maxY);
        previous = &column;
    }
    p.drawLines(buffers.lines.data(), static_cast<int>(buffers.lines.size()));
}

void drawEverySegment(QPainter& p, const ChartGeometry& g, int channel,
                      std::span<const float> values) {
    std::array<QLine, kSegmentBatch> batch;
    int used = 0;
    QPoint from(g.xOfRecord(0), g.yOfStored(channel, values[0]));
    for (uint32_t k = 1; k < values.size(); ++k) {
        const QPoint to(g.xOfRecord(k), g.yOfStored(channel, values[k]));
        batch[used++] = QLine(from, to);
        from = to;
        if (used == kSegmentBatch) {
            p.drawLines(batch.data(), used);
            used = 0;
        }
    }
    p.drawLines(batch.data(), used);
}

void paintLegendMarker(QPainter& p, const ChartGeometry& g, int channel, const QColor& colour) {
    p.fillRect(toQRect(g.legendBox(channel)), colour);
    const ChartLine line = g.legendLine(channel);
    p.drawLine(line.x1, line.y1, line.x2, line.y2);
}

// A log of one record has no segment to draw; its markers are drawn all the same.
void paintCurves(QPainter& p, const ChartGeometry& g, const AppData& data,
                 const ChartPaintOptions& options) {
    for (int c = 0; c < shownChannels(g); ++c) {
        if (!data.display.channelVisible[c]) continue;
        const QColor& colour = kChannelColours[c];
        p.setPen(QPen(colour, lineScale(g, options)));
        p.setBrush(colour);
        const std::span<const float> values(data.log.store.values[c].data(), g.recordCount);
        if (g.recordCount >= 2 && options.curves == CurveDrawing::PerColumn) {
            drawColumns(p, g, c, values);
        } else if (g.recordCount >= 2) {
            drawEverySegment(p, g, c, values);
        }
        paintLegendMarker(p, g, c + 1, colour);
    }
}

void paintPicture(QPainter& p, const ChartGeometry& g, const AppData& data,
                  const ChartPaintOptions& options) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBackgroundMode(Qt::TransparentMode);
    const int w = lineScale(g, options);
    paintBackground(p, g, w);
    paintTitle(p, g, data, options);
    p.setFont(chartTextFont(g, options));
    paintRows(p, g, data.log.store);
    paintGrid(p, g, w);
    paintLimitLines(p, g, w);
    paintValueAxis(p, g, w);
    paintTimeAxis(p, g, data.log.store);
    paintValueAxisTitle(p, g, data.log.store, !options.asStored && data.display.fahrenheit);
    paintFrame(p, g, w);
    paintCurves(p, g, data, options);
}

QFont arialOfPixelSize(int pixelSize, QFont::Weight weight) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixelSize));
    font.setWeight(weight);
    return font;
}

int lineHeightOf(int pixelSize, QFont::Weight weight) {
    const QFontMetrics metrics(arialOfPixelSize(pixelSize, weight));
    return metrics.ascent() + metrics.descent();
}

// A font's rounding moves its line height a pixel or so from its
// proportion; a few steps either way always settle it.
constexpr int kMostFittingSteps = 8;

// The largest pixel (em) size whose line, ascent plus descent, is at most
// `lineHeight`: the layout gives each text a band of its line's height, and
// a font of that pixel size stands some 12% taller.
int fittedPixelSize(int lineHeight, QFont::Weight weight) {
    if (lineHeight <= 1) return 1;
    const int measured = std::max(1, lineHeightOf(lineHeight, weight));
    int size = std::max<int>(1, static_cast<int64_t>(lineHeight) * lineHeight / measured);
    for (int i = 0; i < kMostFittingSteps && size > 1 && lineHeightOf(size, weight) > lineHeight;
         ++i) {
        --size;
    }
    for (int i = 0; i < kMostFittingSteps && lineHeightOf(size + 1, weight) <= lineHeight; ++i) {
        ++size;
    }
    return size;
}

// Measured once per height and weight: the view lays the chart out at
// every drawing.
QFont arial(int lineHeight, QFont::Weight weight) {
    thread_local QHash<QPair<int, int>, int> fitted;
    const QPair<int, int> key(lineHeight, static_cast<int>(weight));
    auto found = fitted.constFind(key);
    if (found == fitted.constEnd()) found = fitted.insert(key, fittedPixelSize(lineHeight, weight));
    return arialOfPixelSize(found.value(), weight);
}

}  // namespace

QFont chartTitleFont(const ChartGeometry& g, const ChartPaintOptions& options) {
    return arial(g.fontHeights(options.paper, options.baseFontHeight).title, QFont::Bold);
}

QFont chartTextFont(const ChartGeometry& g, const ChartPaintOptions& options) {
    return arial(g.fontHeights(options.paper, options.baseFontHeight).text, QFont::Thin);
}

std::optional<ChartGeometry> paintChart(QPainter& painter, const QRect& r, const AppData& data,
                                        const ChartPaintOptions& options) {
    const ChartRect area{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    const std::optional<ChartGeometry> g =
        options.asStored ? ChartGeometry::compute(area, data.log.store)
                         : ChartGeometry::compute(area, data.log.store, ChartShown::of(data));
    if (!g) return std::nullopt;
    painter.save();
    paintPicture(painter, *g, data, options);
    painter.restore();
    return g;
}
