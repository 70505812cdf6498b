#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct LogStore;
struct LoggerSetup;

// Realtime samples live in the store until Stop or midnight saves them. Each
// one is also appended to a journal in the log folder as it is stored, so
// that a crash, a kill or a power cut loses none of them: what a journal
// holds is saved later as the log Stop would have saved (JournalRecovery.h).
//
// A journal is a hidden text file, ".<SerialNo>.realtime" (".<SerialNo>.2.realtime"
// and on when that name is taken). Its first line carries what the saved log
// needs besides the records, each byte outside '!'..'~' and '%' as %XX:
//   dravin-realtime-journal 1 serial=1234567890 name=Cold%20room%00... hardware=V2.10
//   channels=2 units=0,1,0,1
// (one line), then one line a sample: the timestamp and the four values, each
// in the shortest form that reads back as the same float:
//   20240309070502 23.5 25.3 -20 0
// Its writer holds a lock on it (flock) for as long as it runs, so nobody
// takes a journal that is still being written.

inline constexpr std::string_view kJournalExtension = ".realtime";

class RealtimeJournal {
public:
    RealtimeJournal() = default;
    // Closes the journal and leaves the file, as a crash would.
    ~RealtimeJournal() { close(); }
    RealtimeJournal(const RealtimeJournal&) = delete;
    RealtimeJournal& operator=(const RealtimeJournal&) = delete;

    // Creates a new journal in `folder` (ending in '/') whose first line is
    // the identity of the store and the setup. A journal left from before is
    // never written to: the new one takes the next free name. It appears
    // only with its first line whole. 0 or the system's error number.
    int open(const std::string& folder, const LogStore& store, const LoggerSetup& setup);
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    // Appends record `index` of the store in one write; 0 or the error number.
    int append(const LogStore& store, uint32_t index);
    // The records journaled so far were saved: only the first line stays.
    // 0 or the error number.
    int restart();
    // The samples were saved: the journal is removed.
    void discard();
    // The samples were not saved: the journal stays for a later recovery.
    void close();

private:
    int fd_ = -1;
    std::string path_;
    std::string header_;
};

// The journal's name for a logger: ".<SerialNo>.realtime", each character of
// the serial number that would make an awkward file name (a blank, a control
// character, '/', anything beyond ASCII) made '_'. `ordinal` 1 is the plain name, 2 and up
// give ".<SerialNo>.<ordinal>.realtime".
std::string journalName(const char (&serialNo)[10], int ordinal = 1);

// True for a name journalName could have given.
bool isJournalName(std::string_view name);

// Fills the store (records, channel count, unit codes and texts) and the
// setup's identity (serial number, name, hardware version) from a journal's
// text. A last line without its line end (cut off by a crash) is left out,
// never the samples before it. False, with what is wrong in `problem`, when
// the first line is no journal's or a whole line is no sample; the store and
// the setup may then hold part of it. A text without one whole line reads as
// a journal without samples and an empty identity.
bool readRealtimeJournal(std::string_view text, LogStore& store, LoggerSetup& setup,
                         std::string& problem);
