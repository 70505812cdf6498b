#include "link/CommandFrame.h"

#include <algorithm>

#include "link/LoggerSetup.h"

namespace {

constexpr int kMinChunk = 10;
constexpr int kMinReply = 20;
constexpr int kLongestCheckedReply = 200;

bool isDispatched(uint8_t code) {
    switch (code) {
        case REPLY_IDENTIFY:
        case REPLY_SETUP:
        case REPLY_SYNC:
        case REPLY_AUTO_LOGS:
        case REPLY_DELETE_AUTO:
        case REPLY_MANU_LOGS:
        case REPLY_DELETE_MANU:
        case REPLY_REALTIME:
        case REPLY_0x73:
        case REPLY_0x81:
            return true;
        default:
            return false;
    }
}

}  // namespace

uint8_t checkByte(std::span<const uint8_t> bytes) {
    uint8_t check = 0;
    for (uint8_t b : bytes) check ^= b;
    return check;
}

void buildFrame(LinkState& link, const LoggerSetup& setup, uint8_t code,
                std::span<const uint8_t> payload) {
    auto& frame = link.txFrame;
    frame.fill(0);
    link.txLength = 0;
    // An oversized payload leaves an empty buffer, so no stale frame goes out.
    if (payload.size() > static_cast<size_t>(kTxBufferSize - kFrameOverhead)) return;

    const int p = static_cast<int>(payload.size());
    std::copy(std::begin(kFrameLead), std::end(kFrameLead), frame.begin());
    if (code != CMD_IDENTIFY)
        std::copy(setup.serialNo, setup.serialNo + kFrameSerialLength,
                  frame.begin() + kFrameSerialOffset);
    frame[kFrameCodeOffset] = code;
    std::copy(payload.begin(), payload.end(), frame.begin() + kFramePayloadOffset);
    const int checkAt = kFramePayloadOffset + p;
    frame[checkAt] = checkByte(
        std::span<const uint8_t>(frame).subspan(kFrameSerialOffset, checkAt - kFrameSerialOffset));
    std::copy(std::begin(kFrameTrailer), std::end(kFrameTrailer), frame.begin() + checkAt + 1);
    link.txLength = kFrameOverhead + p;
}

ChunkClass classifyChunk(const LinkState& link, int n) {
    constexpr ChunkClass ignore{ChunkClass::Ignore, 0};
    if (n < kMinChunk || n > kTxBufferSize) return ignore;
    if (n < kMinReply) return ignore;

    const auto chunk = std::span<const uint8_t>(link.rxBuffer).first(static_cast<size_t>(n));
    if (n <= kLongestCheckedReply) {
        const int checkAt = n - kCheckFromEnd;
        if (checkByte(chunk.subspan(kFrameSerialOffset, checkAt - kFrameSerialOffset)) !=
            chunk[checkAt])
            return ignore;
    }
    const uint8_t code = chunk[kFrameCodeOffset];
    if (!isDispatched(code)) return ignore;
    return {ChunkClass::Reply, code};
}
