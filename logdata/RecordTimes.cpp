#include "logdata/RecordTimes.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "logdata/StampSeconds.h"

namespace {

uint32_t usedRecords(const LogStore& store) {
    return std::min(store.recordCount, kLogCapacity);
}

// A step longer than this many halves of the log interval is a gap.
constexpr int64_t kGapHalves = 3;

bool isGap(int64_t step, int64_t interval) {
    return step * 2 > interval * kGapHalves;
}

}  // namespace

std::optional<int64_t> logIntervalSeconds(const LogStore& store) {
    // Sized once for the largest log, so that neither a long log nor a
    // realtime sample each second allocates again.
    thread_local std::vector<int64_t> steps = [] {
        std::vector<int64_t> reserved;
        reserved.reserve(kLogCapacity);
        return reserved;
    }();
    steps.clear();
    RecordClock clock(store, std::nullopt);
    for (uint32_t i = 0; i < clock.count(); ++i) {
        if (const auto step = clock.nextStep()) steps.push_back(*step);
    }
    if (steps.empty()) return std::nullopt;
    const auto middle = steps.begin() + static_cast<std::ptrdiff_t>((steps.size() - 1) / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return *middle;
}

int64_t logSpanSeconds(const LogStore& store, std::optional<int64_t> logInterval) {
    if (!logInterval) return 0;
    std::optional<int64_t> earliest, latest;
    for (uint32_t i = 0; i < usedRecords(store); ++i) {
        const auto stamp = stampSeconds(store.timestamps[i]);
        if (!stamp) continue;
        earliest = std::min(earliest.value_or(*stamp), *stamp);
        latest = std::max(latest.value_or(*stamp), *stamp);
    }
    return earliest ? *latest - *earliest + *logInterval : 0;
}

RecordClock::RecordClock(const LogStore& store, std::optional<int64_t> logInterval)
    : store_(store), interval_(logInterval), count_(usedRecords(store)) {
    if (count_ > 0) stamp_ = readStamp(0);
}

std::optional<int64_t> RecordClock::readStamp(uint32_t i) const {
    return stampSeconds(store_.timestamps[i]);
}

RecordClock::Move RecordClock::advance() {
    Move move;
    if (at_ >= count_) return move;
    move.readable = stamp_.has_value();
    if (stamp_ && (!latest_ || *stamp_ > *latest_)) latest_ = stamp_;
    move.last = ++at_ == count_;
    stamp_ = move.last ? std::nullopt : readStamp(at_);
    if (move.readable && stamp_ && *stamp_ > *latest_) {
        move.step = *stamp_ - *latest_;
        move.from = *latest_;
    }
    return move;
}

std::optional<int64_t> RecordClock::nextStep() {
    return advance().step;
}

RecordTime RecordClock::next() {
    const Move move = advance();
    if (!interval_) return {};
    const int64_t interval = *interval_;
    if (move.last) return {.seconds = move.readable ? interval : 0};
    if (!move.step) return {};
    const int64_t step = *move.step;
    if (!isGap(step, interval)) return {.seconds = std::min(step, interval)};
    return {.seconds = interval, .gapSeconds = step - interval, .gapStart = move.from + interval};
}
