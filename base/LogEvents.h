#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// What happens to the log and the link, told by the core where it happens:
// the window, the command-line tool and later the archive subscribe instead of
// watching the store. Every handler does nothing unless overridden.

// Why a log was saved.
enum class SaveReason {
    Download,
    Realtime,
    Recovered,
    // A copy written by Save As: the log shown stays the file it was loaded from.
    SavedAs,
};

// Why the store was emptied.
enum class ClearReason {
    NewDocument,    // the window starts a document without a file
    Download,       // a download begins
    RealtimeStart,  // realtime sampling begins
    RealtimeSplit,  // a day or a full store was saved, the next log begins
};

// What cut the store to a run of its records.
enum class CutBy {
    Query,  // the date query, which reloads the file first
    Zoom,   // a box drawn on the chart, which redraws itself
};

// How a download that brought records ended, told before its log is saved:
// whatever keeps the log's provenance learns whether it is the logger's
// whole log or a part of it, and why.
enum class DownloadCut {
    None,         // every package the logger announced arrived whole
    ByUser,       // cut short by the user (Cancel, Ctrl+C)
    Stalled,      // the logger stopped sending before the end
    RecordsLost,  // packages were skipped or damaged on the way
    StoreFull,    // more records came than the store holds
};

struct DownloadSummary {
    bool manu = false;  // a Manu log (one package), else the Auto logs
    uint32_t packagesAnnounced = 0;
    uint32_t packagesReceived = 0;
    uint32_t records = 0;
    DownloadCut cut = DownloadCut::None;
};

class LogEvents {
public:
    virtual ~LogEvents() = default;
    // A log file was read into the store, its setup with it.
    virtual void logLoaded(std::string_view path) { (void)path; }
    // The store was written to `path`.
    virtual void logSaved(std::string_view path, SaveReason why) {
        (void)path;
        (void)why;
    }
    // The log shown now lives at `path` under another name.
    virtual void logRenamed(std::string_view path) { (void)path; }
    virtual void logCleared(ClearReason why) { (void)why; }
    // A download ended with records in the store (saved or not).
    virtual void logDownloaded() {}
    // The same download, how it ended; told just before its log is saved.
    virtual void downloadSummarized(const DownloadSummary& summary) { (void)summary; }
    // The store keeps only a run of its records.
    virtual void rangeCut(CutBy by) { (void)by; }
    // A realtime sample was stored at the end of the log.
    virtual void sampleAppended() {}
    // Realtime sampling has ended (stopped, or the line ended it).
    virtual void realtimeEnded() {}
    // The logger's own setup was read, its alarm limits with it.
    virtual void setupRead() {}
    virtual void linkChanged(bool connected) { (void)connected; }
    // The log is shown otherwise (channels shown or hidden), the store unchanged.
    virtual void displayChanged() {}
};

// The subscribers of the process-wide record, told in the order they came.
// A fixed list: raising an event allocates nothing.
class LogEventHub final : public LogEvents {
public:
    static constexpr int kMaxSubscribers = 16;

    LogEventHub() = default;
    // A copy of the record would tell its subscribers of another store.
    LogEventHub(const LogEventHub&) = delete;
    LogEventHub& operator=(const LogEventHub&) = delete;

    // False when the list is full; a subscriber already there is not added again.
    bool subscribe(LogEvents& subscriber);
    void unsubscribe(LogEvents& subscriber);

    void logLoaded(std::string_view path) override;
    void logSaved(std::string_view path, SaveReason why) override;
    void logRenamed(std::string_view path) override;
    void logCleared(ClearReason why) override;
    void logDownloaded() override;
    void downloadSummarized(const DownloadSummary& summary) override;
    void rangeCut(CutBy by) override;
    void sampleAppended() override;
    void realtimeEnded() override;
    void setupRead() override;
    void linkChanged(bool connected) override;
    void displayChanged() override;

private:
    template <class Raise>
    void tellAll(Raise raise);

    std::array<LogEvents*, kMaxSubscribers> subscribers_{};
    int count_ = 0;
};
