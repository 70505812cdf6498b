#include "app/widgets/OutputCommands.h"

#include <QFileDialog>
#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cerrno>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/widgets/CMainFrame.h"
#include "logdata/UserFiles.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"
#include "views/BitmapFile.h"
#include "views/CsvExport.h"
#include "views/ExportPaths.h"
#include "views/PdfFile.h"
#include "views/TextExport.h"
#include "views/widgets/CLoggerView.h"
#include "views/widgets/ChartReport.h"

namespace {

constexpr const char* kDiskFullText = QT_TRANSLATE_NOOP("Dravin", "Disk full while accessing %1.");
constexpr const char* kPdfExportFailed = QT_TRANSLATE_NOOP("Dravin", "Failed to save to PDF file.");
constexpr const char* kPrintFailed = QT_TRANSLATE_NOOP("Dravin", "Could not start print job.");
constexpr const char* kPdfExtension = ".pdf";
constexpr const char* kCsvExtension = ".csv";

struct ExportFormat {
    const char* filter;
    const char* extension;
    const char* failedText;
};

constexpr ExportFormat kTextFormat{QT_TRANSLATE_NOOP("Dravin", "Text File(*.txt)"), kTextExtension,
                                   kTextExportFailed};
constexpr ExportFormat kSpreadsheetFormat{QT_TRANSLATE_NOOP("Dravin", "Excel File(*.xls)"),
                                          kSpreadsheetExtension, kSpreadsheetExportFailed};
constexpr ExportFormat kCsvFormat{QT_TRANSLATE_NOOP("Dravin", "CSV File(*.csv)"), kCsvExtension,
                                  kCsvExportFailed};
constexpr ExportFormat kBitmapFormat{QT_TRANSLATE_NOOP("Dravin", "Microsoft BMP File(*.bmp)"),
                                     kBitmapExtension, kBitmapExportFailed};
constexpr ExportFormat kPdfFormat{QT_TRANSLATE_NOOP("Dravin", "PDF File(*.pdf)"), kPdfExtension,
                                  kPdfExportFailed};

// The path the user chose with the format's extension added; std::nullopt when
// the user cancelled or would not replace the file that is there. The dialog
// does not ask about replacing: it knows only the path before the extension.
std::optional<std::string> chooseTarget(CMainFrame& frame, const ExportFormat& format) {
    QFileDialog dialog(&frame, QString(), frame.logFilesFolder(), windowText(format.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return exportTarget(dialog.selectedFiles().first().toStdString(), format.extension,
                        frame.frameUi());
}

// The window's words for a failed export: a full disk as such, any other
// failure with the format's own text.
void reportFailure(CMainFrame& frame, const ExportFormat& format, const std::string& path,
                   const Outcome& written) {
    if (written.ok()) return;
    // The core's failure texts are in the window's context too.
    std::string text = windowText(format.failedText).toStdString();
    if (written.error == ENOSPC || written.error == EDQUOT || written.error == EFBIG) {
        text = windowText(kDiskFullText).arg(QString::fromStdString(path)).toStdString();
    }
    frame.frameUi().showMessage(text);
}

void runExport(CMainFrame& frame, const ExportFormat& format,
               const std::function<Outcome(const std::string&)>& write) {
    std::optional<std::string> path = chooseTarget(frame, format);
    if (!path) return;
    reportFailure(frame, format, *path, write(*path));
}

// The printer as the user knows it: its name, or the file it prints into.
std::string printerTarget(const QPrinter& printer) {
    const QString file = printer.outputFileName();
    return (file.isEmpty() ? printer.printerName() : file).toStdString();
}

}  // namespace

void exportText(CMainFrame& frame) {
    const AppData& data = frame.appData();
    runExport(frame, kTextFormat,
              [&](const std::string& path) { return exportTextFile(path, data.log.store); });
}

void exportSpreadsheet(CMainFrame& frame) {
    const AppData& data = frame.appData();
    runExport(frame, kSpreadsheetFormat, [&](const std::string& path) {
        return exportSpreadsheetFile(path, data.log.store, data.log.setup);
    });
}

void exportCsv(CMainFrame& frame) {
    const AppData& data = frame.appData();
    runExport(frame, kCsvFormat, [&](const std::string& path) {
        return exportCsvFile(path, data.log.store, data.display.fahrenheit);
    });
}

// The picture exactly as the view shows it, at the view's size.
void exportBitmap(CMainFrame& frame) {
    runExport(frame, kBitmapFormat, [&](const std::string& path) {
        const QImage picture = frame.view()->renderPicture(frame.view()->size());
        const PixelRows rows{picture.constBits(), static_cast<size_t>(picture.bytesPerLine()),
                             picture.width(), picture.height()};
        return exportBitmapFile(path, rows, frame.appData().log.store.currentFilePath);
    });
}

void saveReportPdf(CMainFrame& frame) {
    const AppData& data = frame.appData();
    runExport(frame, kPdfFormat, [&](const std::string& path) {
        const QByteArray pdf = reportPdf(data, localPaperSize());
        return exportPdfFile(path,
                             std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())),
                             data.log.store.currentFilePath);
    });
}

void printReport(CMainFrame& frame, bool withDialog) {
    QPrinter& printer = frame.printer();
    printer.setPageOrientation(QPageLayout::Landscape);
    if (withDialog) {
        QPrintDialog dialog(&printer, &frame);
        if (dialog.exec() != QDialog::Accepted) return;
    }
    bool started = false;
    paintReportPage(printer, frame.appData(), &started);
    const std::string target = printerTarget(printer);
    const Outcome printed = started ? Outcome{OutcomeKind::Ok, target}
                                    : Outcome{OutcomeKind::FileFailed, target, ECANCELED};
    userFiles().tell(
        {UserFileKind::Printed, target, {}, frame.appData().log.store.currentFilePath, printed});
    if (!started) frame.frameUi().showMessage(windowText(kPrintFailed).toStdString());
    frame.closeAllPanes();
    frame.view()->forgetCursor();
}

void previewReport(CMainFrame& frame) {
    QPrinter& printer = frame.printer();
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, &frame);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &frame,
                     [&frame](QPrinter* page) { paintReportPage(*page, frame.appData()); });
    preview.exec();
    frame.closeAllPanes();
    // The preview stood over the chart, which the closed panes widen.
    frame.view()->forgetCursor();
}
