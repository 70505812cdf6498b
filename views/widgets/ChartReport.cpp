#include "views/widgets/ChartReport.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <algorithm>
#include <string>
#include <vector>

#include "record/AppData.h"
#include "views/LimitTexts.h"
#include "views/widgets/ChartPainter.h"

namespace {

// Fine enough that the thinnest lines and the smallest labels stay sharp.
constexpr int kPdfResolution = 600;

QString toQString(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QRect toQRect(const ChartRect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int channelsOf(const AppData& data) {
    return static_cast<int>(std::min<uint32_t>(data.log.store.channelCount, kChannels));
}

// One line per channel with a limit set, for below the chart.
std::vector<std::string> limitLines(const AppData& data) {
    std::vector<std::string> lines;
    for (int c = 0; c < channelsOf(data); ++c) {
        std::string line =
            limitsReportLine(data.log.store, c, data.display.limits[c], data.display.fahrenheit);
        if (!line.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

// A line's height: half as much again as the text font of the whole page's
// chart, so the lines never crowd whatever the page.
int linePitch(const QRect& page, const AppData& data, const ChartPaintOptions& paper) {
    const ChartRect whole{0, 0, page.width(), page.height()};
    const auto g = ChartGeometry::compute(whole, data.log.store, ChartShown::of(data));
    return g ? g->fontHeights(paper.paper, paper.baseFontHeight).text * 3 / 2 : 0;
}

// At the right end of the row, flush with the plot's right edge: the row's
// own text keeps its place.
void paintMktTexts(QPainter& p, const ChartGeometry& g, const AppData& data) {
    constexpr int kAlign = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
    for (int c = 0; c < channelsOf(data); ++c) {
        const std::string mkt = mktReportLine(data.log.store, c, data.display.activationEnergy,
                                              data.display.fahrenheit);
        if (mkt.empty()) continue;
        ChartRect row = g.rowRect(c + 1);
        row.right = g.plot.right;
        p.drawText(toQRect(row), kAlign, toQString(mkt));
    }
}

void paintLimitLines(QPainter& p, const ChartGeometry& g, const std::vector<std::string>& lines,
                     int pitch) {
    constexpr int kAlign = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    int top = g.area.bottom + pitch / 2;
    for (const std::string& line : lines) {
        p.drawText(QRect(g.plot.left, top, g.plot.right - g.plot.left, pitch), kAlign,
                   toQString(line));
        top += pitch;
    }
}

}  // namespace

std::optional<ChartGeometry> paintReportPage(QPagedPaintDevice& device, const AppData& data,
                                             bool* started) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    const bool began = painter.begin(&device);
    if (started) *started = began;
    if (!began) return std::nullopt;
    // The painter's origin is the top left corner of the printable area.
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    ChartPaintOptions paper;
    paper.paper = true;
    const std::vector<std::string> lines = limitLines(data);
    const int pitch = lines.empty() ? 0 : linePitch(page, data, paper);
    const int reserved = lines.empty() ? 0 : static_cast<int>(lines.size()) * pitch + pitch / 2;
    std::optional<ChartGeometry> geometry =
        paintChart(painter, QRect(0, 0, page.width(), page.height() - reserved), data, paper);
    if (geometry) {
        painter.setFont(chartTextFont(*geometry, paper));
        painter.setPen(QPen(Qt::black));
        // A report without limits stays the page it always was; the MKT
        // comes with the limits, as both are the storage figures.
        if (!lines.empty()) paintMktTexts(painter, *geometry, data);
        paintLimitLines(painter, *geometry, lines, pitch);
    }
    painter.end();
    return geometry;
}

QPageSize localPaperSize() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
               ? QPageSize(QPageSize::Letter)
               : QPageSize(QPageSize::A4);
}

QByteArray reportPdf(const AppData& data, const QPageSize& paper) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool started = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(paper);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setTitle("Records Report");
        writer.setCreator("Dravin");
        paintReportPage(writer, data, &started);
    }
    return started ? bytes : QByteArray();
}
