#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LogRecordCodec.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string text(const Timestamp& time) {
    return std::string(time.begin(), time.end());
}

Bytes sampleReply(const Bytes& channelBytes) {
    Bytes reply(kRealtimeSampleLength, 0);
    std::copy(channelBytes.begin(), channelBytes.end(), reply.begin() + 16);
    return reply;
}

TEST(DecodeTenthsTest, DividesByTenAndBlanksValuesBelowMinus200) {
    struct Case {
        int32_t raw;
        float expected;
    } cases[] = {
        {235, 23.5f},  {-200, -20.0f}, {0, 0.0f},        {-2000, -200.0f},
        {-2001, 0.0f}, {-32768, 0.0f}, {32767, 3276.7f}, {2147483647, 214748364.7f},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(decodeTenths(c.raw), c.expected) << c.raw;
}

TEST(DecodeTenthsTest, MinusTwoHundredStaysExactly) {
    EXPECT_EQ(decodeTenths(-2000), -200.0f);
    EXPECT_EQ(decodeTenths(-2001), 0.0f);
}

TEST(DecodeLogRecordTest, WorkedExample) {
    const Bytes record{0x5E, 0xDB, 0x32, 0x5F, 0xEB, 0x00, 0x00,
                       0x00, 0xFD, 0x00, 0x00, 0x80, 0x00, 0x00};
    Timestamp time{};
    float values[kChannels];
    decodeLogRecord(record, time, values);
    EXPECT_EQ(text(time), "20231225134530");
    EXPECT_FLOAT_EQ(values[0], 23.5f);
    EXPECT_FLOAT_EQ(values[1], 25.3f);
    EXPECT_EQ(values[2], 0.0f);  // raw -3276.8 means no reading
    EXPECT_EQ(values[3], 0.0f);
}

TEST(DecodeLogRecordTest, NegativeValuesInBothWidths) {
    const Bytes record{0, 0, 0, 0, 0x38, 0xFF, 0xFF, 0xFF, 0x38, 0xFF, 0x30, 0xF8, 0x2F, 0xF8};
    Timestamp time{};
    float values[kChannels];
    decodeLogRecord(record, time, values);
    EXPECT_FLOAT_EQ(values[0], -20.0f);
    EXPECT_FLOAT_EQ(values[1], -20.0f);
    EXPECT_FLOAT_EQ(values[2], -200.0f);  // F830 = -2000
    EXPECT_EQ(values[3], 0.0f);           // F82F = -2001
}

TEST(DecodeLogRecordTest, PackedTimeFieldsAtTheirLimits) {
    struct Case {
        uint32_t packed;
        const char* expected;
    } cases[] = {
        {0x00000000u, "20000000000000"},
        {0xFFFFFFFFu, "20631531316363"},  // every field all ones; still 14 digits
        {(24u << 26) | (3u << 22) | (9u << 17) | (7u << 12) | (5u << 6) | 2u, "20240309070502"},
    };
    for (const Case& c : cases) {
        const Bytes record{static_cast<uint8_t>(c.packed),
                           static_cast<uint8_t>(c.packed >> 8),
                           static_cast<uint8_t>(c.packed >> 16),
                           static_cast<uint8_t>(c.packed >> 24),
                           0,
                           0,
                           0,
                           0,
                           0,
                           0,
                           0,
                           0,
                           0,
                           0};
        Timestamp time{};
        float values[kChannels];
        decodeLogRecord(record, time, values);
        EXPECT_EQ(text(time), c.expected);
    }
}

TEST(DecodeLogRecordTest, ManuRecordSpareByteIsNotRead) {
    const Bytes autoRecord{0x5E, 0xDB, 0x32, 0x5F, 0xEB, 0, 0, 0, 0xFD, 0, 0, 0x80, 0, 0};
    Bytes manuRecord = autoRecord;
    manuRecord.push_back(0xAA);
    Timestamp a{}, m{};
    float va[kChannels], vm[kChannels];
    decodeLogRecord(autoRecord, a, va);
    decodeLogRecord(manuRecord, m, vm);
    EXPECT_EQ(a, m);
    for (int c = 0; c < kChannels; ++c) EXPECT_EQ(va[c], vm[c]);
}

TEST(DecodeLogRecordTest, ShortSpanReadsMissingBytesAsZero) {
    // Channel 2 would be 0xFFFF (-0.1) if byte 9 were read past the span.
    const std::vector<uint8_t> buffer{0, 0, 0, 0, 0xEB, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    Timestamp time{};
    float values[kChannels];
    decodeLogRecord(std::span(buffer).first(9), time, values);
    EXPECT_FLOAT_EQ(values[0], 23.5f);
    EXPECT_FLOAT_EQ(values[1], 25.5f);  // 0x00FF
    EXPECT_EQ(values[2], 0.0f);
    EXPECT_EQ(values[3], 0.0f);
}

TEST(DecodeRealtimeSampleTest, WorkedExample) {
    const Bytes reply = sampleReply({0xEB, 0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0xFF, 0x00, 0x80});
    float values[kChannels];
    decodeRealtimeSample(reply, values);
    EXPECT_FLOAT_EQ(values[0], 23.5f);
    EXPECT_FLOAT_EQ(values[1], 25.3f);
    EXPECT_FLOAT_EQ(values[2], -20.0f);
    EXPECT_EQ(values[3], 0.0f);
}

TEST(DecodeRealtimeSampleTest, NegativeThirtyTwoBitChannelOne) {
    const Bytes reply = sampleReply({0x38, 0xFF, 0xFF, 0xFF, 0x30, 0xF8, 0, 0, 0, 0});
    float values[kChannels];
    decodeRealtimeSample(reply, values);
    EXPECT_FLOAT_EQ(values[0], -20.0f);
    EXPECT_FLOAT_EQ(values[1], -200.0f);
    EXPECT_EQ(values[2], 0.0f);
    EXPECT_EQ(values[3], 0.0f);
}

}  // namespace
