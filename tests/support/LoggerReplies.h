#pragma once

// Frames built here byte by byte, the way the logger reads and writes them,
// and never with the program's own frame code, so that one mistake cannot
// hide in both.

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "link/LinkState.h"

using Bytes = std::vector<uint8_t>;

// The serial number of the logger the tests talk to.
inline constexpr std::string_view kSerial = "1234567890";

// Lead, serial, code, payload, the exclusive-or of serial to payload, trailer.
inline Bytes loggerReply(uint8_t code, const Bytes& payload, std::string_view serial = kSerial) {
    // Built by push_back alone: GCC 12 at -O2 warns falsely about vector::insert here.
    Bytes r;
    r.reserve(20 + payload.size());
    for (uint8_t b : {0x01, 0x16, 0x7B, 0x28}) r.push_back(b);
    for (char c : serial) r.push_back(static_cast<uint8_t>(c));
    r.push_back(code);
    for (uint8_t b : payload) r.push_back(b);
    uint8_t check = 0;
    for (size_t i = 4; i < r.size(); ++i) check ^= r[i];
    r.push_back(check);
    for (uint8_t b : {0x29, 0x7D, 0x7E, 0x04}) r.push_back(b);
    return r;
}

// Appends the low `width` bytes of `value`, least significant first.
inline void putLe(Bytes& out, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Puts `chunk` where the receive thread leaves what it read; returns its
// length, the count the engine is told.
inline int intoRxBuffer(LinkState& link, const Bytes& chunk) {
    if (chunk.size() > link.rxBuffer.size()) throw std::length_error("chunk exceeds rxBuffer");
    std::copy(chunk.begin(), chunk.end(), link.rxBuffer.begin());
    return static_cast<int>(chunk.size());
}
