#pragma once

#include <cstdint>
#include <span>

#include "link/LinkState.h"

struct LoggerSetup;

// Request codes; every reply code is the request code plus one.
enum CommandCode : uint8_t {
    CMD_IDENTIFY = 0x51,
    CMD_READ_SETUP = 0x53,
    CMD_SYNC_SETUP = 0x55,
    CMD_AUTO_LOGS = 0x57,
    CMD_DELETE_AUTO = 0x59,
    CMD_MANU_LOGS = 0x5B,
    CMD_DELETE_MANU = 0x5D,
    CMD_REALTIME = 0x67,
};

enum ReplyCode : uint8_t {
    REPLY_IDENTIFY = 0x52,
    REPLY_SETUP = 0x54,
    REPLY_SYNC = 0x56,
    REPLY_AUTO_LOGS = 0x58,
    REPLY_DELETE_AUTO = 0x5A,
    REPLY_MANU_LOGS = 0x5C,
    REPLY_DELETE_MANU = 0x5E,
    REPLY_REALTIME = 0x68,
    REPLY_0x73 = 0x73,
    REPLY_0x81 = 0x81,
};

// Every frame, both ways, starts and ends with these bytes.
inline constexpr uint8_t kFrameLead[] = {0x01, 0x16, 0x7B, 0x28};
inline constexpr uint8_t kFrameTrailer[] = {0x29, 0x7D, 0x7E, 0x04};
inline constexpr int kFrameOverhead = 20;  // lead 4, serial 10, code 1, check 1, trailer 4

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
