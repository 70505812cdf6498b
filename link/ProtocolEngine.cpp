#include "link/ProtocolEngine.h"

#include <algorithm>
#include <span>
#include <utility>

#include "link/EngineTexts.h"
#include "link/HexDump.h"
#include "logdata/LogSaver.h"
#include "record/AppData.h"

ProtocolEngine::ProtocolEngine(AppData& data, TimerHost& timers, PortHost& port, FrameUi& ui,
                               const Clock& clock)
    : data_(data), timers_(timers), port_(port), ui_(ui), clock_(clock) {}

void ProtocolEngine::onReceive(int n) {
    if (trace_ && n > 0 && n <= kTxBufferSize)
        trace_("rx " + hexDump(std::span<const uint8_t>(data_.link.rxBuffer).first(n)));
    if (data_.link.discarding) {
        discardChunk();
        return;
    }
    if (downloadActive_) {
        onLogBytes(n);
        return;
    }
    const ChunkClass chunk = classifyChunk(data_.link, n);
    // While sampling runs nothing else was asked for: any other reply is a
    // stray, and must not end the sampling or the link behind its back.
    if (data_.link.realtimeActive && chunk.replyCode != REPLY_REALTIME) return;
    switch (chunk.kind) {
        case ChunkClass::Ignore:
            return;
        case ChunkClass::Reply:
            dispatch(chunk.replyCode, n);
            return;
    }
}

void ProtocolEngine::dispatch(uint8_t replyCode, int n) {
    LinkState& link = data_.link;
    switch (replyCode) {
        case REPLY_IDENTIFY:
            onIdentifyReply(n);
            break;
        case REPLY_SETUP:
            timers_.stopTimer(kTimerReadSetup);
            ui_.hideProgress();
            if (n == kSetupReplyLength) {
                onSetupReply(n);
            } else {
                ui_.showMessage(tx(kFailedText));
                ui_.operationEnded({OutcomeKind::Refused});
            }
            break;
        case REPLY_SYNC:
            timers_.stopTimer(kTimerSync);
            ui_.hideProgress();
            onSyncReply(n);
            break;
        case REPLY_DELETE_AUTO:
            timers_.stopTimer(kTimerDeleteAuto);
            ui_.hideProgress();
            onDeleteReply(n);
            break;
        case REPLY_DELETE_MANU:
            timers_.stopTimer(kTimerDeleteManu);
            ui_.hideProgress();
            onDeleteReply(n);
            break;
        case REPLY_REALTIME:
            onRealtimeSample(n);
            break;
        case REPLY_0x73:
        case REPLY_0x81:
            ui_.hideProgress();
            ui_.showMessage(
                tx(link.rxBuffer[kStatusOffset] == kStatusDone ? kSuccessText : kFailedText));
            link.awaitedReply = 0;
            break;
        default:
            break;
    }
}

void ProtocolEngine::onIdentifyReply(int n) {
    LinkState& link = data_.link;
    timers_.stopTimer(kTimerIdentify);
    ui_.hideProgress();
    if (n != kIdentifyReplyLength) {
        failConnect();
        ui_.showMessage(tx("Failed, please try again."));
        ui_.operationEnded({OutcomeKind::Refused});
        return;
    }
    if (link.rxBuffer[kStatusOffset] != kStatusDone) {
        failConnect();
        ui_.showMessage(tx(kFailedText));
        ui_.operationEnded({OutcomeKind::Refused});
        return;
    }
    const auto serial = link.rxBuffer.begin() + kFrameSerialOffset;
    std::copy(serial, serial + sizeof data_.log.setup.serialNo, data_.log.setup.serialNo);
    data_.log.setup.channelConfig = link.rxBuffer[kIdentifyConfigOffset];
    applyChannelConfig(data_.log.setup.channelConfig, data_.log.store);
    link.connected = true;
    data_.events.linkChanged(true);
    link.awaitedReply = 0;
    ui_.operationEnded({OutcomeKind::Ok});
}

// A port left open after a failed Connect would hold the line, and the next
// Connect would find it as it was left.
void ProtocolEngine::failConnect() {
    data_.link.connected = false;
    data_.link.awaitedReply = 0;
    port_.closePort();
}

void ProtocolEngine::onPortError(std::string_view reason) {
    if (trace_) trace_("port error: " + std::string(reason));
    port_.stopThread();
    const bool wasConnected = std::exchange(data_.link.connected, false);
    // No request waits any more: its time-out would only follow the news.
    for (int id : {kTimerIdentify, kTimerReadSetup, kTimerSync, kTimerDeleteAuto, kTimerDeleteManu})
        timers_.stopTimer(id);
    ui_.hideProgress();
    if (downloadActive_) endDownloadEarly();
    if (data_.link.discarding) endDiscarding();
    // The samples taken so far are saved before the user is told.
    if (data_.link.realtimeActive) stopRealtime();
    if (wasConnected) data_.events.linkChanged(false);
    ui_.showMessage(tx("The USB cable was unplugged and the connection was broken."));
    ui_.operationEnded({OutcomeKind::PortError, std::string(reason)});
}

void ProtocolEngine::onTimer(int id) {
    switch (id) {
        case kTimerIdentify:
        case kTimerReadSetup:
        case kTimerSync:
        case kTimerAutoDownload:
        case kTimerDeleteAuto:
        case kTimerManuDownload:
        case kTimerDeleteManu:
            if (data_.link.retriesLeft > 0) {
                --data_.link.retriesLeft;
                sendFrame();
            } else {
                timers_.stopTimer(id);
                expire(id);
            }
            break;
        case kTimerDownloadStall:
            timers_.stopTimer(id);
            if (data_.link.discarding) {
                endDiscarding();
            } else {
                ui_.operationEnded(endDownloadEarly());
            }
            break;
        case kTimerRealtime:
            buildFrame(data_.link, data_.log.setup, CMD_REALTIME);
            sendFrame();
            break;
        default:
            break;
    }
}

void ProtocolEngine::expire(int id) {
    switch (id) {
        case kTimerIdentify:
            ui_.hideProgress();
            failConnect();
            ui_.showMessage(tx("\r\nCannot connect to the logger, please try again."));
            break;
        case kTimerReadSetup:
            ui_.hideProgress();
            ui_.showMessage(tx("\r\n获取属性信息超时，请重试！"));
            break;
        case kTimerSync:
            ui_.hideProgress();
            ui_.showMessage(tx(kTimeoutText));
            break;
        case kTimerAutoDownload:
            ui_.operationEnded(endDownloadEarly());
            return;
        case kTimerManuDownload:
            ui_.setProgressText(tx("Timeout!"));
            ui_.operationEnded(endDownloadEarly());
            return;
        case kTimerDeleteAuto:
        case kTimerDeleteManu:
            ui_.hideProgress();
            ui_.showMessage(tx(kTimeoutText));
            break;
        default:
            return;
    }
    ui_.operationEnded({OutcomeKind::Timeout});
}

bool ProtocolEngine::logFolderReady() {
    const std::string problem = logFolderProblem(data_);
    if (problem.empty()) return true;
    ui_.showMessage(logFolderMessage(problem));
    ui_.operationEnded({OutcomeKind::FolderUnusable, problem});
    return false;
}

void ProtocolEngine::reportStatusReply(int n, int length) {
    const bool ok = n == length && data_.link.rxBuffer[kStatusOffset] == kStatusDone;
    ui_.showMessage(tx(ok ? kSuccessText : kFailedText));
    ui_.operationEnded({ok ? OutcomeKind::Ok : OutcomeKind::Refused});
}

void ProtocolEngine::armRequest(int timerId) {
    data_.link.retriesLeft = kMaxRetries;
    timers_.startTimer(timerId, kRequestPeriodMs);
}

void ProtocolEngine::startIdentify() {
    buildFrame(data_.link, data_.log.setup, CMD_IDENTIFY);
    sendFrame();
    armRequest(kTimerIdentify);
    ui_.showProgress(tx("Connect to the logger..."));
}

void ProtocolEngine::disconnect() {
    // No link without its samples saved first.
    if (data_.link.realtimeActive) stopRealtime();
    // A request timer may keep running: its resends reach no thread and it
    // gives up in its own time.
    port_.stopThread();
    const bool wasConnected = std::exchange(data_.link.connected, false);
    // Nothing more comes that could be dropped.
    if (data_.link.discarding) endDiscarding();
    if (wasConnected) data_.events.linkChanged(false);
}

void ProtocolEngine::sendFrame() {
    const LinkState& link = data_.link;
    if (link.txLength <= 0 || link.txLength > kTxBufferSize) return;
    const auto frame = std::span<const uint8_t>(link.txFrame).first(link.txLength);
    if (trace_) trace_("tx " + hexDump(frame));
    port_.queueWrite(frame.data(), link.txLength);
}
