#pragma once

#include <array>
#include <cstdint>

inline constexpr int kTxBufferSize = 2048;
inline constexpr int kMaxRetries = 10;

// The record shared by the serial port, the frame code and the protocol
// engine. Only rxBuffer is written outside the main thread, by the receive
// thread, while the main thread waits for nothing of it (see CSerialPort).
struct LinkState {
    bool connected;
    bool realtimeActive;
    uint8_t awaitedReply;  // reply code the setup read waits for; 0 = none
    int32_t retriesLeft;
    std::array<uint8_t, kTxBufferSize> txFrame;
    int32_t txLength;
    std::array<uint8_t, kTxBufferSize> rxBuffer;
    uint32_t packagesDone;
    uint32_t packagesTotal;
    // A download was cancelled and the logger may still be sending it: every
    // chunk is dropped, and no request goes out, until the line is quiet.
    bool discarding;
    int32_t realtimeDay;  // day of month of the last realtime sample, 0 = none
};
