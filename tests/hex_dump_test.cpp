#include <gtest/gtest.h>

#include <vector>

#include "link/HexDump.h"

namespace {

TEST(HexDumpTest, BytesBecomeUpperCasePairsSeparatedBySpaces) {
    const struct {
        std::vector<uint8_t> bytes;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{0x00}, "00"},
        {{0x01, 0x16, 0x7B, 0x28}, "01 16 7B 28"},
        {{0xAB, 0xff, 0x0a, 0x7E, 0x04}, "AB FF 0A 7E 04"},
    };
    for (const auto& c : cases) EXPECT_EQ(hexDump(c.bytes), c.text);
}

}  // namespace
