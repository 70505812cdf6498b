#pragma once

#include <string>
#include <utility>

// How an operation on the logger ended, for whoever started it. The window
// has shown its texts by then; the command-line tool words its own message
// and exit status from this, never from the texts.
enum class OutcomeKind {
    Ok,               // done as asked
    NoLogs,           // a download found nothing stored
    Timeout,          // the logger did not answer within its resends, or stopped midway
    Refused,          // the logger answered with a failure or a reply of the wrong length
    PortError,        // the line failed: the cable was pulled
    SaveFailed,       // a log or another file could not be written; detail: path and reason
    RecordsLost,      // saved, but records did not arrive whole; detail: the saved path
    Cancelled,        // the user said no, or cut a download short; detail: the saved path, if any
    Invalid,          // the setup breaks a rule and was not sent; detail: the rules broken
    FolderUnusable,   // the log folder cannot take a file; detail: the folder and the reason
    FileFailed,       // a user file was not read again, renamed, deleted or printed; detail: path
                      // and reason
    NoMatch,          // a query matched no record
    ArchiveUnusable,  // the archive database cannot be read or written; detail: why
};

struct Outcome {
    Outcome(OutcomeKind outcomeKind = OutcomeKind::Ok, std::string outcomeDetail = {},
            int systemError = 0)
        : kind(outcomeKind), detail(std::move(outcomeDetail)), error(systemError) {}

    OutcomeKind kind;
    std::string detail;
    // The system's error number of a failed file step, 0 otherwise: the edge
    // words a full disk or a locked file from it.
    int error;

    // Ended as it should: done, or nothing there to do.
    bool ok() const { return kind == OutcomeKind::Ok || kind == OutcomeKind::NoLogs; }
};
