// The main frame's commands: the route table that gives every command its
// rule and its handler, and the handlers of the logger commands.

#include <QAction>
#include <QPageSetupDialog>
#include <cstdio>

#include "app/CommandIds.h"
#include "app/widgets/CAboutDlg.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CommandTable.h"
#include "app/widgets/LogRecordCommands.h"
#include "app/widgets/OutputCommands.h"
#include "app/widgets/PaneManager.h"
#include "link/widgets/CDSLCom.h"
#include "link/widgets/CDeleModeDlg.h"
#include "link/widgets/CDownModeDlg.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr const char* kNoDeviceText = QT_TRANSLATE_NOOP(
    "Dravin",
    "Did not find any devices connected to a USB port. \r\nPlease check all the connections and "
    "cables, and try again. \r\nIf a logger is connected, you may have to restart Corvane "
    "software or your computer for the device to be recognized.");
constexpr const char* kConnectFailedFormat =
    QT_TRANSLATE_NOOP("Dravin", "Connect failed: COM%d can not be opened.");
// Room for the text in any language (a Chinese character is three bytes).
constexpr int kConnectFailedSize = 160;

}  // namespace

std::span<const CMainFrame::CommandRoute> CMainFrame::commandRoutes() {
    using enum CommandRule;
    // id, caption, toolbar position, prompt and short name, picture, key, rule, handler
    static constexpr CommandRoute kRoutes[] = {
        {ID_FILE_NEW, nullptr, 0, nullptr, nullptr, "Ctrl+N", WhenNotRealtime,
         [](CMainFrame& f) { f.doc_.newDocument(); }},
        {ID_FILE_OPEN, QT_TRANSLATE_NOOP("Dravin", "Open(&O)...\tCtrl+O"), 1,
         QT_TRANSLATE_NOOP("Dravin", "Open\nOpen"), ":/res/toolbar/open.svg", "Ctrl+O",
         WhenNotRealtime, [](CMainFrame& f) { f.onFileOpen(); }},
        // A log without a record is no log: the program would refuse to open it.
        {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("Dravin", "Save As(&S)"), 2,
         QT_TRANSLATE_NOOP("Dravin", "Save As\nSave As"), ":/res/toolbar/saveas.svg", nullptr,
         WhenRecords, [](CMainFrame& f) { f.onFileSaveAs(); }},
        {ID_SAVE_EXCEL, QT_TRANSLATE_NOOP("Dravin", "Save to &Excel...\tCtrl+E"), 16,
         QT_TRANSLATE_NOOP("Dravin", "Save to Excel\nEXCEL"), ":/res/toolbar/excel.svg", "Ctrl+E",
         WhenRecords, exportSpreadsheet},
        {ID_SAVE_TXT, QT_TRANSLATE_NOOP("Dravin", "Save to &Txt...\tCtrl+T"), 17,
         QT_TRANSLATE_NOOP("Dravin", "Save to Txt\nTXT"), ":/res/toolbar/txt.svg", "Ctrl+T",
         WhenRecords, exportText},
        {ID_SAVE_BMP, QT_TRANSLATE_NOOP("Dravin", "Save to &BMP...\tCtrl+J"), 18,
         QT_TRANSLATE_NOOP("Dravin", "Save to BMP\nBMP"), ":/res/toolbar/bmp.svg", "Ctrl+J",
         WhenRecords, exportBitmap},
        {ID_SAVE_PDF, QT_TRANSLATE_NOOP("Dravin", "Save to P&DF..."), 0,
         QT_TRANSLATE_NOOP("Dravin", "Save the report as a PDF file\nPDF"), nullptr, nullptr,
         WhenRecords, saveReportPdf},
        {ID_SAVE_CSV, QT_TRANSLATE_NOOP("Dravin", "Save to CSV..."), 0,
         QT_TRANSLATE_NOOP("Dravin", "Save to CSV\nCSV"), nullptr, nullptr, WhenRecords, exportCsv},
        {ID_FILE_PRINT, QT_TRANSLATE_NOOP("Dravin", "Print(&P)...\tCtrl+P"), 3,
         QT_TRANSLATE_NOOP("Dravin", "Print\nPrint"), ":/res/toolbar/print.svg", "Ctrl+P", Always,
         [](CMainFrame& f) { printReport(f, true); }},
        {ID_FILE_PRINT_DIRECT, nullptr, 0, nullptr, nullptr, nullptr, Always,
         [](CMainFrame& f) { printReport(f, false); }},
        {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("Dravin", "Print Preview(&V)"), 4,
         QT_TRANSLATE_NOOP("Dravin", "Preview\nPreview"), ":/res/toolbar/preview.svg", nullptr,
         Always, previewReport},
        {ID_FILE_PAGE_SETUP, QT_TRANSLATE_NOOP("Dravin", "Printer Setup(&R)..."), 0,
         QT_TRANSLATE_NOOP("Dravin", "Printer\nPrinter"), nullptr, nullptr, Always,
         [](CMainFrame& f) { QPageSetupDialog(&f.printer(), &f).exec(); }},
        // Each entry of the list opens through its own action.
        {ID_FILE_MRU_FIRST, QT_TRANSLATE_NOOP("Dravin", "Recent"), 0,
         QT_TRANSLATE_NOOP("Dravin", "Open this document"), nullptr, nullptr, WhenNotRealtime,
         nullptr},
        {ID_APP_EXIT, QT_TRANSLATE_NOOP("Dravin", "Exit(&X)"), 0,
         QT_TRANSLATE_NOOP("Dravin", "Exit\nExit"), nullptr, nullptr, Always,
         [](CMainFrame& f) { f.close(); }},
        {ID_CONNECT, QT_TRANSLATE_NOOP("Dravin", "Connect(&C)"), 5,
         QT_TRANSLATE_NOOP("Dravin", "Connect\nConnect"), ":/res/toolbar/connect.svg", nullptr,
         WhenDisconnectedNotRealtime, [](CMainFrame& f) { f.onConnect(); }},
        {ID_DISCONNECT, QT_TRANSLATE_NOOP("Dravin", "Disconnect(&D)"), 6,
         QT_TRANSLATE_NOOP("Dravin", "Disconnect\nDisconnect"), ":/res/toolbar/disconnect.svg",
         nullptr, WhenConnectedNotRealtime, [](CMainFrame& f) { f.engine_.disconnect(); }},
        {ID_COM_PORT, QT_TRANSLATE_NOOP("Dravin", "Com Port(&T)"), 0,
         QT_TRANSLATE_NOOP("Dravin", "Comm\nComm"), nullptr, nullptr, WhenDisconnected,
         [](CMainFrame& f) { CDSLCom(f.data_.settings, f.options_.deviceDir, &f).exec(); }},
        {ID_MENU_DOWNLOAD, QT_TRANSLATE_NOOP("Dravin", "Download(&L)"), 0,
         QT_TRANSLATE_NOOP("Dravin", "Download\nDownload"), nullptr, nullptr,
         WhenConnectedNotRealtime, [](CMainFrame& f) { f.onDownload(); }},
        {ID_SETUP, QT_TRANSLATE_NOOP("Dravin", "Setup(&P)"), 7,
         QT_TRANSLATE_NOOP("Dravin", "Setup"), ":/res/toolbar/setup.svg", nullptr,
         WhenConnectedNotRealtime, [](CMainFrame& f) { f.showPaneAlone(kPaneSetup); }},
        {ID_DOWNLOAD, nullptr, 8, QT_TRANSLATE_NOOP("Dravin", "Download\nDownload"),
         ":/res/toolbar/download.svg", nullptr, WhenConnectedNotRealtime,
         [](CMainFrame& f) { f.onDownload(); }},
        {ID_DELETE, QT_TRANSLATE_NOOP("Dravin", "Delete(&E)"), 9,
         QT_TRANSLATE_NOOP("Dravin", "Delete\nDelete"), ":/res/toolbar/delete.svg", nullptr,
         WhenConnectedNotRealtime, [](CMainFrame& f) { f.onDelete(); }},
        {ID_REALTIME, QT_TRANSLATE_NOOP("Dravin", "Realtime(&R)"), 10,
         QT_TRANSLATE_NOOP("Dravin", "Realtime\nRealtime"), ":/res/toolbar/realtime.svg", nullptr,
         WhenConnectedNotRealtime, [](CMainFrame& f) { f.engine_.startRealtime(); }},
        {ID_STOP, QT_TRANSLATE_NOOP("Dravin", "Stop(&S)"), 11,
         QT_TRANSLATE_NOOP("Dravin", "Stop\nStop"), ":/res/toolbar/stop.svg", nullptr,
         WhenConnectedRealtime, [](CMainFrame& f) { f.engine_.stopRealtime(); }},
        {ID_FILE_LIST, QT_TRANSLATE_NOOP("Dravin", "File List(&F)"), 12,
         QT_TRANSLATE_NOOP("Dravin", "File List"), ":/res/toolbar/filelist.svg", nullptr, Always,
         [](CMainFrame& f) { f.showPaneFilled(kPaneFileList); }},
        // A snapshot: the list shows the store as it is now until the next time.
        {ID_DATA_LIST, QT_TRANSLATE_NOOP("Dravin", "Data List(&A)"), 13,
         QT_TRANSLATE_NOOP("Dravin", "Data List"), ":/res/toolbar/datalist.svg", nullptr, Always,
         [](CMainFrame& f) { f.showPaneFilled(kPaneDataList); }},
        {ID_QUERY, QT_TRANSLATE_NOOP("Dravin", "Query(&Q)"), 14,
         QT_TRANSLATE_NOOP("Dravin", "Query"), ":/res/toolbar/query.svg", nullptr,
         WhenRecordsNotRealtime, [](CMainFrame& f) { f.showPaneAlone(kPaneQuery); }},
        {ID_ORIGINAL, QT_TRANSLATE_NOOP("Dravin", "100%(100%)"), 15,
         QT_TRANSLATE_NOOP("Dravin", "Original"), ":/res/toolbar/original.svg", nullptr,
         WhenRecordsNotRealtime, [](CMainFrame& f) { loadLogFile(f.data_, f.ui_); }},
        {ID_LIMITS, QT_TRANSLATE_NOOP("Dravin", "Limits"), 0, QT_TRANSLATE_NOOP("Dravin", "Limits"),
         nullptr, nullptr, Always, [](CMainFrame& f) { f.showPaneFilled(kPaneLimits); }},
        {ID_HISTORY, QT_TRANSLATE_NOOP("Dravin", "History..."), 0,
         QT_TRANSLATE_NOOP("Dravin", "The audit trail of the log on show"), nullptr, nullptr,
         WhenRecords, showLogHistory},
        {ID_SIGN, QT_TRANSLATE_NOOP("Dravin", "Sign..."), 0,
         QT_TRANSLATE_NOOP("Dravin", "Sign the log on show as reviewed, approved or rejected"),
         nullptr, nullptr, WhenRecordsNotRealtime, signShownLog},
        {ID_FAHRENHEIT, QT_TRANSLATE_NOOP("Dravin", "Temperatures in °F"), 0,
         QT_TRANSLATE_NOOP("Dravin", "Show temperatures in °F\n°F"), nullptr, nullptr, Always,
         [](CMainFrame& f) { f.setFahrenheit(!f.data_.display.fahrenheit); }},
        {ID_APP_ABOUT, QT_TRANSLATE_NOOP("Dravin", "About Dravin(&A)..."), 19,
         QT_TRANSLATE_NOOP("Dravin", "About Dravin\nAbout"), ":/res/toolbar/about.svg", nullptr,
         Always, [](CMainFrame& f) { CAboutDlg(&f).exec(); }},
        {ID_NEXT_PANE, nullptr, 0, nullptr, nullptr, "F6", Always,
         [](CMainFrame& f) { f.focusNextChild(); }},
        {ID_PREV_PANE, nullptr, 0, nullptr, nullptr, "Shift+F6", Always,
         [](CMainFrame& f) { f.focusPreviousChild(); }},
    };
    return kRoutes;
}

CommandRule CMainFrame::commandRule(int id) {
    // The entries of the recent-file list share the list's row.
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) id = ID_FILE_MRU_FIRST;
    const CommandRoute* route = findCommand(id);
    return route ? route->rule : CommandRule::Always;
}

bool CMainFrame::commandEnabled(int id) const {
    return ruleAllows(commandRule(id), data_);
}

void CMainFrame::onCommand(int id) {
    if (!commandEnabled(id)) return;
    const CommandRoute* route = findCommand(id);
    if (route && route->run) route->run(*this);
    updateCommandStates();
}

void CMainFrame::updateCommandStates() {
    // The first step gives way to "Ready" once a log shows or a logger is connected.
    if (messageIdle_ && messageText_ != idleMessage()) setMessagePane(idleMessage(), true);
    for (const auto& [id, action] : actions_) action->setEnabled(commandEnabled(id));
    for (QAction* action : recentActions_) {
        action->setEnabled(commandEnabled(action->data().toInt()));
    }
}

void CMainFrame::onConnect() {
    // Without the system's list there is nothing to search and nothing to say.
    if (!deviceListAvailable(options_.deviceDir)) return;
    std::vector<SerialDevice> devices = listSerialDevices(options_.deviceDir);
    if (devices.empty()) {
        ui_.showMessage(windowText(kNoDeviceText).toStdString());
        return;
    }
    // The last adapter found wins; with several the user confirms it.
    data_.settings.comPort = devices.back().comNumber;
    if (devices.size() > 1) {
        CDSLCom dialog(data_.settings, options_.deviceDir, this);
        if (dialog.exec() != QDialog::Accepted) return;
    }
    if (!port_.OpenPort(this, data_.settings.comPort, data_.settings.baudRate,
                        data_.link.rxBuffer.data())) {
        char text[kConnectFailedSize];
        const std::string format = windowText(kConnectFailedFormat).toStdString();
        std::snprintf(text, sizeof text, format.c_str(), data_.settings.comPort);
        ui_.showMessage(text);
        return;
    }
    port_.StartThread();
    engine_.startIdentify();
}

void CMainFrame::onDownload() {
    switch (CDownModeDlg(this).exec()) {
        case CDownModeDlg::kAutoLogs:
            engine_.startAutoDownload();
            break;
        case CDownModeDlg::kManuLogs:
            engine_.startManuDownload();
            break;
        default:
            break;
    }
}

void CMainFrame::onDelete() {
    switch (CDeleModeDlg(this).exec()) {
        case CDeleModeDlg::kAutoLogs:
            engine_.deleteAutoLogs();
            break;
        case CDeleModeDlg::kManuLogs:
            engine_.deleteManuLogs();
            break;
        default:
            break;
    }
}

void CMainFrame::readSetup() {
    engine_.readSetup();
    updateCommandStates();
}

void CMainFrame::syncSetup() {
    engine_.syncSetup();
    updateCommandStates();
}
