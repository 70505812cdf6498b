#pragma once

#include <string>
#include <utility>

// How an operation on the logger ended, for whoever started it. The window
// has shown its texts by then; the command-line tool words its own message
// and exit status from this, never from the texts.
enum class OutcomeKind {
    Ok,              // done as asked
    NoLogs,          // a download found nothing stored
    Timeout,         // the logger did not answer within its resends, or stopped midway
    Refused,         // the logger answered with a failure or a reply of the wrong length
    PortError,       // the line failed: the cable was pulled
    SaveFailed,      // the log could not be written; detail: the path and the system's reason
    RecordsLost,     // saved, but records did not arrive whole; detail: the saved path
    Cancelled,       // the user said no, or cut a download short; detail: the saved path, if any
    Invalid,         // the setup breaks a rule and was not sent; detail: the rules broken
    FolderUnusable,  // the log folder cannot take a file; detail: the folder and the reason
};

struct Outcome {
    Outcome(OutcomeKind outcomeKind = OutcomeKind::Ok, std::string outcomeDetail = {})
        : kind(outcomeKind), detail(std::move(outcomeDetail)) {}

    OutcomeKind kind;
    std::string detail;

    // Ended as it should: done, or nothing there to do.
    bool ok() const { return kind == OutcomeKind::Ok || kind == OutcomeKind::NoLogs; }
};
