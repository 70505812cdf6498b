#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The setup record the simulated logger keeps: what its setup reply carries
// and what a sync frame rewrites. Limits and offsets are raw logger integers.
struct SimSetup {
    std::array<char, 24> name{};
    uint8_t channelConfig = 5;
    std::array<char, 6> model{};
    std::array<char, 5> hardwareVersion{};
    uint8_t samplingInterval = 2;
    uint32_t logInterval = 60;
    uint32_t logsCount = 0;
    int32_t capacity = 10000;  // records; the wire carries capacity * 14
    int8_t manuLogsCount = 0;
    int32_t ch1High = 600;
    int32_t ch1Low = -200;
    int16_t ch2High = 900;
    int16_t ch2Low = 100;
    int16_t ch3High = 600;
    int16_t ch3Low = -200;
    int16_t ch4High = 900;
    int16_t ch4Low = 100;
    std::array<int16_t, 4> offsets{};

    bool operator==(const SimSetup&) const = default;
};

inline constexpr int kSetupPayloadLength = 79;  // reply bytes 15..93
inline constexpr int kSyncClockLength = 7;      // second .. year, BCD

// Bytes 15..93 of the 99-byte setup reply.
std::array<uint8_t, kSetupPayloadLength> encodeSetupPayload(const SimSetup& setup);

// The 66-byte sync payload (bytes 15..80 of the sync frame): its clock bytes,
// and the setup fields it carries written into `setup` (model, hardware
// version, logs count, capacity and Manu logs count travel only the other way).
std::array<uint8_t, kSyncClockLength> syncClock(std::span<const uint8_t> payload);
void applySyncPayload(std::span<const uint8_t> payload, SimSetup& setup);

// A text padded with zero bytes to the field, cut when longer.
template <size_t N>
std::array<char, N> fixedText(std::string_view text) {
    std::array<char, N> field{};
    for (size_t i = 0; i < N && i < text.size(); ++i) field[i] = text[i];
    return field;
}
