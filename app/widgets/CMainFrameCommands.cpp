// The main frame's commands: the route table that gives every command its
// rule and its handler, and the handlers of the logger commands.

#include <QAction>
#include <QPageSetupDialog>
#include <algorithm>
#include <cstdio>

#include "app/CommandIds.h"
#include "app/widgets/CAboutDlg.h"
#include "app/widgets/CLimitsPane.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/OutputCommands.h"
#include "app/widgets/PaneManager.h"
#include "app/widgets/WindowTexts.h"
#include "base/AppData.h"
#include "link/widgets/CDSLCom.h"
#include "link/widgets/CDeleModeDlg.h"
#include "link/widgets/CDownModeDlg.h"
#include "logdata/LogFile.h"
#include "views/widgets/CDataListPane.h"

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
    static constexpr CommandRoute kRoutes[] = {
        {ID_FILE_NEW, WhenNotRealtime, [](CMainFrame& f) { f.doc_.newDocument(); }},
        {ID_FILE_OPEN, WhenNotRealtime, [](CMainFrame& f) { f.onFileOpen(); }},
        // A log without a record is no log: the program would refuse to open it.
        {ID_FILE_SAVE_AS, WhenRecords, [](CMainFrame& f) { f.onFileSaveAs(); }},
        {ID_SAVE_EXCEL, WhenRecords, exportSpreadsheet},
        {ID_SAVE_TXT, WhenRecords, exportText},
        {ID_SAVE_CSV, WhenRecords, exportCsv},
        {ID_SAVE_BMP, WhenRecords, exportBitmap},
        {ID_SAVE_PDF, WhenRecords, saveReportPdf},
        {ID_FILE_PRINT, Always, [](CMainFrame& f) { printReport(f, true); }},
        {ID_FILE_PRINT_DIRECT, Always, [](CMainFrame& f) { printReport(f, false); }},
        {ID_FILE_PRINT_PREVIEW, Always, previewReport},
        {ID_FILE_PAGE_SETUP, Always,
         [](CMainFrame& f) { QPageSetupDialog(&f.printer(), &f).exec(); }},
        // Each entry of the list opens through its own action.
        {ID_FILE_MRU_FIRST, WhenNotRealtime, nullptr},
        {ID_APP_EXIT, Always, [](CMainFrame& f) { f.close(); }},
        {ID_CONNECT, WhenDisconnectedNotRealtime, [](CMainFrame& f) { f.onConnect(); }},
        {ID_DISCONNECT, WhenConnectedNotRealtime, [](CMainFrame& f) { f.engine_.disconnect(); }},
        {ID_COM_PORT, WhenDisconnected,
         [](CMainFrame& f) { CDSLCom(f.data_.settings, f.options_.deviceDir, &f).exec(); }},
        {ID_MENU_DOWNLOAD, WhenConnectedNotRealtime, [](CMainFrame& f) { f.onDownload(); }},
        {ID_SETUP, WhenConnectedNotRealtime, [](CMainFrame& f) { f.showPaneAlone(kPaneSetup); }},
        {ID_DOWNLOAD, WhenConnectedNotRealtime, [](CMainFrame& f) { f.onDownload(); }},
        {ID_DELETE, WhenConnectedNotRealtime, [](CMainFrame& f) { f.onDelete(); }},
        {ID_REALTIME, WhenConnectedNotRealtime, [](CMainFrame& f) { f.engine_.startRealtime(); }},
        {ID_STOP, WhenConnectedRealtime, [](CMainFrame& f) { f.engine_.stopRealtime(); }},
        {ID_FILE_LIST, Always,
         [](CMainFrame& f) {
             f.showPaneAlone(kPaneFileList);
             f.ui_.fillFileList();
         }},
        {ID_DATA_LIST, Always,
         [](CMainFrame& f) {
             // A snapshot: the list shows the store as it is now until the next time.
             f.showPaneAlone(kPaneDataList);
             if (auto* pane = qobject_cast<CDataListPane*>(f.paneContent(kPaneDataList))) {
                 pane->clearDataList();
                 pane->fillDataList(f.data_.store);
                 pane->showAs(f.data_.limits, f.data_.fahrenheit);
             }
         }},
        {ID_LIMITS, Always,
         [](CMainFrame& f) {
             f.showPaneAlone(kPaneLimits);
             if (auto* pane = qobject_cast<CLimitsPane*>(f.paneContent(kPaneLimits))) {
                 pane->refresh();
             }
         }},
        {ID_FAHRENHEIT, Always, [](CMainFrame& f) { f.setFahrenheit(!f.data_.fahrenheit); }},
        {ID_QUERY, WhenRecordsNotRealtime, [](CMainFrame& f) { f.showPaneAlone(kPaneQuery); }},
        {ID_ORIGINAL, WhenRecordsNotRealtime, [](CMainFrame& f) { loadLogFile(f.data_, f.ui_); }},
        {ID_APP_ABOUT, Always, [](CMainFrame& f) { CAboutDlg(&f).exec(); }},
        {ID_NEXT_PANE, Always, [](CMainFrame& f) { f.focusNextChild(); }},
        {ID_PREV_PANE, Always, [](CMainFrame& f) { f.focusPreviousChild(); }},
    };
    return kRoutes;
}

const CMainFrame::CommandRoute* CMainFrame::findRoute(int id) {
    const std::span<const CommandRoute> routes = commandRoutes();
    auto found = std::find_if(routes.begin(), routes.end(),
                              [id](const CommandRoute& route) { return route.id == id; });
    return found == routes.end() ? nullptr : &*found;
}

CommandRule CMainFrame::commandRule(int id) {
    // The entries of the recent-file list share the list's row.
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) id = ID_FILE_MRU_FIRST;
    const CommandRoute* route = findRoute(id);
    return route ? route->rule : CommandRule::Always;
}

bool CMainFrame::commandEnabled(int id) const {
    return ruleAllows(commandRule(id), data_);
}

void CMainFrame::onCommand(int id) {
    if (!commandEnabled(id)) return;
    const CommandRoute* route = findRoute(id);
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
