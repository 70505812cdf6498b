#pragma once

#include <string>
#include <vector>

// What a realtime run that never reached Stop or midnight left in its journal
// (RealtimeJournal.h) becomes the log that Stop would have saved, named after
// its last sample and written by the same saver into the same folder.

enum class JournalOutcome {
    Saved,       // the log is saved and the journal removed
    Empty,       // no sample to save: the journal is removed
    Unreadable,  // not a journal, or it cannot be read: kept
    SaveFailed,  // the log could not be written: the journal is kept
};

struct JournalRecovery {
    std::string journal;  // the journal's path
    JournalOutcome outcome;
    // Saved: the log's path; Unreadable and SaveFailed: what went wrong.
    std::string detail;
};

// Recovers the journal at `path`, saving into `folder` (ending in '/'). A
// journal that its writer still holds (a sampling that runs) is left alone:
// false then, and `result` is not set.
bool recoverRealtimeJournal(const std::string& path, const std::string& folder,
                            JournalRecovery& result);

// Recovers every journal in `folder` (ending in '/') in the order of their
// names; none when the folder is missing or holds none.
std::vector<JournalRecovery> recoverRealtimeJournals(const std::string& folder);

// What the user is told of one recovery, beginning with "\r\n"; empty for
// a journal without samples.
std::string journalRecoveryText(const JournalRecovery& recovery);
// The texts of all of them in one message; empty when there is nothing to tell.
std::string journalRecoveryMessage(const std::vector<JournalRecovery>& recoveries);
