#pragma once

#include <optional>
#include <string>

#include "archive/Archive.h"

// Whether a log file is still what the archive recorded: the one check that
// dravin-cli verify, the status bar and the file list share.

enum class LogState {
    Unchanged,   // its SHA-256 is the one recorded
    Changed,     // it differs from what was recorded
    Unknown,     // the archive has no row for it
    Unreadable,  // recorded, but the file cannot be read now
};

struct LogCheck {
    LogState state = LogState::Unknown;
    std::string sha256;                 // of the file as it is now, when it could be read
    std::optional<LogRecord> recorded;  // the archive's row
    std::optional<TrailEntry> since;    // the entry that recorded the content
    int error = 0;                      // why it could not be read
};

// Unknown when the archive answers no row or cannot be used (`outcome` says which).
LogCheck checkLog(Archive& archive, const std::string& path, Outcome& outcome);

// What recorded the content: "download on 2024-01-05 09:24 (+01:00) by
// user@host"; "it was recorded" when the entry cannot be found.
std::string recordedByText(const std::optional<TrailEntry>& entry);
