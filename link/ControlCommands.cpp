#include <algorithm>
#include <cstdio>
#include <span>
#include <system_error>

#include "base/Texts.h"
#include "link/Clock.h"
#include "link/LogRecordCodec.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogSaver.h"
#include "record/AppData.h"

namespace {

// "%4d%02d%02d%02d%02d%02d" of the PC's clock: samples carry no time of their own.
void stampClock(const LocalTime& now, Timestamp& time) {
    char text[80];
    std::snprintf(text, sizeof text, "%4d%02d%02d%02d%02d%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    std::copy_n(text, kTimestampLength, time.begin());
}

}  // namespace

void ProtocolEngine::startRealtime() {
    if (!logFolderReady()) return;
    data_.log.store.clear();
    openJournal();
    buildFrame(data_.link, data_.log.setup, CMD_REALTIME);
    sendFrame();
    // No resends: every second brings a new request of its own.
    timers_.startTimer(kTimerRealtime, kRequestPeriodMs);
    ui_.showProgress(tx("Samping in realtime..."));
    data_.events.logCleared(ClearReason::RealtimeStart);
    realtimeSaveFailed_ = false;
    data_.link.realtimeActive = true;
}

void ProtocolEngine::onRealtimeSample(int n) {
    // A sample that comes after Stop would land in the saved log.
    if (n != kRealtimeSampleLength || !data_.link.realtimeActive) return;
    const bool first = data_.log.store.recordCount == 0;
    if (first) ui_.hideProgress();
    const LocalTime now = clock_.now();
    // A full store that could not be saved has no room for the sample.
    if (!splitRealtimeLog(now)) return;
    storeSample(now);
    data_.events.sampleAppended();
}

bool ProtocolEngine::splitRealtimeLog(const LocalTime& now) {
    LinkState& link = data_.link;
    LogStore& store = data_.log.store;
    const bool newDay =
        store.recordCount > 0 && link.realtimeDay != 0 && now.day != link.realtimeDay;
    // A full store is closed like a day, so no sample goes beyond the arrays.
    const bool full = store.recordCount >= kLogCapacity && !realtimeSaveFailed_;
    if (!newDay && !full) {
        link.realtimeDay = now.day;
    } else if (saveRealtimeLog().ok()) {
        link.realtimeDay = 0;
        realtimeSaveFailed_ = false;
        restartJournal();
        store.clear();
        data_.events.logCleared(ClearReason::RealtimeSplit);
    } else {
        // The records stay and the samples go on in the same store: the
        // failure is told once, and Stop or the next day saves again.
        link.realtimeDay = now.day;
        realtimeSaveFailed_ = true;
    }
    return store.recordCount < kLogCapacity;
}

void ProtocolEngine::storeSample(const LocalTime& now) {
    LogStore& store = data_.log.store;
    const uint32_t at = store.recordCount;
    float values[kChannels];
    decodeRealtimeSample(std::span<const uint8_t>(data_.link.rxBuffer).first(kRealtimeSampleLength),
                         values);
    for (int c = 0; c < kChannels; ++c) store.values[c][at] = values[c];
    stampClock(now, store.timestamps[at]);
    store.recordCount = at + 1;
    store.appendStatistics();
    journalSample(at);
}

Outcome ProtocolEngine::stopRealtime() {
    timers_.stopTimer(kTimerRealtime);
    data_.link.realtimeActive = false;
    // Stopped before the first sample came, the window still says it samples.
    ui_.hideProgress();
    const Outcome saved =
        data_.log.store.recordCount > 0 ? saveRealtimeLog() : Outcome{OutcomeKind::NoLogs};
    // Unsaved samples stay in the journal for a later recovery.
    if (saved.ok())
        journal_.discard();
    else
        journal_.close();
    data_.events.realtimeEnded();
    return saved;
}

Outcome ProtocolEngine::saveRealtimeLog() {
    const Outcome saved = saveDownloadedLog(data_, ui_, UserFileKind::RealtimeSaved);
    if (!saved.ok()) return saved;
    return {OutcomeKind::Ok, data_.log.store.currentFilePath};
}

void ProtocolEngine::openJournal() {
    journalFailureTold_ = false;
    const std::string folder = logFilesDir(data_);
    const int error = journal_.open(folder, data_.log.store, data_.log.setup);
    if (error != 0) tellJournalFailure(folder, error);
}

void ProtocolEngine::journalSample(uint32_t index) {
    if (!journal_.isOpen()) return;
    const int error = journal_.append(data_.log.store, index);
    if (error != 0) tellJournalFailure(journal_.path(), error);
}

// The store's records were saved at midnight or when it was full: the
// journal begins again with the next sample.
void ProtocolEngine::restartJournal() {
    if (!journal_.isOpen()) return;
    const int error = journal_.restart();
    if (error == 0) return;
    tellJournalFailure(journal_.path(), error);
    // Left as it is, it would bring back records that are saved already.
    journal_.discard();
}

void ProtocolEngine::tellJournalFailure(const std::string& where, int error) {
    if (journalFailureTold_) return;
    journalFailureTold_ = true;
    const std::string reason = std::generic_category().message(error);
    char text[1024];
    std::snprintf(text, sizeof text,
                  tx("\r\nRealtime samples cannot be journaled (%s: %s); a crash would lose them."),
                  where.c_str(), reason.c_str());
    ui_.showMessage(text);
}

void ProtocolEngine::deleteAutoLogs() {
    buildFrame(data_.link, data_.log.setup, CMD_DELETE_AUTO);
    sendFrame();
    armRequest(kTimerDeleteAuto);
    ui_.showProgress(tx("Delete Auto-logs, please wait..."));
}

void ProtocolEngine::deleteManuLogs() {
    buildFrame(data_.link, data_.log.setup, CMD_DELETE_MANU);
    sendFrame();
    armRequest(kTimerDeleteManu);
    ui_.showProgress(tx("Delete Manu-logs..."));
}

void ProtocolEngine::onDeleteReply(int n) {
    reportStatusReply(n, kDeleteReplyLength);
}
