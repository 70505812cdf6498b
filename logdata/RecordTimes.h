#pragma once

#include <cstdint>
#include <optional>

#include "logdata/LogStore.h"

// How long each record of a log stands for.
//
// The log's own interval is the median of the steps between its records: a
// step is how far the next record's time stamp passes the latest one so far.
// A stamp that does not read as a date, the one before it, and one that is
// not later make no step. A record stands for the step to the next record,
// but for no longer than the log interval, and the last record for one log
// interval. A step longer than one and a half log intervals is a gap: the
// time after the record's own interval, up to the next record, has no data.
// So the time the records stand for and the gaps never add up to more than
// the log's span.

// The median of the log's steps, the lower of the middle two of an even
// count; nothing when the log has no step (fewer than two records, or equal
// stamps only).
std::optional<int64_t> logIntervalSeconds(const LogStore& store);

// From the earliest to the latest stamp that reads as a date, plus the last
// record's log interval; 0 without a log interval.
int64_t logSpanSeconds(const LogStore& store, std::optional<int64_t> logInterval);

struct RecordTime {
    int64_t seconds = 0;     // the time the record stands for
    int64_t gapSeconds = 0;  // the time after it without data, up to the next record
    int64_t gapStart = 0;    // seconds since 1970 (civil) where that begins

    bool operator==(const RecordTime&) const = default;
};

// Gives the records' times in order, from the first: one next() per record
// of the store (at most its capacity). Without a log interval every record
// stands for no time.
class RecordClock {
public:
    RecordClock(const LogStore& store, std::optional<int64_t> logInterval);

    uint32_t count() const { return count_; }
    RecordTime next();
    // Only the next record's step to the record after it, nothing when it
    // makes none: what the log interval is found from.
    std::optional<int64_t> nextStep();

private:
    struct Move {
        bool last = false;
        bool readable = false;  // the record's own stamp
        std::optional<int64_t> step;
        int64_t from = 0;  // the latest stamp up to the record's, where its step starts
    };
    Move advance();
    std::optional<int64_t> readStamp(uint32_t i) const;

    const LogStore& store_;
    std::optional<int64_t> interval_;
    uint32_t count_;
    uint32_t at_ = 0;
    std::optional<int64_t> latest_;  // the latest stamp read so far
    std::optional<int64_t> stamp_;   // the stamp of record at_
};
