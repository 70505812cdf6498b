#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "support/FakeHosts.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// A setup reply as the logger sends it, assembled byte by byte.
std::vector<uint8_t> setupReply(int32_t rawCapacity) {
    std::vector<uint8_t> r(kSetupReplyLength, 0);
    const uint8_t lead[] = {0x01, 0x16, 0x7B, 0x28};
    std::copy(std::begin(lead), std::end(lead), r.begin());
    std::memcpy(&r[4], "KM52000017", 10);
    r[14] = 0x54;
    r[15] = 0x01;
    std::memcpy(&r[16], "Cold room 3\0\0\0\0\0\0\0\0\0\0\0\0\0", 24);
    r[40] = 5;
    std::memcpy(&r[41], "KM520A", 6);
    std::memcpy(&r[47], "V2.10", 5);
    r[52] = 10;
    const uint8_t logInterval[] = {0x2C, 0x01, 0x00, 0x00};  // 300
    std::copy(std::begin(logInterval), std::end(logInterval), r.begin() + 53);
    const uint8_t logsCount[] = {0x39, 0x30, 0x00, 0x00};  // 12345
    std::copy(std::begin(logsCount), std::end(logsCount), r.begin() + 57);
    const auto cap = static_cast<uint32_t>(rawCapacity);
    for (int i = 0; i < 4; ++i) r[61 + i] = static_cast<uint8_t>(cap >> (8 * i));
    r[65] = 0xFE;                                        // -2
    const uint8_t ch1High[] = {0x5E, 0x01, 0x00, 0x00};  // 350
    const uint8_t ch1Low[] = {0x9C, 0xFF, 0xFF, 0xFF};   // -100
    std::copy(std::begin(ch1High), std::end(ch1High), r.begin() + 66);
    std::copy(std::begin(ch1Low), std::end(ch1Low), r.begin() + 70);
    const uint8_t shorts[] = {0xE8, 0x03, 0x18, 0xFC,   // ch2 1000, -1000
                              0x02, 0x00, 0xFE, 0xFF,   // ch3 2, -2
                              0xFF, 0x7F, 0x00, 0x80,   // ch4 32767, -32768
                              0x05, 0x00, 0xFB, 0xFF,   // offsets 5, -5
                              0x00, 0x00, 0x01, 0x01};  //         0, 257
    std::copy(std::begin(shorts), std::end(shorts), r.begin() + 74);
    r[94] = 0x00;
    const uint8_t trailer[] = {0x29, 0x7D, 0x7E, 0x04};
    std::copy(std::begin(trailer), std::end(trailer), r.begin() + 95);
    return r;
}

std::unique_ptr<LoggerSetup> makeSetup() {
    return std::make_unique<LoggerSetup>();
}

}  // namespace

TEST(SetupReply, FillsEveryField) {
    auto setup = makeSetup();
    ASSERT_TRUE(parseSetupReply(setupReply(140000), *setup));
    EXPECT_EQ(std::string(setup->serialNo, 10), "KM52000017");
    EXPECT_STREQ(setup->name, "Cold room 3");
    EXPECT_EQ(setup->name[24], '\0');
    EXPECT_EQ(setup->channelConfig, 5);
    EXPECT_EQ(std::string(setup->model, 6), "KM520A");
    EXPECT_EQ(std::string(setup->hardwareVersion, 5), "V2.10");
    EXPECT_EQ(setup->samplingInterval, 10);
    EXPECT_EQ(setup->logInterval, 300u);
    EXPECT_EQ(setup->logsCount, 12345u);
    EXPECT_EQ(setup->capacity, 10000);
    EXPECT_EQ(setup->manuLogsCount, -2);
    EXPECT_EQ(setup->ch1High, 350);
    EXPECT_EQ(setup->ch1Low, -100);
    EXPECT_EQ(setup->ch2High, 1000);
    EXPECT_EQ(setup->ch2Low, -1000);
    EXPECT_EQ(setup->ch3High, 2);
    EXPECT_EQ(setup->ch3Low, -2);
    EXPECT_EQ(setup->ch4High, 32767);
    EXPECT_EQ(setup->ch4Low, -32768);
    EXPECT_THAT(setup->offsets, ElementsAre(5, -5, 0, 257));
}

TEST(SetupReply, CapacityIsTheRawValueOverFourteenTruncatedTowardZero) {
    const std::pair<int32_t, int32_t> table[] = {{140000, 10000}, {27, 1},   {13, 0},
                                                 {0, 0},          {-27, -1}, {-140000, -10000}};
    for (const auto& [raw, records] : table) {
        auto setup = makeSetup();
        ASSERT_TRUE(parseSetupReply(setupReply(raw), *setup));
        EXPECT_EQ(setup->capacity, records) << "raw " << raw;
    }
}

TEST(SetupReply, AFullTwentyFourCharacterNameStaysTerminated) {
    auto reply = setupReply(14);
    std::memcpy(&reply[16], "ABCDEFGHIJKLMNOPQRSTUVWX", 24);
    auto setup = makeSetup();
    std::memset(setup->name, 'z', sizeof setup->name);
    ASSERT_TRUE(parseSetupReply(reply, *setup));
    EXPECT_STREQ(setup->name, "ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST(SetupReply, OtherLengthsAreRefusedAndChangeNothing) {
    const auto reply = setupReply(140000);
    for (size_t length : {size_t{0}, size_t{22}, size_t{98}}) {
        auto setup = makeSetup();
        setup->capacity = 77;
        EXPECT_FALSE(parseSetupReply(std::span(reply).first(length), *setup));
        EXPECT_EQ(setup->capacity, 77);
        EXPECT_EQ(setup->serialNo[0], '\0');
    }
    std::vector<uint8_t> longer = reply;
    longer.push_back(0);
    auto setup = makeSetup();
    EXPECT_FALSE(parseSetupReply(longer, *setup));
    EXPECT_EQ(setup->channelConfig, 0);
}

TEST(SetupReply, LeavesTheStoreChannelsAlone) {
    auto data = std::make_unique<AppData>();
    data->log.store.channelCount = 1;
    ASSERT_TRUE(parseSetupReply(setupReply(140000), data->log.setup));
    EXPECT_EQ(data->log.setup.channelConfig, 5);
    EXPECT_EQ(data->log.store.channelCount, 1u);
}

struct ConfigCase {
    uint16_t code;
    uint32_t channelCount;
    std::array<uint8_t, 4> units;
    std::array<const char*, 4> texts;
};

class ChannelConfigTable : public ::testing::TestWithParam<ConfigCase> {};

// The store starts with units 3, 4, 6, 2, so an untouched channel shows.
TEST_P(ChannelConfigTable, SetsCountUnitsAndTexts) {
    auto store = std::make_unique<LogStore>();
    const uint8_t before[] = {3, 4, 6, 2};
    std::copy(std::begin(before), std::end(before), store->unitCodes);
    store->channelCount = 9;
    applyChannelConfig(GetParam().code, *store);
    EXPECT_EQ(store->channelCount, GetParam().channelCount);
    EXPECT_THAT(store->unitCodes, ElementsAreArray(GetParam().units));
    for (int c = 0; c < kChannels; ++c) EXPECT_EQ(store->unitTexts[c], GetParam().texts[c]);
}

INSTANTIATE_TEST_SUITE_P(
    LoggerSetup, ChannelConfigTable,
    ::testing::Values(ConfigCase{0, 1, {0, 4, 6, 2}, {"oC", "Lux", "I/O", "PPM"}},
                      ConfigCase{1, 1, {0, 4, 6, 2}, {"oC", "Lux", "I/O", "PPM"}},
                      ConfigCase{2, 2, {0, 0, 0, 0}, {"oC", "oC", "oC", "oC"}},
                      ConfigCase{3, 1, {0, 4, 6, 2}, {"oC", "Lux", "I/O", "PPM"}},
                      ConfigCase{4, 4, {0, 0, 0, 0}, {"oC", "oC", "oC", "oC"}},
                      ConfigCase{5, 2, {0, 1, 0, 1}, {"oC", "%RH", "oC", "%RH"}},
                      ConfigCase{6, 4, {0, 1, 0, 1}, {"oC", "%RH", "oC", "%RH"}},
                      ConfigCase{7, 1, {0, 4, 6, 2}, {"oC", "Lux", "I/O", "PPM"}},
                      ConfigCase{0x1FF, 1, {0, 4, 6, 2}, {"oC", "Lux", "I/O", "PPM"}}));

namespace {

std::unique_ptr<LoggerSetup> syncSetup() {
    auto setup = makeSetup();
    std::memcpy(setup->serialNo, "KM52000017", 10);
    std::memcpy(setup->name, "Lab", 3);
    setup->name[3] = '\0';
    setup->name[4] = 'x';  // a byte left over from a longer name travels as held
    setup->channelConfig = 0x0105;
    std::memcpy(setup->model, "KM520A", 6);
    setup->samplingInterval = 2;
    setup->logInterval = 86400;
    setup->logsCount = 99;
    setup->capacity = 10000;
    setup->ch1High = 350;
    setup->ch1Low = -100;
    setup->ch2High = 1000;
    setup->ch2Low = -1000;
    setup->ch3High = 2;
    setup->ch3Low = -2;
    setup->ch4High = 32767;
    setup->ch4Low = -32768;
    setup->offsets[0] = 5;
    setup->offsets[1] = -5;
    setup->offsets[2] = 0;
    setup->offsets[3] = 257;
    return setup;
}

}  // namespace

TEST(SyncFrame, CarriesTheClockInBcd) {
    FakeClock clock;  // 2024-03-09 07:05:02
    const auto frame = encodeSyncFrame(*syncSetup(), clock);
    EXPECT_THAT(std::span(frame).subspan(16, 7),
                ElementsAre(0x02, 0x05, 0x07, 0x09, 0x03, 0x20, 0x24));

    clock.time = {1999, 12, 31, 23, 59, 58};
    const auto late = encodeSyncFrame(*syncSetup(), clock);
    EXPECT_THAT(std::span(late).subspan(16, 7),
                ElementsAre(0x58, 0x59, 0x23, 0x31, 0x12, 0x19, 0x99));
}

TEST(SyncFrame, GoldenBytes) {
    FakeClock clock;
    const auto frame = encodeSyncFrame(*syncSetup(), clock);
    const std::array<uint8_t, kSyncFrameLength> expected = {
        0x01, 0x16, 0x7B, 0x28,                                     // lead
        'K',  'M',  '5',  '2',  '0',  '0',  '0',  '0',  '1',  '7',  // serial
        0x55, 0x01,                                                 // code, flag
        0x02, 0x05, 0x07, 0x09, 0x03, 0x20, 0x24,                   // 2024-03-09 07:05:02
        'L',  'a',  'b',  0x00, 'x',  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // name
        0x05,                                            // channel config, low byte
        0x02,                                            // sampling interval
        0x80, 0x51, 0x01, 0x00,                          // log interval 86400
        0x5E, 0x01, 0x00, 0x00,                          // ch1 high 350
        0x9C, 0xFF, 0xFF, 0xFF,                          // ch1 low -100
        0xE8, 0x03, 0x18, 0xFC,                          // ch2 1000, -1000
        0x02, 0x00, 0xFE, 0xFF,                          // ch3 2, -2
        0xFF, 0x7F, 0x00, 0x80,                          // ch4 32767, -32768
        0x05, 0x00, 0xFB, 0xFF, 0x00, 0x00, 0x01, 0x01,  // offsets
        0x00,                                            // check byte, set below
        0x29, 0x7D, 0x7E, 0x04};                         // trailer
    uint8_t check = 0;
    for (int i = 4; i <= 80; ++i) check ^= expected[i];
    EXPECT_EQ(frame[81], check);
    auto golden = expected;
    golden[81] = check;
    EXPECT_THAT(frame, ElementsAreArray(golden));
}

TEST(SyncFrame, ReadsTheClockOnce) {
    // A clock that ticks on every reading: fields from several readings would
    // mix the seconds of 23:59:59 with the date of the next day.
    class TickingClock : public Clock {
    public:
        LocalTime now() const override {
            ++readings;
            return readings == 1 ? LocalTime{2023, 12, 31, 23, 59, 59}
                                 : LocalTime{2024, 1, 1, 0, 0, 0};
        }
        mutable int readings = 0;
    } clock;
    const auto frame = encodeSyncFrame(*syncSetup(), clock);
    EXPECT_EQ(clock.readings, 1);
    EXPECT_THAT(std::span(frame).subspan(16, 7),
                ElementsAre(0x59, 0x59, 0x23, 0x31, 0x12, 0x20, 0x23));
}
