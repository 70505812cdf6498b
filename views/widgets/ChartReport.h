#pragma once

#include <QByteArray>
#include <QPageSize>
#include <optional>

#include "views/ChartGeometry.h"

struct AppData;
class QPagedPaintDevice;
class QPrinter;

// The printed report: the chart picture on one landscape page, drawn for
// paper straight onto the page (text stays text in a PDF). Each temperature
// channel's MKT stands at the right end of its statistics row; each channel
// with limits has a line below the chart, whose picture is that much lower
// then. Without limits the picture fills the page as it always did.

// Paints the report onto `device`, turned to landscape first. The geometry of
// the page's picture; std::nullopt when the store has nothing to draw (the page
// stays blank) or the device could not be painted on (`started` false then).
std::optional<ChartGeometry> paintReportPage(QPagedPaintDevice& device, const AppData& data,
                                             bool* started = nullptr);

// The paper of the user's locale: Letter where the locale measures in inches,
// A4 elsewhere.
QPageSize localPaperSize();

// The report as a one-page landscape PDF of `paper`; empty when it could not
// be made.
QByteArray reportPdf(const AppData& data, const QPageSize& paper);
