#pragma once

// Little-endian reads and writes at an offset of a byte buffer, as the logger
// and the log files store their integers and floats. Callers check the offset
// against the received length before they read.

#include <bit>
#include <cstdint>
#include <span>

inline uint16_t readU16le(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline int16_t readI16le(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<int16_t>(readU16le(bytes, offset));
}

inline uint32_t readU32le(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline int32_t readI32le(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<int32_t>(readU32le(bytes, offset));
}

inline float readF32le(std::span<const uint8_t> bytes, std::size_t offset) {
    return std::bit_cast<float>(readU32le(bytes, offset));
}

inline void writeU16le(std::span<uint8_t> bytes, std::size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void writeI16le(std::span<uint8_t> bytes, std::size_t offset, int16_t value) {
    writeU16le(bytes, offset, static_cast<uint16_t>(value));
}

inline void writeU32le(std::span<uint8_t> bytes, std::size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void writeI32le(std::span<uint8_t> bytes, std::size_t offset, int32_t value) {
    writeU32le(bytes, offset, static_cast<uint32_t>(value));
}

inline void writeF32le(std::span<uint8_t> bytes, std::size_t offset, float value) {
    writeU32le(bytes, offset, std::bit_cast<uint32_t>(value));
}
