#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/LogEvents.h"
#include "link/CommandFrame.h"
#include "link/EngineHosts.h"
#include "logdata/RealtimeJournal.h"

struct AppData;
class Clock;
struct LocalTime;

// Timer ids of the main frame.
enum TimerId : int {
    kTimerIdentify = 1,
    kTimerReadSetup = 3,
    kTimerSync = 5,
    kTimerAutoDownload = 7,
    kTimerDeleteAuto = 8,
    kTimerManuDownload = 9,
    kTimerDeleteManu = 10,
    // Guards an Auto download once its first package has come: the logger
    // resends nothing, so without it a stalled download would wait for ever.
    kTimerDownloadStall = 11,
    kTimerRealtime = 15,
};
// Every timer the engine starts: each host must run them all.
inline constexpr int kEngineTimerIds[] = {
    kTimerIdentify,     kTimerReadSetup,  kTimerSync,          kTimerAutoDownload, kTimerDeleteAuto,
    kTimerManuDownload, kTimerDeleteManu, kTimerDownloadStall, kTimerRealtime,
};
inline constexpr int kRequestPeriodMs = 1000;
inline constexpr int kDownloadStallMs = 10000;

// The protocol engine of the main frame: judges every received chunk as one
// reply, dispatches it to the operation that waits for it, runs the request
// timers with their resends and time-outs, and runs the logger operations.
// Everything runs on the main thread; it is driven by calls only.
class ProtocolEngine {
public:
    ProtocolEngine(AppData& data, TimerHost& timers, PortHost& port, FrameUi& ui,
                   const Clock& clock);

    // MSG_RX_CHUNK: bytes 0..n-1 of LinkState::rxBuffer.
    void onReceive(int n);
    // The port failed (the cable was pulled): in any state, the operation in
    // progress ends, realtime samples are saved, the link ends and the user
    // is told. `reason` only goes to the trace.
    void onPortError(std::string_view reason = {});
    void onTimer(int id);

    // Connect, after the port is open and its thread started: send the
    // identify frame, arm timer 1, show "Connect to the logger...".
    void startIdentify();
    // Disconnect: end the receive thread; the port stays open.
    void disconnect();

    // Log download.
    void startAutoDownload();
    void startManuDownload();
    // While a download runs every chunk comes here, whatever it holds.
    void onLogBytes(int n);
    void finishDownload();
    bool downloadActive() const { return downloadActive_; }
    // The user's Cancel of a running download: what arrived is saved and told
    // as cut short by the user. The logger goes on sending what it was asked
    // for: until the line has been quiet for kDownloadStallMs every chunk is
    // dropped (LinkState::discarding) and no request may go out.
    void cancelDownload();

    // How a download ends.
    enum class DownloadEnd { Complete, NoLogs, TimedOut, Failed, Cancelled };

    // Setup read and synchronise.
    void readSetup();
    void onSetupReply(int n);
    void syncSetup();
    void onSyncReply(int n);

    // Realtime sampling and deleting logs.
    void startRealtime();
    void onRealtimeSample(int n);
    // Stop: saves the samples taken (NoLogs when none came).
    Outcome stopRealtime();
    void deleteAutoLogs();
    void deleteManuLogs();
    void onDeleteReply(int n);

    // Hands LinkState::txFrame to the port (first send and every resend).
    void sendFrame();

    // Support: every frame sent and every chunk received goes to this sink as
    // a hex dump when set (the command-line tool's --trace).
    using TraceSink = std::function<void(const std::string& line)>;
    void setTrace(TraceSink sink) { trace_ = std::move(sink); }

private:
    void dispatch(uint8_t replyCode, int n);
    void onIdentifyReply(int n);
    // A Connect that failed: the link ends and the port closes.
    void failConnect();
    void expire(int id);
    void armRequest(int timerId);
    // Downloads and realtime save at once: a folder that cannot take the log
    // is told before they start, not after. False (and told) then.
    bool logFolderReady();
    // Sync and delete: a reply of `length` bytes with its status done is a success.
    void reportStatusReply(int n, int length);
    void startDownload(uint8_t command, int timerId, const char* busyText);
    void stopRequestTimers();
    // False for a repeated package.
    bool takePackage(const struct LogPackage& package);
    void afterLogBytes(bool packageTaken, bool progressed);
    int downloadRecordSize() const;
    // None beyond the store.
    void appendRecords(std::span<const uint8_t> records, int count, int recordSize);
    // A download cut short (stall or port error): what arrived is saved and
    // the loss told.
    Outcome endDownloadEarly();
    // The rest of a cancelled download: dropped until the line is quiet.
    void startDiscarding();
    void discardChunk();
    void endDiscarding();
    // Saves what arrived and tells the user; the outcome carries the saved
    // path, or what failed.
    Outcome concludeDownload(DownloadEnd end);
    OutcomeKind outcomeOf(DownloadEnd end) const;
    // How the download ended, for the events: whole, or cut short and why.
    DownloadSummary summaryOf(DownloadEnd end) const;
    // Saves the realtime samples; the outcome carries the path or what failed.
    Outcome saveRealtimeLog();
    void storeSample(const LocalTime& now);
    bool splitRealtimeLog(const LocalTime& now);
    // The journal that keeps each realtime sample on disk until its log is
    // saved; a failure of it is told once a run, the sampling goes on.
    void openJournal();
    void journalSample(uint32_t index);
    void restartJournal();
    void tellJournalFailure(const std::string& where, int error);

    AppData& data_;
    TimerHost& timers_;
    PortHost& port_;
    FrameUi& ui_;
    const Clock& clock_;
    bool downloadActive_ = false;
    uint8_t downloadCode_ = 0;  // the reply code of the packages awaited
    // What arrived of the download and is not yet a whole package: at most a
    // package's worth and one chunk.
    std::array<uint8_t, 8192> stream_{};
    size_t streamLength_ = 0;
    bool replied_ = false;  // the logger has begun to answer the download request
    bool logCut_ = false;
    bool recordsLost_ = false;
    // The Auto packages that arrived whole in this download, for its summary.
    uint32_t packagesTaken_ = 0;
    // A full realtime store whose save failed: not retried before the next day.
    bool realtimeSaveFailed_ = false;
    RealtimeJournal journal_;
    bool journalFailureTold_ = false;
    TraceSink trace_;
};

// The validation of Sync: the error text with one numbered line per failed
// rule, or an empty string when every rule passes.
std::string validateSetup(const struct LoggerSetup& setup);
