#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "archive/Archive.h"
#include "base/LogEvents.h"
#include "logdata/UserFiles.h"

// Listens at the user-file door while it lives: every log saved, export
// written, report printed, log renamed or deleted that went through it
// becomes a row of the index and an entry of the trail. Subscribed to the
// log events of a record as well, it learns how a download ended (whole, or
// cut short and why) before its log is saved. A failed write of the archive
// fails nothing at the door: the file is there, only its record is missing,
// and problem() tells why.
class ArchiveRecorder final : public UserFilesObserver, public LogEvents {
public:
    // `archive` may be nothing, with `opened` the reason (the archive could
    // not be opened): the recorder then records nothing and tells that.
    explicit ArchiveRecorder(std::unique_ptr<Archive> archive, Outcome opened = {});
    // Opens the archive with `open` when there is a first step to record, so
    // that a command that writes nothing never touches it.
    using Opener = std::function<std::unique_ptr<Archive>(Outcome& outcome)>;
    explicit ArchiveRecorder(Opener open);
    ~ArchiveRecorder() override;
    ArchiveRecorder(const ArchiveRecorder&) = delete;
    ArchiveRecorder& operator=(const ArchiveRecorder&) = delete;

    void userFileDone(const UserFileEvent& event) override;
    void downloadSummarized(const DownloadSummary& summary) override;

    // Ok while every step went in; else the first ArchiveUnusable.
    Outcome problem() const;
    // The archive, opened now when it was not yet; nothing when it cannot be.
    Archive* archive();

private:
    Outcome recordSaved(const UserFileEvent& event);
    Outcome recordExport(const UserFileEvent& event, const char* format);
    Outcome recordPrint(const UserFileEvent& event);
    Outcome recordRename(const UserFileEvent& event);
    Outcome recordDelete(const UserFileEvent& event);

    mutable std::recursive_mutex mutex_;
    Opener open_;
    std::unique_ptr<Archive> archive_;
    Outcome problem_;
    std::optional<DownloadSummary> download_;
};

// The words for how a download ended, as the index keeps them.
const char* downloadCutText(DownloadCut cut);
