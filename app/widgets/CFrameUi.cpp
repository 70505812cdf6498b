#include "app/widgets/CFrameUi.h"

#include <utility>

#include "app/widgets/CCommProgressDlg.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CMsgDlg.h"
#include "base/AppData.h"
#include "logdata/widgets/CFileListPane.h"
#include "setup/widgets/CPropertiesPane.h"
#include "views/widgets/CDataListPane.h"
#include "views/widgets/CLoggerView.h"

namespace {

constexpr const char* kRealtimeTitle = "Realtime";

}  // namespace

CFrameUi::CFrameUi(CMainFrame& frame, AppData& data) : frame_(frame), data_(data) {}

void CFrameUi::createProgressWindow() {
    progress_ = new CCommProgressDlg(&frame_);
    progress_->hide();
}

void CFrameUi::showProgress(std::string_view text) {
    progress_->showWithText(text);
}

void CFrameUi::setProgressText(std::string_view text) {
    progress_->setText(text);
}

void CFrameUi::hideProgress() {
    progress_->hide();
}

bool CFrameUi::showMessage(std::string_view text) {
    CMsgDlg dialog(&frame_);
    dialog.SetMessage(text);
    return dialog.exec() == QDialog::Accepted;
}

void CFrameUi::openBusyBox(std::string_view text) {
    CMsgDlg dialog(&frame_);
    dialog.SetMessage(text);
    dialog.setButtonsEnabled(false);
    dialog.exec();
}

void CFrameUi::updateBusyBox(bool over) {
    if (CMsgDlg* box = CMsgDlg::busyWindow()) box->busyUpdate(data_.busyText, over);
}

void CFrameUi::showPaneAlone(int paneId) {
    frame_.showPaneAlone(paneId);
}

// A pane not made yet fills when it first shows.
void CFrameUi::fillFileList() {
    if (auto* pane = qobject_cast<CFileListPane*>(frame_.paneContent(kPaneFileList))) {
        pane->fillFileList();
    }
}

void CFrameUi::redrawChart() {
    frame_.view()->drawChart();
}

void CFrameUi::setDocumentTitle(std::string_view title) {
    frame_.document().setTitle(title);
}

void CFrameUi::clearDataList() {
    if (auto* pane = qobject_cast<CDataListPane*>(frame_.paneContent(kPaneDataList))) {
        pane->clearDataList();
    }
}

void CFrameUi::realtimeSampleArrived() {
    frame_.view()->drawChart();
    frame_.document().setTitle(kRealtimeTitle);
}

// A setup pane not made yet is filled when it is made, so that the grid
// always shows what Sync would send.
void CFrameUi::fillSetupGrid() {
    if (auto* pane = qobject_cast<CPropertiesPane*>(frame_.paneContent(kPaneSetup))) {
        pane->fillSetupGrid();
    } else {
        setupFillPending_ = true;
    }
}

bool CFrameUi::takeSetupFillRequest() {
    return std::exchange(setupFillPending_, false);
}
