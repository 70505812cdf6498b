#include "base/Texts.h"
#include "link/ProtocolEngine.h"
#include "record/AppData.h"

// The logger has no command that stops a download: once asked, it sends
// every package. A cancelled download therefore ends at once for the user,
// while the line stays taken until the logger has finished.

void ProtocolEngine::cancelDownload() {
    if (!downloadActive_) return;
    // The packages not yet come are the user's choice, not a loss of the
    // line: only records lost before the Cancel are told as lost.
    const Outcome saved = concludeDownload(DownloadEnd::Cancelled);
    startDiscarding();
    ui_.operationEnded(saved);
}

void ProtocolEngine::startDiscarding() {
    data_.link.discarding = true;
    // The logger may not have begun to answer: its first package could still come.
    timers_.startTimer(kTimerDownloadStall, kDownloadStallMs);
    ui_.showProgress(tx("The logger is still sending..."));
}

void ProtocolEngine::discardChunk() {
    // The same silence that ends a stalled download says the logger is done.
    timers_.startTimer(kTimerDownloadStall, kDownloadStallMs);
}

void ProtocolEngine::endDiscarding() {
    timers_.stopTimer(kTimerDownloadStall);
    data_.link.discarding = false;
    ui_.hideProgress();
}
