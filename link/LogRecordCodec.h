#pragma once

#include <cstdint>
#include <span>

#include "logdata/LogStore.h"

// Decoding of the logger's log records and realtime samples. Pure functions
// over the received bytes; nothing is allocated.

inline constexpr int kAutoRecordSize = 14;
inline constexpr int kManuRecordSize = 15;  // the Auto layout and one spare byte
inline constexpr int kRealtimeSampleLength = 31;

// A channel value from signed tenths as a 32-bit float; any value below
// -200.0 is the logger's mark for "no reading" and becomes 0.0.
float decodeTenths(int32_t raw);

// One log record: packed time and four channel values. Bytes the span does
// not hold read as zero, so a short span is never read past its end.
void decodeLogRecord(std::span<const uint8_t> record, Timestamp& time, float values[kChannels]);

// The four channel values of a realtime sample reply (bytes 16..25).
void decodeRealtimeSample(std::span<const uint8_t> reply, float values[kChannels]);
