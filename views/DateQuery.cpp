#include "views/DateQuery.h"

#include <utility>

#include "base/FrameUi.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"

namespace {

constexpr std::size_t kDateFieldLength = 8;
constexpr std::size_t kTimeFieldLength = 6;

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// atoi over a bounded text: blanks, an optional sign, then digits up to the
// first other character. The texts here are at most eight characters long,
// so the value cannot overflow.
int32_t leadingValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    int32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

int32_t fieldValue(std::string_view text, std::size_t length) {
    return text.size() == length ? leadingValue(text) : 0;
}

using Moment = std::pair<int32_t, int32_t>;  // (YYYYMMDD, hhmmss), compared date first

Moment recordMoment(const LogStore& store, uint32_t i) {
    const std::string_view stamp = store.timestamp(i);
    return {leadingValue(stamp.substr(0, kDateFieldLength)),
            leadingValue(stamp.substr(kDateFieldLength))};
}

// The first record from `first` on that lies at or after `moment`.
uint32_t firstAtOrAfter(const LogStore& store, uint32_t first, Moment moment) {
    uint32_t i = first;
    while (i < store.recordCount && recordMoment(store, i) < moment) ++i;
    return i;
}

}  // namespace

int32_t dateFieldValue(std::string_view text) {
    return fieldValue(text, kDateFieldLength);
}

int32_t timeFieldValue(std::string_view text) {
    return fieldValue(text, kTimeFieldLength);
}

bool datesChosen(const DateRange& range) {
    return range.fromDate > kDateFloor && range.toDate > kDateFloor &&
           range.fromDate <= range.toDate;
}

std::optional<RecordRun> matchDateRange(const LogStore& store, const DateRange& range) {
    const uint32_t start = firstAtOrAfter(store, 0, {range.fromDate, range.fromTime});
    const uint32_t end = firstAtOrAfter(store, start, {range.toDate, range.toTime});
    if (start >= end) return std::nullopt;
    return RecordRun{static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

Outcome runDateQuery(AppData& data, FrameUi& ui, const DateRange& range) {
    // A file that cannot be read again leaves nothing whole to cut.
    if (!loadLogFile(data, ui)) return {OutcomeKind::FileFailed, data.log.store.currentFilePath};
    const std::optional<RecordRun> run = matchDateRange(data.log.store, range);
    if (!run) return {OutcomeKind::NoMatch};
    data.log.store.keepRange(run->start, run->end);
    data.events.rangeCut(CutBy::Query);
    return {};
}
