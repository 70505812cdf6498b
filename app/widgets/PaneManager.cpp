#include "app/widgets/PaneManager.h"

#include <QDockWidget>
#include <QMainWindow>
#include <iterator>

#include "app/widgets/CLimitsPane.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/WindowTexts.h"
#include "base/AppData.h"
#include "base/FrameUi.h"
#include "logdata/widgets/CFileListPane.h"
#include "setup/widgets/CPropertiesPane.h"
#include "views/widgets/CDataListPane.h"
#include "views/widgets/CDatePickerDlg.h"

namespace {

// The dock's parent is the main frame, whose record and user interface the
// file list works on.
QWidget* makeFileListPane(QWidget* dock) {
    auto& frame = static_cast<CMainFrame&>(*dock->parentWidget());
    return new CFileListPane(frame.appData(), frame.frameUi(), dock);
}

// The query reloads the frame's current log and cuts it; the frame draws and
// titles it. Its fields start at the log shown.
QWidget* makeQueryPane(QWidget* dock) {
    auto& frame = static_cast<CMainFrame&>(*dock->parentWidget());
    auto* pane = new CDatePickerDlg(frame.appData(), frame.frameUi(), dock);
    pane->startAtLog(frame.appData().store);
    return pane;
}

// The setup grid edits the logger's setup; its buttons run the frame's Read
// and Sync. A fill asked for before the pane existed is done now.
QWidget* makeSetupPane(QWidget* dock) {
    auto& frame = static_cast<CMainFrame&>(*dock->parentWidget());
    auto* pane = new CPropertiesPane(frame.appData().setup, dock);
    QObject::connect(pane, &CPropertiesPane::readRequested, &frame, &CMainFrame::readSetup);
    QObject::connect(pane, &CPropertiesPane::syncRequested, &frame, &CMainFrame::syncSetup);
    // The frame's user interface is its CFrameUi.
    if (static_cast<CFrameUi&>(frame.frameUi()).takeSetupFillRequest()) pane->fillSetupGrid();
    return pane;
}

// The list shows values as the frame's record asks: °F, limits.
QWidget* makeDataListPane(QWidget* dock) {
    auto& frame = static_cast<CMainFrame&>(*dock->parentWidget());
    auto* pane = new CDataListPane(dock);
    pane->showAs(frame.appData().limits, frame.appData().fahrenheit);
    return pane;
}

// The limits the user edits are the frame's to keep and to draw; an offer of
// the logger's limits made before the pane existed shows now.
QWidget* makeLimitsPane(QWidget* dock) {
    auto& frame = static_cast<CMainFrame&>(*dock->parentWidget());
    auto* pane = new CLimitsPane(frame.appData(), dock);
    QObject::connect(pane, &CLimitsPane::limitsEdited, &frame, &CMainFrame::limitsEdited);
    QObject::connect(pane, &CLimitsPane::activationEnergyEdited, &frame,
                     &CMainFrame::activationEnergyEdited);
    if (frame.loggerLimitsOffered()) pane->offerLoggerLimits();
    return pane;
}

struct PaneSpec {
    int id;
    const char* caption;
    int width;
    QWidget* (*makeContent)(QWidget* parent);
};

// In creation order.
constexpr PaneSpec kPaneSpecs[] = {
    {kPaneQuery, QT_TRANSLATE_NOOP("Dravin", "Query"), 330, makeQueryPane},
    {kPaneDataList, QT_TRANSLATE_NOOP("Dravin", "Data List"), 450, makeDataListPane},
    {kPaneFileList, QT_TRANSLATE_NOOP("Dravin", "File List"), 300, makeFileListPane},
    {kPaneSetup, QT_TRANSLATE_NOOP("Dravin", "Setup"), 300, makeSetupPane},
    {kPaneLimits, QT_TRANSLATE_NOOP("Dravin", "Limits"), 360, makeLimitsPane},
};

}  // namespace

PaneManager::PaneManager(QMainWindow& window) : window_(window) {
    static_assert(std::size(kPaneSpecs) == std::tuple_size_v<decltype(panes_)>);
    for (size_t i = 0; i < panes_.size(); ++i) {
        const PaneSpec& spec = kPaneSpecs[i];
        auto* dock = new QDockWidget(windowText(spec.caption), &window_);
        dock->setObjectName(QString("pane%1").arg(spec.id));
        window_.addDockWidget(Qt::LeftDockWidgetArea, dock);
        panes_[i] = {spec.id, dock, spec.width};
        connect(dock, &QDockWidget::visibilityChanged, this, [this, i](bool visible) {
            if (visible) createContent(i);
        });
    }
    for (const Slot& slot : panes_) {
        if (slot.id != kPaneFileList) slot.dock->close();
    }
}

QDockWidget* PaneManager::pane(int paneId) const {
    for (const Slot& slot : panes_) {
        if (slot.id == paneId) return slot.dock;
    }
    return nullptr;
}

QWidget* PaneManager::content(int paneId) const {
    QDockWidget* dock = pane(paneId);
    return dock ? dock->widget() : nullptr;
}

void PaneManager::showAlone(int paneId) {
    Slot* shown = nullptr;
    for (Slot& slot : panes_) {
        // Each pane keeps its own width: the left edge must not hand the
        // width of the pane closed now to the pane shown next.
        if (slot.dock->isVisible() && !slot.dock->isFloating()) slot.width = slot.dock->width();
        slot.dock->close();
        if (slot.id == paneId) shown = &slot;
    }
    if (!shown) return;
    QDockWidget* dock = shown->dock;
    dock->show();
    if (!dock->isFloating()) window_.resizeDocks({dock}, {shown->width}, Qt::Horizontal);
    dock->raise();
    if (dock->widget()) dock->widget()->setFocus(Qt::OtherFocusReason);
}

void PaneManager::createContent(size_t index) {
    Slot& slot = panes_[index];
    if (slot.dock->widget()) return;
    slot.dock->setWidget(kPaneSpecs[index].makeContent(slot.dock));
    window_.resizeDocks({slot.dock}, {slot.width}, Qt::Horizontal);
}
