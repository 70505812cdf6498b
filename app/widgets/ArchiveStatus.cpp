#include "app/widgets/ArchiveStatus.h"

#include <QLabel>
#include <QMetaObject>
#include <QStatusBar>

#include "app/widgets/CMainFrame.h"
#include "archive/ArchiveRecorder.h"
#include "archive/LogCheck.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr const char* kUnchangedText = QT_TRANSLATE_NOOP("Dravin", "Archive: unchanged since %1");
constexpr const char* kChangedText = QT_TRANSLATE_NOOP("Dravin", "Archive: CHANGED since %1");
constexpr const char* kUnknownText = QT_TRANSLATE_NOOP("Dravin", "Archive: not in the archive");
constexpr const char* kUnreadableText =
    QT_TRANSLATE_NOOP("Dravin", "Archive: the file cannot be read");
constexpr const char* kUnusableText = QT_TRANSLATE_NOOP("Dravin", "Archive: cannot be used");
constexpr const char* kChangedStyle = "color: #c01818; font-weight: bold;";

}  // namespace

ArchiveStatus::ArchiveStatus(CMainFrame& frame, AppData& data, ArchiveRecorder& recorder)
    : QObject(&frame), frame_(frame), data_(data), recorder_(recorder), label_(new QLabel) {
    label_->setObjectName("archiveStatus");
    frame.statusBar()->addPermanentWidget(label_);
    data_.events.subscribe(*this);
    userFiles().addObserver(*this);
    showLog(data_.log.store.currentFilePath);
}

ArchiveStatus::~ArchiveStatus() {
    userFiles().removeObserver(*this);
    data_.events.unsubscribe(*this);
}

void ArchiveStatus::logSaved(std::string_view path, SaveReason why) {
    // Save As writes a copy: the log on show stays the file it was.
    if (why != SaveReason::SavedAs) showLog(std::string(path));
}

void ArchiveStatus::showLog(const std::string& path) {
    label_->setStyleSheet({});
    if (path.empty()) {
        label_->clear();
        label_->setToolTip({});
        return;
    }
    Archive* archive = recorder_.archive();
    Outcome outcome;
    const LogCheck check = archive ? checkLog(*archive, path, outcome) : LogCheck{};
    if (!archive || !outcome.ok()) {
        label_->setText(windowText(kUnusableText));
        return;
    }
    if (check.state == LogState::Changed) label_->setStyleSheet(kChangedStyle);
    label_->setText(stateText(check));
    // A narrow window cuts the label: the whole text stays at hand.
    label_->setToolTip(label_->text());
}

QString ArchiveStatus::stateText(const LogCheck& check) {
    const QString since = QString::fromStdString(recordedByText(check.since));
    switch (check.state) {
        case LogState::Unchanged:
            return windowText(kUnchangedText).arg(since);
        case LogState::Changed:
            return windowText(kChangedText).arg(since);
        case LogState::Unreadable:
            return windowText(kUnreadableText);
        default:
            return windowText(kUnknownText);
    }
}

// The recorder was told of the step before this; a step may be done off
// the window's thread, and a message must not stop it midway.
void ArchiveStatus::userFileDone(const UserFileEvent&) {
    if (problemTold_ || recorder_.problem().ok() || problemTold_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this, [this] { tellProblemOnce(); }, Qt::QueuedConnection);
}

void ArchiveStatus::tellProblemOnce() {
    frame_.frameUi().showMessage(archiveUnusableText(recorder_.problem()));
}
