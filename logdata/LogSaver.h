#pragma once

#include <string>

#include "base/LogEvents.h"
#include "logdata/UserFiles.h"

struct AppData;
class FrameUi;

// "<SerialNo>_<YYYYMMDD>_<hhmm>.drav" from the serial number and the last record.
std::string downloadedLogName(const AppData& data);

// Saves the store as Logfiles/<name> at once, makes it the current file and
// tells data.events why it was saved. True when the file was written, or when
// the store is empty (nothing to save). On a failed create or write it shows
// "\r\n Failed." and returns false; a log that had the name before stays as
// it was. A serial number with anything but printable characters other than
// '/' makes no file name and fails the same way.
// `failure`, when given, receives what failed: the path and the system's reason.
// The file goes through the user-file door as a download.
bool saveDownloadedLog(AppData& data, FrameUi& ui, std::string* failure = nullptr);
// The same for a log saved under that name for another reason `why`: a
// realtime run, a recovered journal (`log`: the journal it came from).
bool saveDownloadedLog(AppData& data, FrameUi& ui, UserFileKind why, std::string* failure,
                       const std::string& log = {});

// Asked before a download or realtime sampling starts, so that a folder that
// cannot take the log shows at once rather than after the whole download.
// Empty when a file can be created in logFilesDir(data); otherwise the folder
// and the system's reason, "/opt/dravin/Logfiles/: Read-only file system".
std::string logFolderProblem(const AppData& data);
// The message for it: "\r\nCannot save logs in " and the problem.
std::string logFolderMessage(const std::string& problem);
