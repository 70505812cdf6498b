#pragma once

#include <QFont>
#include <QRect>
#include <optional>

#include "views/ChartGeometry.h"

class QPainter;
struct AppData;

// How the curves reach the surface: one vertical span and one join per pixel
// column (fast, the same pixels), or one line per pair of records.
enum class CurveDrawing { PerColumn, EverySegment };

struct ChartPaintOptions {
    // Fonts by the paper rule: title trunc(T height / 2.5), text T height / 5.
    bool paper = false;
    // Screen and bitmap: title trunc(1.5 * base) pixels, text trunc(title / 1.5).
    int baseFontHeight = 16;
    CurveDrawing curves = CurveDrawing::PerColumn;
    // The values as stored, whatever data's limits and °F choice: no limit
    // lines, the store's own axis, units and figures.
    bool asStored = false;
};

// Paints the whole chart picture of data.log.store into r: title with the
// logger's name and serial number, summary and channel rows, grid, axes,
// the curves of the visible channels and their legend markers, and each
// visible channel's limits as dashed lines with their values right of the
// plot; "oC" channels in °F when data.display.fahrenheit is on. Paints
// nothing and returns nullopt when the store has nothing to draw; otherwise
// returns the layout drawn (its plot rectangle is what the mouse works on).
// The painter's state is as it was afterwards.
std::optional<ChartGeometry> paintChart(QPainter& painter, const QRect& r, const AppData& data,
                                        const ChartPaintOptions& options = {});

// The title and text fonts of a drawing with this layout and these options:
// Arial of the largest pixel size whose line (ascent plus descent) is the
// layout's font height or less.
QFont chartTitleFont(const ChartGeometry& g, const ChartPaintOptions& options);
QFont chartTextFont(const ChartGeometry& g, const ChartPaintOptions& options);
