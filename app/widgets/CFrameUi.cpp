#include "app/widgets/CFrameUi.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStatusTipEvent>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/widgets/CCommProgressDlg.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CMsgDlg.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"
#include "views/widgets/CLoggerView.h"

namespace {

constexpr const char* kRealtimeTitle = QT_TRANSLATE_NOOP("Dravin", "Realtime");
constexpr const char* kSampleWord = QT_TRANSLATE_NOOP("Dravin", "sample");
constexpr const char* kSamplesWord = QT_TRANSLATE_NOOP("Dravin", "samples");
constexpr const char* kReplaceQuestion =
    QT_TRANSLATE_NOOP("Dravin", "%1 already exists.\nDo you want to replace it?");

}  // namespace

std::string realtimeStatusText(int samples, std::chrono::seconds elapsed) {
    const long long total = std::max<long long>(elapsed.count(), 0);
    char text[96];
    // Short enough for the message pane, which the panes beside it keep narrow.
    const std::string word = windowText(samples == 1 ? kSampleWord : kSamplesWord).toStdString();
    std::snprintf(text, sizeof text, "%d %s, %lld:%02lld:%02lld", samples, word.c_str(),
                  total / 3600, total / 60 % 60, total % 60);
    return text;
}

CFrameUi::CFrameUi(CMainFrame& frame, AppData& data)
    : frame_(frame), data_(data), reactions_(data, *this) {}

void CFrameUi::createProgressWindow() {
    progress_ = new CCommProgressDlg(&frame_);
    progress_->hide();
}

void CFrameUi::showProgress(std::string_view text) {
    progressShownAt_ = now_();
    // Centred as the busy box is, the window would hide the box's buttons:
    // it shows once the box has closed.
    if (busyBoxOpen_) {
        progressAfterBusyBox_ = std::string(text);
        return;
    }
    progress_->showWithText(text);
}

void CFrameUi::setProgressText(std::string_view text) {
    progress_->setText(text);
}

void CFrameUi::hideProgress() {
    progressAfterBusyBox_.reset();
    progress_->hide();
    // Stop, or a line that ended the sampling, hides the window too.
    if (realtimeCounting_ && !data_.link.realtimeActive) endRealtimeStatus();
}

bool CFrameUi::showMessage(std::string_view text) {
    CMsgDlg dialog(&frame_);
    dialog.SetMessage(text);
    return dialog.exec() == QDialog::Accepted;
}

bool CFrameUi::confirmReplace(std::string_view path) {
    const QString question =
        windowText(kReplaceQuestion).arg(QString::fromUtf8(path.data(), path.size()));
    return QMessageBox::warning(&frame_, CMainFrame::kAppTitle, question,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

void CFrameUi::openBusyBox(std::string_view text) {
    CMsgDlg dialog(&frame_);
    dialog.SetMessage(text);
    dialog.setButtonsEnabled(false);
    if (busyCancel_) {
        dialog.offerCancel();
        QObject::connect(&dialog, &CMsgDlg::cancelRequested, &dialog, [this] { busyCancel_(); });
    }
    busyBoxOpen_ = true;
    dialog.exec();
    busyBoxOpen_ = false;
    if (progressAfterBusyBox_) progress_->showWithText(*std::exchange(progressAfterBusyBox_, {}));
}

void CFrameUi::updateBusyBox(bool over) {
    if (CMsgDlg* box = CMsgDlg::busyWindow()) box->busyUpdate(data_.busyText, over);
}

void CFrameUi::downloadProgress(int packagesDone, int packagesTotal) {
    if (CMsgDlg* box = CMsgDlg::busyWindow()) box->setProgress(packagesDone, packagesTotal);
}

void CFrameUi::showPaneAlone(int paneId) {
    frame_.showPaneAlone(paneId);
}

// A pane not made yet fills when it first shows.
void CFrameUi::fillFileList() {
    frame_.tellPane(kPaneFileList, PaneMove::Fill);
}

void CFrameUi::redrawChart() {
    frame_.view()->drawChart();
}

void CFrameUi::setDocumentTitle(std::string_view title) {
    frame_.document().setTitle(title);
}

void CFrameUi::clearDataList() {
    frame_.tellPane(kPaneDataList, PaneMove::Clear);
}

void CFrameUi::realtimeSampleArrived() {
    const auto now = now_();
    if (!realtimeCounting_) {
        realtimeCounting_ = true;
        realtimeSamples_ = 0;
        realtimeStart_ = progressShownAt_.value_or(now);
    }
    ++realtimeSamples_;
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - realtimeStart_);
    setMessagePane(QString::fromStdString(realtimeStatusText(realtimeSamples_, elapsed)));
    frame_.view()->drawChart();
    frame_.document().setTitle(windowText(kRealtimeTitle).toStdString());
}

void CFrameUi::setMessagePane(const QString& text) {
    frame_.showInMessagePane(text);
}

// The pane goes back to what the frame shows when nothing is pointed at.
void CFrameUi::endRealtimeStatus() {
    realtimeCounting_ = false;
    QStatusTipEvent idle{QString()};
    QCoreApplication::sendEvent(&frame_, &idle);
}

void CFrameUi::loggerSetupRead() {
    frame_.offerLoggerLimits();
}

void CFrameUi::fillSetupGrid() {
    frame_.tellPane(kPaneSetup, PaneMove::Fill);
}
