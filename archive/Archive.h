#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Outcome.h"

// The archive of the logs: an index of every log file the program made or
// found, and an audit trail of what was done with them, each entry chained
// to the one before by its hash. This interface is all that the rest of the
// program sees of it: a backend (SqliteArchive.h) alone speaks its database.
//
// It guards against accidents and casual edits: whoever may write the
// database can rewrite it whole. Who did a step is the login of the system.

// What a log file says of itself (LogFacts.h reads it).
struct LogFacts {
    std::string serial;  // the logger's serial number
    std::string name;    // the logger's name, UTF-8
    uint32_t records = 0;
    uint32_t channels = 0;
    std::string firstTime;  // "2024-01-05T08:30:05", the logger's local time; empty without records
    std::string lastTime;
};

// One row of the index: a log file as it was last recorded.
struct LogRecord {
    std::string path;  // absolute
    int64_t size = 0;
    int64_t mtimeNs = 0;  // the file's modification time, nanoseconds since 1970
    std::string sha256;   // hex
    LogFacts facts;
    // Where it came from: "download", "realtime", "save-as" or "imported".
    std::string provenance;
    // False when the log is a part of what it should have been (a download
    // cut short, a run recovered after a crash); `cutReason` says why.
    bool complete = true;
    std::string cutReason;
    // The trail entry that recorded the file's present content.
    int64_t seq = 0;
};

// One entry of the audit trail.
struct TrailEntry {
    int64_t seq = 0;     // 1, 2, ... without gaps
    std::string time;    // UTC, "2024-01-05T08:24:13Z"
    std::string offset;  // the local time's offset from UTC then, "+01:00"
    std::string user;    // the login of the system
    std::string host;
    std::string program;  // "Dravin 1.21"
    std::string event;    // "download", "rename", "sign", ...
    std::string file;     // absolute path; a rename's old path
    std::string newFile;  // a rename's new path, else empty
    std::string sha256;   // the file's content, hex, where there is one
    std::string details;  // a JSON object
    std::string prev;     // the hash of the entry before, empty for the first
    std::string hash;     // SHA-256 over every field above and prev (Trail.h)
};

struct LogFilter {
    std::string serial;  // empty: every logger
    std::string from;    // "YYYY-MM-DD": logs with records on or after that day
    std::string to;      // "YYYY-MM-DD": logs with records on or before that day
};

// What a walk along the trail found.
struct ChainCheck {
    bool intact = true;
    int64_t entries = 0;
    // The first entry whose hash does not match, or that is missing.
    int64_t brokenAt = 0;
};

// Every call answers Ok, or ArchiveUnusable with the reason as detail; a
// write is done whole or not at all. The backend fills an entry's seq, prev
// and hash as it appends it.
class Archive {
public:
    virtual ~Archive() = default;

    // Puts the row in place of the one of its path, the entry appended with
    // it; without an entry only the row changes (a file touched but unchanged).
    virtual Outcome recordLog(LogRecord& log, TrailEntry* entry) = 0;
    // The row of `from` now names `to` (to equals entry.newFile).
    virtual Outcome moveLog(const std::string& from, const std::string& to, TrailEntry& entry) = 0;
    // The row leaves the index (the file was deleted or is gone).
    virtual Outcome dropLog(const std::string& path, TrailEntry& entry) = 0;
    virtual Outcome append(TrailEntry& entry) = 0;

    virtual Outcome findLog(const std::string& path, std::optional<LogRecord>& log) = 0;
    // Sorted by path.
    virtual Outcome listLogs(const LogFilter& filter, std::vector<LogRecord>& logs) = 0;
    virtual Outcome findEntry(int64_t seq, std::optional<TrailEntry>& entry) = 0;
    // The entries of a file, in order, also those under the names it had
    // before it was renamed; every entry when `path` is empty.
    virtual Outcome entries(const std::string& path, std::vector<TrailEntry>& found) = 0;
    // The "sign" entries of a file, in order.
    virtual Outcome signatures(const std::string& path, std::vector<TrailEntry>& found) = 0;
    virtual Outcome verifyChain(ChainCheck& check) = 0;
};

// The text for an unusable archive: "The archive cannot be used: <why> Logs
// are saved, but not recorded."
std::string archiveUnusableText(const Outcome& outcome);
