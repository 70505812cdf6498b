#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "link/CommandFrame.h"
#include "record/AppData.h"
#include "support/LoggerReplies.h"

namespace {

class CommandFrameTest : public ::testing::Test {
protected:
    CommandFrameTest() { std::memcpy(data->log.setup.serialNo, kSerial.data(), kSerial.size()); }

    Bytes sent() const {
        return Bytes(data->link.txFrame.begin(), data->link.txFrame.begin() + data->link.txLength);
    }
    bool restIsZero() const {
        return std::all_of(data->link.txFrame.begin() + data->link.txLength,
                           data->link.txFrame.end(), [](uint8_t b) { return b == 0; });
    }
    ChunkClass classify(const Bytes& chunk) {
        return classifyChunk(data->link, intoRxBuffer(data->link, chunk));
    }

    std::unique_ptr<AppData> data = std::make_unique<AppData>();
};

TEST_F(CommandFrameTest, SerialOfDigitsXorsToOne) {
    EXPECT_EQ(
        checkByte(std::span(reinterpret_cast<const uint8_t*>(kSerial.data()), kSerial.size())),
        0x01);
    EXPECT_EQ(checkByte({}), 0x00);
}

TEST_F(CommandFrameTest, WorkedExamplesAreBuiltByteForByte) {
    struct Case {
        uint8_t code;
        Bytes expected;
    };
    const Case cases[] = {
        {CMD_READ_SETUP, {0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36,
                          0x37, 0x38, 0x39, 0x30, 0x53, 0x52, 0x29, 0x7D, 0x7E, 0x04}},
        {CMD_AUTO_LOGS, {0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36,
                         0x37, 0x38, 0x39, 0x30, 0x57, 0x56, 0x29, 0x7D, 0x7E, 0x04}},
        // The identify frame carries zeros even when a serial number is known.
        {CMD_IDENTIFY, {0x01, 0x16, 0x7B, 0x28, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x00, 0x00, 0x51, 0x51, 0x29, 0x7D, 0x7E, 0x04}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        data->link.txFrame.fill(0xEE);
        buildFrame(data->link, data->log.setup, c.code);
        EXPECT_EQ(data->link.txLength, 20);
        EXPECT_EQ(sent(), c.expected);
        EXPECT_TRUE(restIsZero());
    }
}

TEST_F(CommandFrameTest, PayloadSitsBeforeTheCheckByteWhichCoversIt) {
    buildFrame(data->link, data->log.setup, CMD_SYNC_SETUP, Bytes{0x01, 0x02});
    const Bytes expected{0x01, 0x16, 0x7B, 0x28, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37,
                         0x38, 0x39, 0x30, 0x55, 0x01, 0x02, 0x57, 0x29, 0x7D, 0x7E, 0x04};
    EXPECT_EQ(sent(), expected);
}

TEST_F(CommandFrameTest, SyncSizedPayloadMakesAnEightySixByteFrame) {
    Bytes payload(66);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7);
    buildFrame(data->link, data->log.setup, CMD_SYNC_SETUP, payload);
    ASSERT_EQ(data->link.txLength, 86);
    const Bytes expected = loggerReply(CMD_SYNC_SETUP, payload);
    EXPECT_EQ(sent(), expected);
}

TEST_F(CommandFrameTest, LargestPayloadFillsTheBufferExactly) {
    buildFrame(data->link, data->log.setup, CMD_SYNC_SETUP, Bytes(kTxBufferSize - 20, 0xA5));
    ASSERT_EQ(data->link.txLength, kTxBufferSize);
    EXPECT_EQ(data->link.txFrame[kTxBufferSize - 1], 0x04);
    EXPECT_EQ(data->link.txFrame[kTxBufferSize - 4], 0x29);
}

TEST_F(CommandFrameTest, PayloadThatCannotFitLeavesAnEmptyBuffer) {
    buildFrame(data->link, data->log.setup, CMD_READ_SETUP);
    buildFrame(data->link, data->log.setup, CMD_SYNC_SETUP, Bytes(kTxBufferSize - 19, 0xA5));
    EXPECT_EQ(data->link.txLength, 0);
    EXPECT_TRUE(restIsZero());
}

TEST_F(CommandFrameTest, TwentyOneByteReplyCarriesItsCheckAtSixteen) {
    Bytes reply = loggerReply(REPLY_DELETE_AUTO, {0x01});
    ASSERT_EQ(reply.size(), 21u);
    uint8_t check = 0;
    for (int i = 4; i <= 15; ++i) check ^= reply[i];
    EXPECT_EQ(reply[16], check);

    const ChunkClass good = classify(reply);
    EXPECT_EQ(good.kind, ChunkClass::Reply);
    EXPECT_EQ(good.replyCode, REPLY_DELETE_AUTO);

    reply[16] ^= 0x80;
    EXPECT_EQ(classify(reply).kind, ChunkClass::Ignore);
}

Bytes withWrongCheck(Bytes chunk) {
    chunk[chunk.size() - 5] ^= 0xFF;
    return chunk;
}

struct ChunkCase {
    const char* name;
    Bytes chunk;
    ChunkClass::Kind kind;
    uint8_t replyCode;
};

TEST_F(CommandFrameTest, ChunksAreJudgedByTheFramingSteps) {
    const Bytes valid20 = loggerReply(REPLY_SETUP, {});
    const ChunkCase cases[] = {
        {"nine bytes", Bytes(valid20.begin(), valid20.begin() + 9), ChunkClass::Ignore, 0},
        {"ten bytes", Bytes(valid20.begin(), valid20.begin() + 10), ChunkClass::Ignore, 0},
        {"17 bytes", Bytes(17, 0), ChunkClass::Ignore, 0},
        {"19 bytes", Bytes(valid20.begin(), valid20.begin() + 19), ChunkClass::Ignore, 0},
        {"20-byte reply", valid20, ChunkClass::Reply, REPLY_SETUP},
        {"200 bytes, good check", loggerReply(REPLY_AUTO_LOGS, Bytes(180, 0x11)), ChunkClass::Reply,
         REPLY_AUTO_LOGS},
        {"200 bytes, wrong check", withWrongCheck(loggerReply(REPLY_AUTO_LOGS, Bytes(180, 0x11))),
         ChunkClass::Ignore, 0},
        {"201 bytes, wrong check", withWrongCheck(loggerReply(REPLY_AUTO_LOGS, Bytes(181, 0x11))),
         ChunkClass::Reply, REPLY_AUTO_LOGS},
        {"unknown code 0x60", loggerReply(0x60, {0x01}), ChunkClass::Ignore, 0},
        {"request code echoed", loggerReply(CMD_READ_SETUP, {0x01}), ChunkClass::Ignore, 0},
        {"lead and trailer are not examined",
         [] {
             Bytes b = loggerReply(REPLY_SYNC, {0x01});
             b[0] = 0xFF;
             b.back() = 0xFF;
             return b;
         }(),
         ChunkClass::Reply, REPLY_SYNC},
    };
    for (const ChunkCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ChunkClass result = classify(c.chunk);
        EXPECT_EQ(result.kind, c.kind);
        if (c.kind == ChunkClass::Reply) {
            EXPECT_EQ(result.replyCode, c.replyCode);
        }
    }
}

TEST_F(CommandFrameTest, EveryDispatchedCodeIsAReply) {
    for (uint8_t code : {0x52, 0x54, 0x56, 0x58, 0x5A, 0x5C, 0x5E, 0x68, 0x73, 0x81}) {
        SCOPED_TRACE(static_cast<int>(code));
        const ChunkClass result = classify(loggerReply(code, {0x01}));
        EXPECT_EQ(result.kind, ChunkClass::Reply);
        EXPECT_EQ(result.replyCode, code);
    }
}

TEST_F(CommandFrameTest, CountsOutsideTheBufferAreIgnored) {
    data->link.rxBuffer.fill(0);
    data->link.rxBuffer[14] = REPLY_AUTO_LOGS;
    for (int n : {-1, 0, kTxBufferSize + 1, 1 << 30}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(classifyChunk(data->link, n).kind, ChunkClass::Ignore);
    }
    EXPECT_EQ(classifyChunk(data->link, kTxBufferSize).kind, ChunkClass::Reply);
}

}  // namespace
