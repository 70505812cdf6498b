#include "cli/render/ChartFiles.h"

#include <QColor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cerrno>
#include <clocale>
#include <memory>
#include <string_view>

#include "logdata/UserFiles.h"
#include "record/AppData.h"
#include "views/BitmapFile.h"
#include "views/PdfFile.h"
#include "views/widgets/ChartPainter.h"
#include "views/widgets/ChartReport.h"

namespace {

// The view's background, which shows wherever the chart does not paint.
const QColor kViewBackground(0, 192, 192);

QtMessageHandler qtHandler = nullptr;

// Qt's own warnings (a server has no runtime folder, and the like) would only
// clutter the error output of scripts: the exit status and the error line
// tell how the export went. Critical and fatal messages still go out.
void quietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) qtHandler(type, context, message);
}

// Fonts and painting need a GUI application. One that the process has
// already (a test's) is used as it is.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "dravin-cli";
    static char* argv[] = {name, nullptr};
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    // Qt took the user's locale; the system's reason for a failure stays in
    // English, as every other message of the tool.
    std::setlocale(LC_MESSAGES, "C");
    return application;
}

// As the view paints its picture, with the application font in place of the
// view's (a plain widget has that font).
QImage chartPicture(const AppData& data, PictureSize size) {
    QImage picture(size.width, size.height, QImage::Format_RGB32);
    if (picture.isNull()) return picture;
    picture.fill(kViewBackground);
    ChartPaintOptions options;
    options.baseFontHeight = QFontMetrics(QGuiApplication::font()).height();
    QPainter painter(&picture);
    paintChart(painter, picture.rect(), data, options);
    painter.end();
    return picture;
}

}  // namespace

Outcome exportChartBitmap(const std::string& path, const AppData& data, PictureSize size) {
    const auto application = guiApplication();
    const QImage picture = chartPicture(data, size);
    if (picture.isNull())
        return userFiles().refuse(
            {UserFileKind::BitmapExport, path, data.log.store.currentFilePath}, ENOMEM);
    const PixelRows rows{picture.constBits(), static_cast<size_t>(picture.bytesPerLine()),
                         picture.width(), picture.height()};
    return exportBitmapFile(path, rows, data.log.store.currentFilePath);
}

Outcome exportReportPdf(const std::string& path, const AppData& data) {
    const auto application = guiApplication();
    const QByteArray pdf = reportPdf(data, localPaperSize());
    return exportPdfFile(path, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())),
                         data.log.store.currentFilePath);
}
