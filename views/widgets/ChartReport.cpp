#include "views/widgets/ChartReport.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "base/AppData.h"
#include "views/widgets/ChartPainter.h"

namespace {

// Fine enough that the thinnest lines and the smallest labels stay sharp.
constexpr int kPdfResolution = 600;

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
    std::optional<ChartGeometry> geometry =
        paintChart(painter, QRect(0, 0, page.width(), page.height()), data, paper);
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
