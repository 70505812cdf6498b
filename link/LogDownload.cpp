#include <algorithm>
#include <cstdio>
#include <span>
#include <string>

#include "app/AppData.h"
#include "link/ByteOrder.h"
#include "link/LogRecordCodec.h"
#include "link/ProtocolEngine.h"
#include "logdata/LogSaver.h"

namespace {

// Log package layout; a package is kPackageOverhead + s*r bytes long.
constexpr int kTotalOffset = 16;
constexpr int kNumberOffset = 18;
constexpr int kCountOffset = 20;
constexpr int kRecordsOffset = 21;  // also the bytes a header needs
constexpr int kPackageOverhead = 26;
constexpr int kAutoNoLogsLength = 21;
constexpr int kManuNoLogsLength = 26;

std::string progressText(uint32_t done, uint32_t total) {
    char text[96];
    std::snprintf(text, sizeof text, "\r\nDownloading %u pacakges, total %u pacakges...", done,
                  total);
    return text;
}

std::string cutText() {
    return "\r\nThe log was cut at " + std::to_string(kLogCapacity) + " records.";
}

}  // namespace

void ProtocolEngine::startAutoDownload() {
    startDownload(CMD_AUTO_LOGS, kTimerAutoDownload, "Downloading data, please wait...");
}

void ProtocolEngine::startManuDownload() {
    startDownload(CMD_MANU_LOGS, kTimerManuDownload, "\r\nDownload Manu-logs...");
}

void ProtocolEngine::startDownload(uint8_t command, int timerId, const char* busyText) {
    LinkState& link = data_.link;
    buildFrame(link, data_.setup, command);
    sendFrame();
    link.packagesDone = 0;
    link.packagesTotal = 0;
    data_.store.clear();
    link.rxBuffer.fill(0);
    armRequest(timerId);
    downloadActive_ = true;
    logCut_ = false;
    recordsLost_ = false;
    // Modal: returns when the user closes the box, so everything is set before.
    ui_.openBusyBox(busyText);
}

void ProtocolEngine::onAutoLogReply(int n) {
    // A package that comes when no download waits would land in a log that is
    // open for viewing.
    if (!downloadActive_) return;
    if (n == kAutoNoLogsLength) {
        endDownload("\r\nNo logs.", true);
        return;
    }
    LinkState& link = data_.link;
    const uint32_t doneBefore = link.packagesDone;
    const int end = std::min(n, kTxBufferSize);
    for (int offset = 0; offset < end;) offset = decodePackage(offset, end, kAutoRecordSize);

    data_.busyText = progressText(link.packagesDone, link.packagesTotal);
    ui_.updateBusyBox(false);
    if (link.packagesDone == link.packagesTotal) {
        finishDownload();
    } else if (link.packagesDone != doneBefore || link.packagesDone == 0) {
        // The logger resends nothing: a package that never comes must not
        // leave the busy box waiting for ever. A reply that brought no
        // package at all is guarded too, since its request timer has stopped.
        timers_.startTimer(kTimerDownloadStall, kDownloadStallMs);
    }
}

void ProtocolEngine::onManuLogReply(int n) {
    if (!downloadActive_) return;
    if (n == kManuNoLogsLength) {
        endDownload("\r\nNo logs.", true);
        return;
    }
    decodePackage(0, std::min(n, kTxBufferSize), kManuRecordSize);
    finishDownload();
}

int ProtocolEngine::decodePackage(int offset, int n, int recordSize) {
    if (offset + kRecordsOffset > n) return n;
    LinkState& link = data_.link;
    const auto package = std::span<const uint8_t>(link.rxBuffer).subspan(offset, n - offset);
    link.packagesTotal = readU16le(package, kTotalOffset);
    const uint16_t number = readU16le(package, kNumberOffset);
    if (number <= link.packagesDone) return n;
    link.packagesDone = number;
    const int count = package[kCountOffset];
    if (count == 0) return n;

    const int inChunk = (n - offset - kRecordsOffset) / recordSize;
    // The rest of such a package comes in a chunk of its own, which is no
    // package: its records are lost, and the user must not hear of success alone.
    if (inChunk < count) recordsLost_ = true;
    appendRecords(package.subspan(kRecordsOffset), std::min(count, inChunk), recordSize);
    return offset + kPackageOverhead + recordSize * count;
}

void ProtocolEngine::appendRecords(std::span<const uint8_t> records, int count, int recordSize) {
    LogStore& store = data_.store;
    const int room = static_cast<int>(kLogCapacity - store.recordCount);
    const int taken = std::min(count, room);
    if (taken < count) logCut_ = true;
    float values[kChannels];
    for (int i = 0; i < taken; ++i) {
        const uint32_t at = store.recordCount;
        decodeLogRecord(records.subspan(i * recordSize, recordSize), store.timestamps[at], values);
        for (int c = 0; c < kChannels; ++c) store.values[c][at] = values[c];
        ++store.recordCount;
    }
}

void ProtocolEngine::endDownload(const char* text, bool ok) {
    closeDownload(text);
    ui_.operationEnded(ok);
}

void ProtocolEngine::closeDownload(const char* text) {
    timers_.stopTimer(kTimerAutoDownload);
    timers_.stopTimer(kTimerManuDownload);
    timers_.stopTimer(kTimerDownloadStall);
    downloadActive_ = false;
    data_.busyText = text;
    ui_.updateBusyBox(true);
}

void ProtocolEngine::finishDownload() {
    timers_.stopTimer(kTimerDownloadStall);
    downloadActive_ = false;
    LogStore& store = data_.store;
    store.computeStatistics();
    if (!saveDownloadedLog(data_, ui_)) {
        // The records stay in the store; only the file is missing.
        data_.busyText = "\r\n Failed.";
        ui_.updateBusyBox(true);
        ui_.operationEnded(false);
        return;
    }
    ui_.showPaneAlone(kPaneFileList);
    ui_.fillFileList();
    data_.busyText = "\r\nSuccess.";
    if (logCut_) data_.busyText += cutText();
    if (recordsLost_) data_.busyText += "\r\nSome records did not arrive whole and were lost.";
    ui_.updateBusyBox(true);
    ui_.redrawChart();
    ui_.setDocumentTitle(store.currentFileName);
    ui_.operationEnded(true);
}
