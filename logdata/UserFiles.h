#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/Outcome.h"
#include "logdata/AtomicFile.h"

// The one door through which every file the program makes, renames or
// deletes for the user goes: the saved logs, the exports, the settings file
// and the file list's rename and delete. Each write is atomic (AtomicFile.h).
// After each step, done or failed, the door tells its observers what it was,
// so that whatever keeps track of the user's files (a test, an archive)
// hears of all of them from one place. Texts for the user are chosen by the
// caller from the returned outcome.

enum class UserFileKind {
    DownloadSaved,      // a log downloaded from the logger
    RealtimeSaved,      // the samples of a realtime run, at Stop or at midnight
    SavedAs,            // the log on show, through Save As
    RecoveredSaved,     // the samples a realtime journal kept after a crash
    TextExport,         // .txt
    SpreadsheetExport,  // .xls
    CsvExport,          // .csv
    BitmapExport,       // .bmp
    PdfExport,          // .pdf
    Printed,            // the report sent to a printer
    Renamed,            // a log renamed in the file list
    Deleted,            // a log deleted in the file list
    Settings,           // Dravin.ini
};

struct UserFileEvent {
    UserFileKind kind;
    // The file written or deleted, a rename's old path, a print's printer.
    std::string path;
    // A rename's new path; empty for every other kind.
    std::string newPath;
    // The log the file holds or was made from, where there is one: the file
    // it was loaded from, the saved file itself, a recovery's journal.
    std::string log;
    Outcome outcome;
};

// Told on the thread that did the step, after it. An observer may itself
// write through the door; one it adds or removes meanwhile counts from the
// next step on.
class UserFilesObserver {
public:
    virtual ~UserFilesObserver() = default;
    virtual void userFileDone(const UserFileEvent& event) = 0;
};

// What a write is: its kind, where it goes and the log it comes from.
struct UserFileTarget {
    UserFileKind kind;
    std::string path;
    std::string log;
};

class UserFiles {
public:
    // Several observers may listen; each is told once per step, in the order
    // they were added. An observer is removed before it is destroyed.
    void addObserver(UserFilesObserver& observer);
    void removeObserver(UserFilesObserver& observer);

    // Writes what `writer` gives to target.path whole or not at all. Ok with
    // the path as detail; otherwise SaveFailed with "path: reason" and the
    // system's error number, the file that had the name left as it was.
    Outcome write(const UserFileTarget& target, const FileWriter& writer);
    Outcome writeBytes(const UserFileTarget& target, std::string_view bytes);
    // A write given up before any file was made (nothing to write, a picture
    // that makes no file): SaveFailed as above with `error`, told alike.
    Outcome refuse(const UserFileTarget& target, int error);

    // Renames dir + from to dir + to, never replacing a file (LogNames.h).
    // Ok with the new path, otherwise FileFailed with "old path: reason".
    Outcome rename(const std::string& dir, const std::string& from, const std::string& to);
    // Removes dir + name. Ok with the path, otherwise FileFailed with
    // "path: reason" (ENOENT for a file that was gone already).
    Outcome remove(const std::string& dir, const std::string& name);

    // For a step the door does not do itself (a print on a printer) or one
    // refused before any file was made: the observers hear of it all the same.
    void tell(const UserFileEvent& event);

private:
    std::recursive_mutex mutex_;
    std::vector<UserFilesObserver*> observers_;
};

// The program's door, one for the whole process: the window and the
// command-line tool save through it alike.
UserFiles& userFiles();

// The outcome of a failed file step: `kind` with "path: the system's reason".
Outcome fileFailure(OutcomeKind kind, const std::string& path, int error);
