#pragma once

#include <memory>
#include <string>

#include "CliOptions.h"
#include "archive/ArchiveRecorder.h"

class LogEventHub;

// The folder of Dravin.ini, Logfiles/ and archive.sqlite: --data-dir, else
// the program's data folder; ends in '/'.
std::string cliDataDir(const CliOptions& options);

// While a command writes for the user: records each file in the archive of
// the data folder (the download's end through `events`, when given), opened
// when the first file is written. When
// the archive cannot be used, its end says so on stderr; the files are
// written all the same.
class ArchiveSession {
public:
    ArchiveSession(const std::string& dataDir, LogEventHub* events);
    ~ArchiveSession();
    ArchiveSession(const ArchiveSession&) = delete;
    ArchiveSession& operator=(const ArchiveSession&) = delete;

private:
    std::unique_ptr<ArchiveRecorder> recorder_;
    LogEventHub* events_;
};

int verifyLogs(const CliOptions& options);
int auditTrail(const CliOptions& options);
int signLog(const CliOptions& options);
int archiveCommand(const CliOptions& options);
