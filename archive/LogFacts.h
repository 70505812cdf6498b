#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "archive/Archive.h"

// What the archive reads of a log file: its header's identity and counts,
// its first and last record's times, without loading the records.
// Nothing when the file cannot be read or is no whole log.
std::optional<LogFacts> readLogFacts(const std::string& path);

// The size and the modification time of a file, as the archive compares them.
struct FileStamp {
    int64_t size = 0;
    int64_t mtimeNs = 0;
};
std::optional<FileStamp> fileStamp(const std::string& path);

// A row for the file as it is now: its stamp, hash and facts. Nothing (and
// `error`) when it cannot be read.
std::optional<LogRecord> describeLogFile(const std::string& path, int* error = nullptr);
