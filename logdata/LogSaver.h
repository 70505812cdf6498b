#pragma once

#include <string>

#include "base/LogEvents.h"
#include "logdata/UserFiles.h"

struct AppData;
class FrameUi;

// "<SerialNo>_<YYYYMMDD>_<hhmm>.drav" from the serial number and the last record.
std::string downloadedLogName(const AppData& data);

// Saves the store as Logfiles/<name> at once, makes it the current file and
// tells data.events why it was saved: Ok with the path, or Ok with no path
// when the store is empty (nothing to save). On a failed create or write it
// shows "\r\n Failed." and ends SaveFailed with "path: the system's reason";
// a log that had the name before stays as it was. A serial number with
// anything but printable characters other than '/' makes no file name and
// fails the same way. The file goes through the user-file door as `why`: a
// download, a realtime run, a recovered journal (`log`: the journal it came
// from).
Outcome saveDownloadedLog(AppData& data, FrameUi& ui,
                          UserFileKind why = UserFileKind::DownloadSaved,
                          const std::string& log = {});

// Asked before a download or realtime sampling starts, so that a folder that
// cannot take the log shows at once rather than after the whole download.
// Empty when a file can be created in logFilesDir(data); otherwise the folder
// and the system's reason, "/opt/dravin/Logfiles/: Read-only file system".
std::string logFolderProblem(const AppData& data);
// The message for it: "\r\nCannot save logs in " and the problem.
std::string logFolderMessage(const std::string& problem);
