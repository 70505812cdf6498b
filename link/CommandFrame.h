#pragma once

#include <cstdint>
#include <span>

#include "link/LinkState.h"
#include "link/Protocol.h"

struct LoggerSetup;

// Exclusive-or of the bytes, starting from 0.
uint8_t checkByte(std::span<const uint8_t> bytes);

// Zero-fills link.txFrame, writes the frame for `code` with the serial number
// of `setup` (ten zeros for CMD_IDENTIFY) and sets link.txLength. The payload
// must fit the buffer.
void buildFrame(LinkState& link, const LoggerSetup& setup, uint8_t code,
                std::span<const uint8_t> payload = {});

struct ChunkClass {
    enum Kind { Ignore, Reply } kind;
    uint8_t replyCode;  // byte 14, for Reply
};

// Judges bytes 0..n-1 of link.rxBuffer as one reply.
ChunkClass classifyChunk(const LinkState& link, int n);
