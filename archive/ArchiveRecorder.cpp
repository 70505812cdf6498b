#include "archive/ArchiveRecorder.h"

#include <cerrno>
#include <system_error>

#include "archive/LogFacts.h"
#include "archive/Sha256.h"
#include "archive/Trail.h"

namespace {

// The hash of a log a step was made from, when it can still be read.
std::string currentHash(const std::string& path) {
    return path.empty() ? std::string() : sha256HexOfFile(path);
}

Outcome unreadable(const std::string& path, int error) {
    return {OutcomeKind::ArchiveUnusable, path + " could not be read for the archive (" +
                                              std::generic_category().message(error) + ")."};
}

}  // namespace

const char* downloadCutText(DownloadCut cut) {
    switch (cut) {
        case DownloadCut::ByUser:
            return "cut short by the user";
        case DownloadCut::Stalled:
            return "the logger stopped sending before the end";
        case DownloadCut::RecordsLost:
            return "records were lost on the way";
        case DownloadCut::StoreFull:
            return "more records came than a log holds";
        case DownloadCut::None:
            break;
    }
    return "";
}

ArchiveRecorder::ArchiveRecorder(std::unique_ptr<Archive> archive, Outcome opened)
    : archive_(std::move(archive)), problem_(std::move(opened)) {
    if (!archive_ && problem_.ok())
        problem_ = {OutcomeKind::ArchiveUnusable, "there is no archive."};
    userFiles().addObserver(*this);
}

ArchiveRecorder::ArchiveRecorder(Opener open) : open_(std::move(open)) {
    userFiles().addObserver(*this);
}

Archive* ArchiveRecorder::archive() {
    const std::lock_guard lock(mutex_);
    if (!archive_ && open_) {
        Outcome opened;
        archive_ = open_(opened);
        open_ = nullptr;
        if (!archive_ && problem_.ok())
            problem_ = opened.ok() ? Outcome{OutcomeKind::ArchiveUnusable, "there is no archive."}
                                   : opened;
    }
    return archive_.get();
}

ArchiveRecorder::~ArchiveRecorder() {
    userFiles().removeObserver(*this);
}

Outcome ArchiveRecorder::problem() const {
    const std::lock_guard lock(mutex_);
    return problem_;
}

void ArchiveRecorder::downloadSummarized(const DownloadSummary& summary) {
    const std::lock_guard lock(mutex_);
    download_ = summary;
}

void ArchiveRecorder::userFileDone(const UserFileEvent& event) {
    if (!event.outcome.ok()) return;
    const std::lock_guard lock(mutex_);
    if (archive() == nullptr) return;
    Outcome outcome;
    switch (event.kind) {
        case UserFileKind::DownloadSaved:
        case UserFileKind::RealtimeSaved:
        case UserFileKind::SavedAs:
        case UserFileKind::RecoveredSaved:
            outcome = recordSaved(event);
            break;
        case UserFileKind::TextExport:
            outcome = recordExport(event, "txt");
            break;
        case UserFileKind::SpreadsheetExport:
            outcome = recordExport(event, "xls");
            break;
        case UserFileKind::CsvExport:
            outcome = recordExport(event, "csv");
            break;
        case UserFileKind::BitmapExport:
            outcome = recordExport(event, "bmp");
            break;
        case UserFileKind::PdfExport:
            outcome = recordExport(event, "pdf");
            break;
        case UserFileKind::Printed:
            outcome = recordPrint(event);
            break;
        case UserFileKind::Renamed:
            outcome = recordRename(event);
            break;
        case UserFileKind::Deleted:
            outcome = recordDelete(event);
            break;
        case UserFileKind::Settings:
            break;
    }
    if (!outcome.ok() && problem_.ok()) problem_ = outcome;
}

Outcome ArchiveRecorder::recordSaved(const UserFileEvent& event) {
    int error = 0;
    std::optional<LogRecord> log = describeLogFile(event.path, &error);
    if (!log) return unreadable(event.path, error);
    std::optional<LogRecord> before;
    if (const Outcome found = archive_->findLog(log->path, before); !found.ok()) return found;
    Details details;
    const char* event_name = "download";
    switch (event.kind) {
        case UserFileKind::DownloadSaved: {
            log->provenance = "download";
            const DownloadSummary summary = download_.value_or(DownloadSummary{});
            download_.reset();
            log->complete = summary.cut == DownloadCut::None;
            log->cutReason = downloadCutText(summary.cut);
            details.text("log", summary.manu ? "manu" : "auto")
                .number("packages_announced", summary.packagesAnnounced)
                .number("packages_received", summary.packagesReceived);
            break;
        }
        case UserFileKind::RealtimeSaved:
            event_name = "realtime";
            log->provenance = "realtime";
            break;
        case UserFileKind::RecoveredSaved:
            event_name = "realtime";
            log->provenance = "realtime";
            log->complete = false;
            log->cutReason = "recovered from its journal after the sampling was cut off";
            details.text("recovered_from", archivePath(event.log));
            break;
        default:
            event_name = "save-as";
            log->provenance = "save-as";
            if (!event.log.empty()) details.text("from", archivePath(event.log));
            break;
    }
    details.number("records", log->facts.records).flag("complete", log->complete);
    if (!log->complete) details.text("cut", log->cutReason);
    if (before && before->sha256 != log->sha256) details.text("replaced", before->sha256);
    TrailEntry entry = newTrailEntry(event_name, log->path, log->sha256, details.str());
    return archive_->recordLog(*log, &entry);
}

Outcome ArchiveRecorder::recordExport(const UserFileEvent& event, const char* format) {
    int error = 0;
    const std::string sha = sha256HexOfFile(event.path, &error);
    if (sha.empty()) return unreadable(event.path, error);
    Details details;
    details.text("format", format);
    if (!event.log.empty()) {
        details.text("log", archivePath(event.log));
        const std::string logHash = currentHash(event.log);
        if (!logHash.empty()) details.text("log_sha256", logHash);
    }
    TrailEntry entry = newTrailEntry("export", archivePath(event.path), sha, details.str());
    return archive_->append(entry);
}

Outcome ArchiveRecorder::recordPrint(const UserFileEvent& event) {
    Details details;
    details.text("printer", event.path);
    const std::string log = event.log.empty() ? std::string() : archivePath(event.log);
    TrailEntry entry = newTrailEntry("print", log, currentHash(event.log), details.str());
    return archive_->append(entry);
}

Outcome ArchiveRecorder::recordRename(const UserFileEvent& event) {
    const std::string from = archivePath(event.path);
    const std::string to = archivePath(event.newPath);
    Details details;
    details.text("to", to);
    TrailEntry entry = newTrailEntry("rename", from, currentHash(event.newPath), details.str());
    entry.newFile = to;
    return archive_->moveLog(from, to, entry);
}

Outcome ArchiveRecorder::recordDelete(const UserFileEvent& event) {
    const std::string path = archivePath(event.path);
    std::optional<LogRecord> known;
    if (const Outcome found = archive_->findLog(path, known); !found.ok()) return found;
    TrailEntry entry = newTrailEntry("delete", path, known ? known->sha256 : std::string());
    return archive_->dropLog(path, entry);
}
