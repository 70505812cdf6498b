#include <algorithm>
#include <cstdio>
#include <span>
#include <string>

#include "base/Texts.h"
#include "link/ProtocolEngine.h"
#include "record/AppData.h"

namespace {

constexpr int kLowestSamplingInterval = 1;
constexpr int kHighestSamplingInterval = 240;

// Each failed rule adds its line, numbered in the order the rules fail.
class ErrorList {
public:
    void check(bool failed, const char* line) {
        if (!failed) return;
        char text[160];
        std::snprintf(text, sizeof text, tx(line), ++count_);
        text_ += text;
    }
    std::string text() const {
        if (count_ == 0) return {};
        return tx("Error: Please recorrect the list items, then synchronize to the logger.") +
               text_;
    }

private:
    int count_ = 0;
    std::string text_;
};

}  // namespace

std::string validateSetup(const LoggerSetup& setup) {
    ErrorList errors;
    errors.check(setup.samplingInterval < kLowestSamplingInterval ||
                     setup.samplingInterval > kHighestSamplingInterval,
                 txNoop("\r\n%d. Sampling interval is invalid, it must be in [1，240]."));
    errors.check(
        setup.logInterval < setup.samplingInterval,
        txNoop("\r\n%d. Log interval is invalid, it must be bigger than the sampling interval."));
    errors.check(setup.ch1Low >= setup.ch1High,
                 txNoop("\r\n%d. CH1 Limit error: the Upper Limit must be more than the Lower."));
    errors.check(setup.ch2Low >= setup.ch2High,
                 txNoop("\r\n%d. CHq Limit error: the Upper Limit must be more than the Lower."));
    errors.check(setup.ch3Low >= setup.ch3High,
                 txNoop("\r\n%d. CH3 Limit error: the Upper Limit must be more than the Lower."));
    errors.check(setup.ch4Low >= setup.ch4High,
                 txNoop("\r\n%d. CH4 Limit error: the Upper Limit must be more than the Lower."));
    return errors.text();
}

void ProtocolEngine::readSetup() {
    LinkState& link = data_.link;
    // The Setup pane's buttons stay live: while sampling runs, or the rest
    // of a cancelled download comes, a request would go out beside them and
    // its reply be taken for a stray.
    if (!link.connected || link.realtimeActive || link.discarding) return;
    buildFrame(link, data_.log.setup, CMD_READ_SETUP);
    sendFrame();
    link.awaitedReply = REPLY_SETUP;
    armRequest(kTimerReadSetup);
    ui_.showProgress(tx("Read properties..."));
}

void ProtocolEngine::onSetupReply(int n) {
    const auto reply = std::span<const uint8_t>(data_.link.rxBuffer)
                           .first(static_cast<size_t>(std::clamp(n, 0, kTxBufferSize)));
    const bool ok = parseSetupReply(reply, data_.log.setup);
    if (ok) data_.events.setupRead();
    ui_.operationEnded({ok ? OutcomeKind::Ok : OutcomeKind::Refused});
}

void ProtocolEngine::syncSetup() {
    LinkState& link = data_.link;
    // The Setup pane's buttons stay live: while sampling runs, or the rest
    // of a cancelled download comes, a request would go out beside them and
    // its reply be taken for a stray.
    if (!link.connected || link.realtimeActive || link.discarding) return;
    if (!ui_.confirm(tx("Sync to the logger?"))) {
        ui_.operationEnded({OutcomeKind::Cancelled});
        return;
    }
    const std::string errors = validateSetup(data_.log.setup);
    if (!errors.empty()) {
        ui_.showMessage(errors);
        ui_.operationEnded({OutcomeKind::Invalid, errors});
        return;
    }
    // The clock is read now, at the user's OK.
    const auto frame = encodeSyncFrame(data_.log.setup, clock_);
    link.txFrame.fill(0);
    std::copy(frame.begin(), frame.end(), link.txFrame.begin());
    link.txLength = kSyncFrameLength;
    sendFrame();
    armRequest(kTimerSync);
    ui_.showProgress(tx("Synchronizing..."));
}

void ProtocolEngine::onSyncReply(int n) {
    reportStatusReply(n, kSyncReplyLength);
}
