#include <algorithm>
#include <cstdio>
#include <span>
#include <string>

#include "base/Texts.h"
#include "link/EngineTexts.h"
#include "link/LogRecordCodec.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogSaver.h"
#include "record/AppData.h"

namespace {

constexpr const char* kLostText = txNoop("\r\nSome records did not arrive whole and were lost.");

std::string progressText(uint32_t done, uint32_t total) {
    char text[96];
    std::snprintf(text, sizeof text, tx("\r\nDownloading %u pacakges, total %u pacakges..."), done,
                  total);
    return text;
}

const char* endSourceText(ProtocolEngine::DownloadEnd end) {
    switch (end) {
        case ProtocolEngine::DownloadEnd::Complete:
            return kSuccessText;
        case ProtocolEngine::DownloadEnd::NoLogs:
            return txNoop("\r\nNo logs.");
        case ProtocolEngine::DownloadEnd::TimedOut:
            return kTimeoutText;
        case ProtocolEngine::DownloadEnd::Cancelled:
            return tx("\r\nThe download was cut short by the user.");
        case ProtocolEngine::DownloadEnd::Failed:
            break;
    }
    return kFailedText;
}

const char* endText(ProtocolEngine::DownloadEnd end) {
    return tx(endSourceText(end));
}

std::string cutText() {
    char text[96];
    std::snprintf(text, sizeof text, tx("\r\nThe log was cut at %u records."), kLogCapacity);
    return text;
}

}  // namespace

void ProtocolEngine::startAutoDownload() {
    startDownload(CMD_AUTO_LOGS, kTimerAutoDownload, tx("Downloading data, please wait..."));
}

void ProtocolEngine::startManuDownload() {
    startDownload(CMD_MANU_LOGS, kTimerManuDownload, tx("\r\nDownload Manu-logs..."));
}

void ProtocolEngine::startDownload(uint8_t command, int timerId, const char* busyText) {
    if (!logFolderReady()) return;
    LinkState& link = data_.link;
    buildFrame(link, data_.log.setup, command);
    sendFrame();
    link.packagesDone = 0;
    link.packagesTotal = 0;
    packagesTaken_ = 0;
    data_.log.store.clear();
    data_.events.logCleared(ClearReason::Download);
    armRequest(timerId);
    downloadActive_ = true;
    downloadCode_ = static_cast<uint8_t>(command + 1);
    streamLength_ = 0;
    replied_ = false;
    logCut_ = false;
    recordsLost_ = false;
    // Modal: returns when the user closes the box, so everything is set before.
    ui_.openBusyBox(busyText);
}

// The logger sends its packages back to back and the port cuts them into
// chunks wherever a read ends, so a package may begin in one chunk and end in
// the next: while a download runs, the bytes are one stream, and what is not
// yet a whole package waits for the next chunk.
void ProtocolEngine::onLogBytes(int n) {
    const auto chunk = std::span<const uint8_t>(data_.link.rxBuffer)
                           .first(static_cast<size_t>(std::clamp(n, 0, kTxBufferSize)));
    if (chunk.size() > stream_.size() - streamLength_) {
        // Only bytes that never formed a package can fill the stream.
        recordsLost_ = true;
        streamLength_ = 0;
    }
    std::copy(chunk.begin(), chunk.end(), stream_.begin() + static_cast<long>(streamLength_));
    streamLength_ += chunk.size();

    bool packageTaken = false;
    bool progressed = false;
    size_t at = 0;
    while (at < streamLength_) {
        const auto rest = std::span<const uint8_t>(stream_).subspan(at, streamLength_ - at);
        const LogPackage package = decodeLogPackage(rest, downloadCode_, downloadRecordSize());
        if (package.status == LogPackage::Foreign) {
            at += nextFrameLead(rest);
            continue;
        }
        // The reply has begun: resending the request now would purge it.
        if (!replied_ && rest.size() > kFrameCodeOffset) {
            replied_ = true;
            progressed = true;
            stopRequestTimers();
        }
        if (package.status == LogPackage::Incomplete) break;
        if (package.status == LogPackage::Bad) {
            // A package that does not check out is not decoded: its records are lost.
            recordsLost_ = true;
            at += nextFrameLead(rest);
            continue;
        }
        at += package.used;
        if (package.status == LogPackage::NoLogs) {
            // Only an answer to the request says so; once packages came it is a stray.
            if (data_.link.packagesDone > 0) continue;
            ui_.operationEnded(concludeDownload(DownloadEnd::NoLogs));
            return;
        }
        progressed = takePackage(package) || progressed;
        packageTaken = true;
    }
    std::copy(stream_.begin() + static_cast<long>(at),
              stream_.begin() + static_cast<long>(streamLength_), stream_.begin());
    streamLength_ -= at;
    afterLogBytes(packageTaken, progressed || streamLength_ > 0);
}

void ProtocolEngine::stopRequestTimers() {
    timers_.stopTimer(kTimerAutoDownload);
    timers_.stopTimer(kTimerManuDownload);
}

bool ProtocolEngine::takePackage(const LogPackage& package) {
    LinkState& link = data_.link;
    link.packagesTotal = package.total;
    // A repeated package brings nothing new; a number that skips tells of
    // packages that never came.
    if (package.number <= link.packagesDone) return false;
    if (package.number > link.packagesDone + 1) recordsLost_ = true;
    link.packagesDone = package.number;
    ++packagesTaken_;
    appendRecords(package.records, package.count, downloadRecordSize());
    return true;
}

void ProtocolEngine::afterLogBytes(bool packageTaken, bool progressed) {
    const LinkState& link = data_.link;
    // The Manu log is one package: whatever became of it ends the download.
    if (downloadCode_ == REPLY_MANU_LOGS && (packageTaken || recordsLost_)) {
        finishDownload();
        return;
    }
    if (downloadCode_ == REPLY_AUTO_LOGS && packageTaken) {
        data_.busyText = progressText(link.packagesDone, link.packagesTotal);
        ui_.downloadProgress(static_cast<int>(link.packagesDone),
                             static_cast<int>(link.packagesTotal));
        ui_.updateBusyBox(false);
        if (link.packagesDone >= link.packagesTotal) {
            finishDownload();
            return;
        }
    }
    // The logger resends nothing: a package that never comes (or never
    // ends) must not leave the busy box waiting for ever.
    if (progressed) timers_.startTimer(kTimerDownloadStall, kDownloadStallMs);
}

int ProtocolEngine::downloadRecordSize() const {
    return downloadCode_ == REPLY_MANU_LOGS ? kManuRecordSize : kAutoRecordSize;
}

void ProtocolEngine::appendRecords(std::span<const uint8_t> records, int count, int recordSize) {
    LogStore& store = data_.log.store;
    const int room = static_cast<int>(kLogCapacity - store.recordCount);
    const int taken = std::min(count, room);
    if (taken < count) logCut_ = true;
    const auto size = static_cast<size_t>(recordSize);
    float values[kChannels];
    for (int i = 0; i < taken; ++i) {
        const uint32_t at = store.recordCount;
        decodeLogRecord(records.subspan(static_cast<size_t>(i) * size, size), store.timestamps[at],
                        values);
        for (int c = 0; c < kChannels; ++c) store.values[c][at] = values[c];
        ++store.recordCount;
    }
}

void ProtocolEngine::finishDownload() {
    if (downloadCode_ == REPLY_AUTO_LOGS && data_.link.packagesDone < data_.link.packagesTotal)
        recordsLost_ = true;
    ui_.operationEnded(concludeDownload(DownloadEnd::Complete));
}

Outcome ProtocolEngine::endDownloadEarly() {
    // Packages that never came or never ended: what did arrive is kept.
    if (streamLength_ > 0 || data_.link.packagesDone < data_.link.packagesTotal)
        recordsLost_ = true;
    return concludeDownload(DownloadEnd::TimedOut);
}

Outcome ProtocolEngine::concludeDownload(DownloadEnd end) {
    stopRequestTimers();
    timers_.stopTimer(kTimerDownloadStall);
    downloadActive_ = false;
    streamLength_ = 0;
    LogStore& store = data_.log.store;
    if (store.recordCount == 0) {
        // Nothing to save, so nothing to call a success.
        if (end == DownloadEnd::Complete)
            end = recordsLost_ ? DownloadEnd::Failed : DownloadEnd::NoLogs;
        data_.busyText = endText(end);
        if (recordsLost_) data_.busyText += tx(kLostText);
        ui_.updateBusyBox(true);
        return {outcomeOf(end)};
    }
    store.computeStatistics();
    data_.events.logDownloaded();
    data_.events.downloadSummarized(summaryOf(end));
    const Outcome saved = saveDownloadedLog(data_, ui_);
    if (!saved.ok()) {
        // The records stay in the store; only the file is missing.
        data_.busyText = tx("\r\n Failed.");
        ui_.updateBusyBox(true);
        return saved;
    }
    data_.busyText = endText(end);
    if (logCut_) data_.busyText += cutText();
    if (recordsLost_) data_.busyText += tx(kLostText);
    ui_.updateBusyBox(true);
    // The path of what was saved, for whoever reports it.
    return {outcomeOf(end), store.currentFilePath};
}

DownloadSummary ProtocolEngine::summaryOf(DownloadEnd end) const {
    DownloadSummary summary;
    summary.manu = downloadCode_ == REPLY_MANU_LOGS;
    summary.packagesAnnounced = summary.manu ? 1 : data_.link.packagesTotal;
    summary.packagesReceived = summary.manu ? (recordsLost_ ? 0 : 1) : packagesTaken_;
    summary.records = data_.log.store.recordCount;
    if (end == DownloadEnd::Cancelled)
        summary.cut = DownloadCut::ByUser;
    else if (end == DownloadEnd::TimedOut)
        summary.cut = DownloadCut::Stalled;
    else if (recordsLost_)
        summary.cut = DownloadCut::RecordsLost;
    else if (logCut_)
        summary.cut = DownloadCut::StoreFull;
    return summary;
}

OutcomeKind ProtocolEngine::outcomeOf(DownloadEnd end) const {
    if (end == DownloadEnd::TimedOut) return OutcomeKind::Timeout;
    if (end == DownloadEnd::Cancelled) return OutcomeKind::Cancelled;
    if (recordsLost_) return OutcomeKind::RecordsLost;
    return end == DownloadEnd::NoLogs ? OutcomeKind::NoLogs : OutcomeKind::Ok;
}
