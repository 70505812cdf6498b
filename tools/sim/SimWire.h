#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/SimRecords.h"

// The logger's side of the serial protocol, written from the wire description
// alone: lead 01 16 7B 28, ten serial bytes, a code, the payload, a check byte
// (exclusive-or of serial, code and payload) and trailer 29 7D 7E 04.
namespace simwire {

inline constexpr std::array<uint8_t, 4> kLead = {0x01, 0x16, 0x7B, 0x28};
inline constexpr std::array<uint8_t, 4> kTrailer = {0x29, 0x7D, 0x7E, 0x04};
inline constexpr int kSerialLength = 10;
inline constexpr int kCodeOffset = 14;
inline constexpr int kPayloadOffset = 15;
inline constexpr int kOverhead = 20;
inline constexpr int kSyncPayloadLength = 66;
inline constexpr int kAutoRecordSize = 14;
inline constexpr int kManuRecordSize = 15;

using SerialNo = std::array<char, kSerialLength>;

enum Code : uint8_t {
    kIdentify = 0x51,
    kReadSetup = 0x53,
    kSync = 0x55,
    kAutoLogs = 0x57,
    kDeleteAuto = 0x59,
    kManuLogs = 0x5B,
    kDeleteManu = 0x5D,
    kRealtime = 0x67,
};

uint8_t xorOf(std::span<const uint8_t> bytes);

// A whole frame: lead, serial, code, payload, check, trailer (20 + payload bytes).
std::vector<uint8_t> encodeFrame(const SerialNo& serial, uint8_t code,
                                 std::span<const uint8_t> payload);

// The record's time as the logger packs it: bits 0-5 second, 6-11 minute,
// 12-16 hour, 17-21 day, 22-25 month, 26-31 year - 2000.
uint32_t packTime(const SimRecord& record);
// Writes one record of `size` bytes (14 for Auto, 15 for Manu; the spare
// fifteenth byte is zero) at `out`.
void packRecord(const SimRecord& record, uint8_t* out, int size);

void putU16(uint8_t* out, uint16_t value);
void putU32(uint8_t* out, uint32_t value);
uint16_t getU16(const uint8_t* in);
uint32_t getU32(const uint8_t* in);

// The payload length that follows a request code: only the sync frame has one.
int requestPayloadLength(uint8_t code);

struct Request {
    uint8_t code;
    std::vector<uint8_t> bytes;  // the whole frame
    std::span<const uint8_t> payload() const {
        return std::span<const uint8_t>(bytes).subspan(kPayloadOffset, bytes.size() - kOverhead);
    }
};

// Finds request frames in a byte stream that may arrive in any pieces. Bytes
// that do not form a frame with a good check byte and trailer are skipped, as
// a logger skips line noise.
class RequestScanner {
public:
    void feed(std::span<const uint8_t> bytes);
    std::optional<Request> next();

private:
    std::vector<uint8_t> pending_;
};

}  // namespace simwire
