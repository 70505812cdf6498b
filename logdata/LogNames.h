#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/Outcome.h"

// The rules of the file list, without a window: which files of the Logfiles
// folder it lists, how it groups them, which new names a rename takes, and the
// rename and delete themselves.

// The shortest name listed: "a_b.drav".
inline constexpr std::size_t kShortestLogName = 8;

// True for a name the list shows: one that the pattern "*_*.drav" matches (a
// "_" somewhere before a final ".drav", the extension in any case, as the
// directory search of the original platform matched it) and that has at least
// kShortestLogName characters.
bool isListedLogName(std::string_view name);

// The group a listed name belongs to: the part before its first "_" (the
// serial number for the logs the program writes).
std::string_view logGroupText(std::string_view name);

struct LogGroup {
    std::string text;
    std::vector<std::string> files;
};

// Sorts the names in ascending byte order, then starts a group at every change
// of group text: one group per serial number, whatever the order given. Names
// the list does not show are left out.
std::vector<LogGroup> groupLogNames(std::vector<std::string> names);

// The names of the regular files (or links to them) in `dir` that the list
// shows, in the order the directory gives them; none when `dir` is missing or
// cannot be read.
std::vector<std::string> listLogNames(const std::string& dir);

enum class NewNameCheck {
    Ok,
    Invalid,  // not "*_*.drav": "Invalid new file name."
    Refused,  // a character no file name may hold: "Command failed."
};

// The rename dialog's name test: valid when its first "_" and its first
// ".drav" are not at the start (".drav" anywhere, "x_y.dravbak" passes). A
// valid name that holds \ / : * ? " < > | or a control character is refused,
// as the original platform's file system refused it.
NewNameCheck checkNewLogName(std::string_view name);

// Renames dir + from to dir + to without ever replacing a file: an existing
// target makes it fail, also when it appears between a check and the rename.
// Ok with the new path, otherwise FileFailed with "old path: reason" and the
// system's error number (EEXIST for an existing target).
Outcome renameLogFile(const std::string& dir, const std::string& from, const std::string& to);

// Removes dir + name: Ok with the path, otherwise FileFailed with
// "path: reason" and the system's error number.
Outcome deleteLogFile(const std::string& dir, const std::string& name);
