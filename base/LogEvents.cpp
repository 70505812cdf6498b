#include "base/LogEvents.h"

#include <algorithm>

bool LogEventHub::subscribe(LogEvents& subscriber) {
    const auto end = subscribers_.begin() + count_;
    if (std::find(subscribers_.begin(), end, &subscriber) != end) return true;
    if (count_ == kMaxSubscribers) return false;
    subscribers_[static_cast<size_t>(count_++)] = &subscriber;
    return true;
}

void LogEventHub::unsubscribe(LogEvents& subscriber) {
    const auto end = subscribers_.begin() + count_;
    const auto kept = std::remove(subscribers_.begin(), end, &subscriber);
    std::fill(kept, end, nullptr);
    count_ = static_cast<int>(kept - subscribers_.begin());
}

// A subscriber may unsubscribe while it is told: the list is walked on a copy.
template <class Raise>
void LogEventHub::tellAll(Raise raise) {
    const std::array<LogEvents*, kMaxSubscribers> told = subscribers_;
    for (LogEvents* subscriber : told) {
        if (subscriber) raise(*subscriber);
    }
}

void LogEventHub::logLoaded(std::string_view path) {
    tellAll([&](LogEvents& s) { s.logLoaded(path); });
}

void LogEventHub::logSaved(std::string_view path, SaveReason why) {
    tellAll([&](LogEvents& s) { s.logSaved(path, why); });
}

void LogEventHub::logRenamed(std::string_view path) {
    tellAll([&](LogEvents& s) { s.logRenamed(path); });
}

void LogEventHub::logCleared(ClearReason why) {
    tellAll([&](LogEvents& s) { s.logCleared(why); });
}

void LogEventHub::logDownloaded() {
    tellAll([](LogEvents& s) { s.logDownloaded(); });
}

void LogEventHub::downloadSummarized(const DownloadSummary& summary) {
    tellAll([&summary](LogEvents& s) { s.downloadSummarized(summary); });
}

void LogEventHub::rangeCut(CutBy by) {
    tellAll([&](LogEvents& s) { s.rangeCut(by); });
}

void LogEventHub::sampleAppended() {
    tellAll([](LogEvents& s) { s.sampleAppended(); });
}

void LogEventHub::realtimeEnded() {
    tellAll([](LogEvents& s) { s.realtimeEnded(); });
}

void LogEventHub::setupRead() {
    tellAll([](LogEvents& s) { s.setupRead(); });
}

void LogEventHub::linkChanged(bool connected) {
    tellAll([&](LogEvents& s) { s.linkChanged(connected); });
}

void LogEventHub::displayChanged() {
    tellAll([](LogEvents& s) { s.displayChanged(); });
}
