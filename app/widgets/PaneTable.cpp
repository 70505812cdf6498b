#include "app/widgets/PaneTable.h"

#include "app/PaneIds.h"
#include "logdata/widgets/CFileListPane.h"
#include "record/AppData.h"
#include "setup/widgets/CPropertiesPane.h"
#include "views/widgets/CDataListPane.h"
#include "views/widgets/CDatePickerDlg.h"
#include "views/widgets/CLimitsPane.h"

namespace {

PaneWidget* makeFileListPane(PaneHost& host, QWidget* dock) {
    return new CFileListPane(host.appData(), host.frameUi(), dock);
}

// Its fields start at the log shown.
PaneWidget* makeQueryPane(PaneHost& host, QWidget* dock) {
    auto* pane = new CDatePickerDlg(host.appData(), host.frameUi(), dock);
    pane->startAtLog(host.appData().log.store);
    return pane;
}

// Its buttons run the window's Read and Sync.
PaneWidget* makeSetupPane(PaneHost& host, QWidget* dock) {
    auto* pane = new CPropertiesPane(host.appData().log.setup, dock);
    QObject::connect(pane, &CPropertiesPane::readRequested, [&host] { host.readSetup(); });
    QObject::connect(pane, &CPropertiesPane::syncRequested, [&host] { host.syncSetup(); });
    return pane;
}

// The list shows values as the record asks: °F, limits.
PaneWidget* makeDataListPane(PaneHost& host, QWidget* dock) {
    auto* pane = new CDataListPane(host.appData(), dock);
    pane->takeMove(PaneMove::ShowChoices);
    return pane;
}

// The limits the user edits are the window's to keep and to draw.
PaneWidget* makeLimitsPane(PaneHost& host, QWidget* dock) {
    auto* pane = new CLimitsPane(host.appData(), dock);
    QObject::connect(pane, &CLimitsPane::limitsEdited, [&host] { host.limitsEdited(); });
    QObject::connect(pane, &CLimitsPane::activationEnergyEdited,
                     [&host] { host.activationEnergyEdited(); });
    return pane;
}

// A setup read or a log loaded before the Setup pane was made fills it, so
// that the grid always shows what Sync would send; an offer of the logger's
// limits made before the Limits pane was made shows when it is.
constexpr PaneRow kPanes[] = {
    {kPaneQuery, QT_TRANSLATE_NOOP("Dravin", "Query"), 330, makeQueryPane},
    {kPaneDataList, QT_TRANSLATE_NOOP("Dravin", "Data List"), 450, makeDataListPane},
    {kPaneFileList, QT_TRANSLATE_NOOP("Dravin", "File List"), 300, makeFileListPane},
    {kPaneSetup, QT_TRANSLATE_NOOP("Dravin", "Setup"), 300, makeSetupPane,
     paneMoveBit(PaneMove::Fill)},
    {kPaneLimits, QT_TRANSLATE_NOOP("Dravin", "Limits"), 360, makeLimitsPane,
     paneMoveBit(PaneMove::OfferLoggerLimits)},
};

}  // namespace

std::span<const PaneRow> paneTable() {
    return kPanes;
}
