#include "views/widgets/CLoggerView.h"

#include <QFocusEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>

#include "base/FrameUi.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "ui/widgets/ResourceImages.h"
#include "ui/widgets/WindowTexts.h"
#include "views/CursorReadout.h"
#include "views/widgets/ChartMinimum.h"
#include "views/widgets/ChartPainter.h"

namespace {

const QColor kViewBackground(0, 192, 192);

constexpr std::array<const char*, 4> kShowChannelTexts = {
    QT_TRANSLATE_NOOP("Dravin", "Show 1st CH"), QT_TRANSLATE_NOOP("Dravin", "Show 2nd CH"),
    QT_TRANSLATE_NOOP("Dravin", "Show 3rd CH"), QT_TRANSLATE_NOOP("Dravin", "Show 4th CH")};

}  // namespace

CLoggerView::CLoggerView(AppData& data, FrameUi& ui, QWidget* parent)
    : QWidget(parent), data_(data), ui_(ui) {
    setObjectName("loggerView");
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, kViewBackground);
    setPalette(background);
    // The cursor read-out follows the pointer without a button held.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void CLoggerView::drawChart() {
    repaintPicture();
    forgetCursor();
    update();
}

void CLoggerView::forgetCursor() {
    removeCursorLine();
    if (readoutShown_) {
        readoutShown_ = false;
        emit readoutCleared();
    }
}

int CLoggerView::baseFontHeight() const {
    return QFontMetrics(font()).height();
}

// The store is read afresh: a realtime sample may have changed it since the
// last picture.
std::optional<ChartGeometry> CLoggerView::currentGeometry() const {
    return ChartGeometry::compute(ChartRect{0, 0, width(), height()}, data_.log.store,
                                  ChartShown::of(data_));
}

std::optional<ChartGeometry> CLoggerView::paintPicture(QImage& image, QSize size) const {
    const qreal ratio = devicePixelRatioF();
    image = QImage(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kViewBackground);
    QPainter painter(&image);
    ChartPaintOptions options;
    options.baseFontHeight = baseFontHeight();
    return paintChart(painter, QRect(QPoint(0, 0), size), data_, options);
}

QSize CLoggerView::smallestReadableSize() const {
    return smallestReadableChart(baseFontHeight());
}

QImage CLoggerView::renderPicture(QSize size) const {
    QImage image;
    paintPicture(image, size);
    return image;
}

void CLoggerView::repaintPicture() {
    pictureStale_ = false;
    std::optional<ChartGeometry> geometry = paintPicture(picture_, size());
    if (geometry) {
        plotRect = geometry->plot;
    } else {
        picture_ = QImage();
    }
}

void CLoggerView::paintEvent(QPaintEvent*) {
    if (pictureStale_) repaintPicture();
    if (picture_.isNull()) return;  // the window background shows
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    QPen dotted(Qt::black, 1, Qt::DotLine);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    if (cursorLineX != 0) painter.drawLine(cursorLineX, plotRect.top, cursorLineX, plotRect.bottom);
    if (dragging && dragCurrent != dragStart) painter.drawRect(zoomBox());
}

void CLoggerView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    pictureStale_ = true;
    forgetCursor();
}

bool CLoggerView::insidePlot(const ChartGeometry& geometry, QPoint point) const {
    const ChartRect& p = geometry.plot;
    return point.x() >= p.left && point.x() <= p.right && point.y() >= p.top &&
           point.y() <= p.bottom;
}

QRect CLoggerView::cursorLineArea(int x) const {
    return QRect(x - 1, plotRect.top - 1, 3, plotRect.bottom - plotRect.top + 3);
}

QRect CLoggerView::zoomBox() const {
    return QRect(dragStart, dragCurrent).normalized();
}

void CLoggerView::removeCursorLine() {
    if (cursorLineX != 0) update(cursorLineArea(cursorLineX));
    cursorLineX = 0;
    cursorLineY = 0;
}

void CLoggerView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    std::optional<ChartGeometry> geometry = currentGeometry();
    const bool zoomable = geometry && data_.log.store.recordCount > 1 && insidePlot(*geometry, pos);
    if (event->button() == Qt::LeftButton && zoomable && !data_.link.realtimeActive) {
        setCursor(resourceCursor(kZoomCursor));
        dragging = true;
        dragStart = dragCurrent = pos;
    } else if (event->button() == Qt::RightButton && zoomable) {
        setCursor(resourceCursor(kZoomCursor));
    }
    QWidget::mousePressEvent(event);
}

void CLoggerView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    std::optional<ChartGeometry> geometry = currentGeometry();
    if (data_.link.realtimeActive || !geometry || !insidePlot(*geometry, pos)) {
        removeCursorLine();
        unsetCursor();
    } else if (dragging) {
        setCursor(resourceCursor(kZoomCursor));
        const QRect before = zoomBox();
        dragCurrent = pos;
        update(before.united(zoomBox()).adjusted(-1, -1, 2, 2));
    } else {
        setCursor(resourceCursor(kZoomCursor));
        moveCursorLine(pos);
        showReadout(*geometry, pos.x());
    }
    QWidget::mouseMoveEvent(event);
}

// After a repaint the line the user last saw is forgotten and none is drawn;
// the move after that draws one again.
void CLoggerView::moveCursorLine(QPoint point) {
    removeCursorLine();
    if (cursorStale) {
        cursorStale = false;
        return;
    }
    cursorLineX = point.x();
    cursorLineY = point.y();
    update(cursorLineArea(cursorLineX));
}

void CLoggerView::showReadout(const ChartGeometry& geometry, int x) {
    const CursorReadout readout = cursorReadout(data_.log.store, geometry.recordAtX(x),
                                                data_.display.limits, data_.display.fahrenheit);
    QStringList values;
    for (const std::string& value : readout.values) values << QString::fromStdString(value);
    readoutShown_ = true;
    emit readoutChanged(QString::fromStdString(readout.time), values);
}

void CLoggerView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    std::optional<ChartGeometry> geometry = currentGeometry();
    const bool inside = geometry && insidePlot(*geometry, pos);
    if (event->button() == Qt::LeftButton) {
        if (inside) {
            setCursor(resourceCursor(kZoomCursor));
        } else {
            unsetCursor();
        }
        if (dragging) endDrag();
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (event->button() != Qt::RightButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (data_.log.store.recordCount >= 1) {
        if (inside && !data_.link.realtimeActive) {
            setCursor(resourceCursor(kZoomCursor));
            loadLogFile(data_, ui_);
        } else {
            openDisplayMenu(event->globalPosition().toPoint());
        }
    }
    removeCursorLine();
}

// A click without a move only suppresses the next cursor line. A box keeps
// the records drawn between its left and right edges; its height is ignored.
// A box with no record between its edges changes nothing.
void CLoggerView::endDrag() {
    dragging = false;
    cursorStale = true;
    if (dragCurrent == dragStart) return;
    update(zoomBox().adjusted(-1, -1, 2, 2));
    std::optional<ChartGeometry> geometry = currentGeometry();
    if (!geometry) return;
    const ChartGeometry::RecordSpan span = geometry->zoomSpan(dragStart.x(), dragCurrent.x());
    if (span.first >= span.end) return;
    data_.log.store.keepRange(span.first, span.end);
    drawChart();
    data_.events.rangeCut(CutBy::Zoom);
}

void CLoggerView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void CLoggerView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    cursorStale = true;
    update();
}

QMenu* CLoggerView::createDisplayMenu() {
    auto* menu = new QMenu(tr("Display"), this);
    menu->setObjectName("displayMenu");
    for (int c = 0; c < kChannels; ++c) {
        QAction* action = menu->addAction(windowText(kShowChannelTexts[c]));
        action->setData(kShowChannelFirst + c);
        action->setCheckable(true);
        // A channel the log does not have has nothing to show or hide.
        const bool logHasChannel = data_.log.store.channelCount >= static_cast<uint32_t>(c + 1);
        action->setEnabled(logHasChannel);
        action->setChecked(data_.display.channelVisible[c] != 0 && logHasChannel);
        connect(action, &QAction::triggered, this, [this, c] { toggleChannel(c + 1); });
    }
    return menu;
}

void CLoggerView::openDisplayMenu(QPoint globalPos) {
    QMenu* menu = createDisplayMenu();
    menu->exec(globalPos);
    delete menu;
    update();
}

void CLoggerView::toggleChannel(int channel) {
    if (channel < 1 || channel > kChannels) return;
    int& visible = data_.display.channelVisible[channel - 1];
    visible = !visible;
    drawChart();
    data_.events.displayChanged();
}
