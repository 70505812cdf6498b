#pragma once

// Log packages and records as the logger sends them, built byte by byte like
// the other logger frames of the tests.

#include <cstdint>
#include <vector>

#include "link/Protocol.h"
#include "support/LoggerReplies.h"

// Record `index` of a test log: one second apart from 2024-05-06 10:00:00,
// channel 1 = index tenths, channel 2 = -index tenths.
inline Bytes logRecord(int index, int size = 14) {
    const uint32_t s = static_cast<uint32_t>(index);
    const uint32_t packed = (24u << 26) | (5u << 22) | (6u << 17) | ((10 + s / 3600) << 12) |
                            ((s / 60 % 60) << 6) | (s % 60);
    Bytes r;
    putLe(r, packed, 4);
    putLe(r, s, 4);
    putLe(r, static_cast<uint32_t>(-index), 2);
    putLe(r, 0, 2);
    putLe(r, 0, 2);
    r.resize(static_cast<size_t>(size), 0xAA);  // a Manu record's spare byte
    return r;
}

inline Bytes package(uint8_t code, uint16_t total, uint16_t number,
                     const std::vector<Bytes>& records) {
    Bytes payload{0x00};
    putLe(payload, total, 2);
    putLe(payload, number, 2);
    payload.push_back(static_cast<uint8_t>(records.size()));
    for (const Bytes& r : records) payload.insert(payload.end(), r.begin(), r.end());
    return loggerReply(code, payload);
}

inline std::vector<Bytes> records(int first, int count, int size = 14) {
    std::vector<Bytes> out;
    for (int i = first; i < first + count; ++i) out.push_back(logRecord(i, size));
    return out;
}

inline Bytes autoPackage(uint16_t total, uint16_t number, int first, int count) {
    return package(REPLY_AUTO_LOGS, total, number, records(first, count));
}
