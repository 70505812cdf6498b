#pragma once

#include <cstdint>
#include <span>

#include "link/Protocol.h"
#include "logdata/LogStore.h"

// Decoding of the logger's log records and realtime samples. Pure functions
// over the received bytes; nothing is allocated.

// A channel value from signed tenths as a 32-bit float; any value below
// -200.0 is the logger's mark for "no reading" and becomes 0.0.
float decodeTenths(int32_t raw);

// One log record: packed time and four channel values. Bytes the span does
// not hold read as zero, so a short span is never read past its end.
void decodeLogRecord(std::span<const uint8_t> record, Timestamp& time, float values[kChannels]);

// The four channel values of a realtime sample reply (bytes 16..25).
void decodeRealtimeSample(std::span<const uint8_t> reply, float values[kChannels]);

// What the bytes at the start of a download stream hold.
struct LogPackage {
    enum Status {
        Whole,       // a package that checks out: total, number, records
        NoLogs,      // the Auto "no logs" reply
        Incomplete,  // a package (or the no-logs reply) whose end has not come yet
        Bad,         // a package whose check byte or trailer is wrong
        Foreign,     // no package of this code starts here
    } status = Incomplete;
    uint16_t total = 0;
    uint16_t number = 0;
    int count = 0;                     // records in the package
    std::span<const uint8_t> records;  // count * record size bytes
    size_t used = 0;                   // bytes of the package (Whole, NoLogs)
};

// Parses the package (reply code `code`, records of `recordSize` bytes) at
// the start of `bytes`; never reads past them. The no-logs reply is only
// recognised for the Auto code.
LogPackage decodeLogPackage(std::span<const uint8_t> bytes, uint8_t code, int recordSize);

// Where the next frame lead begins after position 0, or where one may begin
// that the bytes do not yet hold in full; bytes.size() when none can.
size_t nextFrameLead(std::span<const uint8_t> bytes);
