#pragma once

#include <QObject>
#include <atomic>
#include <string>
#include <string_view>

#include "base/LogEvents.h"
#include "logdata/UserFiles.h"

class ArchiveRecorder;
class CMainFrame;
class QLabel;
struct LogCheck;
struct AppData;

// What the archive says of the log on show, in the status bar: unchanged
// since it was recorded, changed since, or not in the archive. And, once, that
// the archive cannot be used, so that nobody takes an unrecorded log for a
// recorded one.
class ArchiveStatus final : public QObject, public LogEvents, public UserFilesObserver {
    Q_OBJECT

public:
    // `recorder` keeps the archive and outlives this.
    ArchiveStatus(CMainFrame& frame, AppData& data, ArchiveRecorder& recorder);
    ~ArchiveStatus() override;

    QLabel* label() const { return label_; }

    void logLoaded(std::string_view path) override { showLog(std::string(path)); }
    void logSaved(std::string_view path, SaveReason why) override;
    void logRenamed(std::string_view path) override { showLog(std::string(path)); }
    void logCleared(ClearReason) override { showLog({}); }
    void userFileDone(const UserFileEvent& event) override;

private:
    void showLog(const std::string& path);
    static QString stateText(const LogCheck& check);
    void tellProblemOnce();

    CMainFrame& frame_;
    AppData& data_;
    ArchiveRecorder& recorder_;
    QLabel* label_;
    std::atomic<bool> problemTold_ = false;
};
