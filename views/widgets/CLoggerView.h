#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>

#include "views/ChartGeometry.h"

struct AppData;
class FrameUi;
class QMenu;

// The chart view in the middle of the main frame: the picture of the log in
// the store, with the zoom box, the cursor read-out and the Display menu over
// it. The picture is painted once per change of the store into an image; the
// cursor line and the zoom box are drawn over that image, so moving the mouse
// never paints the curves again.
class CLoggerView : public QWidget {
    Q_OBJECT

public:
    // The Display menu's commands: show or hide channel 1 .. 4.
    static constexpr int kShowChannelFirst = 32855;
    static constexpr int kShowChannelLast = 32858;

    CLoggerView(AppData& data, FrameUi& ui, QWidget* parent = nullptr);

    // Brings the picture up to date with the store at once.
    void drawChart();
    // The picture is replaced: the cursor line and the read-out describe it
    // no longer. Removes the line, and the read-out if one was given.
    void forgetCursor();
    // Shows or hides the curve of channel 1 .. 4 and redraws.
    void toggleChannel(int channel);
    // The Display menu as it would open now (the caller owns it).
    QMenu* createDisplayMenu();
    // The picture as the view draws it, at `size` (the bitmap export).
    QImage renderPicture(QSize size) const;
    // The smallest size at which the picture of any log keeps every text
    // readable with the view's font.
    QSize smallestReadableSize() const;
    // The picture under the overlays; null while only the background shows.
    const QImage& picture() const { return picture_; }

    // The plot rectangle of the last screen drawing; all zero before it.
    ChartRect plotRect{};
    bool dragging = false;
    QPoint dragStart;
    QPoint dragCurrent;   // the last pointer position seen inside the plot during a drag
    int cursorLineX = 0;  // 0: no cursor line
    int cursorLineY = 0;
    // The picture was or is about to be renewed: the next move over the plot
    // draws no cursor line.
    bool cursorStale = false;

signals:
    // The status bar texts of the record under the cursor: its time, then the
    // four channel texts (empty beyond the log's channels).
    void readoutChanged(const QString& time, const QStringList& values);
    // The read-out describes nothing any more: the status bar shows none.
    void readoutCleared();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    std::optional<ChartGeometry> currentGeometry() const;
    bool insidePlot(const ChartGeometry& geometry, QPoint point) const;
    std::optional<ChartGeometry> paintPicture(QImage& image, QSize size) const;
    void repaintPicture();
    void moveCursorLine(QPoint point);
    void removeCursorLine();
    void showReadout(const ChartGeometry& geometry, int x);
    void endDrag();
    void openDisplayMenu(QPoint globalPos);
    QRect cursorLineArea(int x) const;
    QRect zoomBox() const;
    int baseFontHeight() const;

    AppData& data_;
    FrameUi& ui_;
    QImage picture_;  // null: nothing to show but the background
    bool pictureStale_ = true;
    bool readoutShown_ = false;  // since the last forgetCursor()
};
