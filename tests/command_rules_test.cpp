#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CommandRules.h"
#include "record/AppData.h"

namespace {

struct LinkAndLog {
    bool connected;
    bool realtime;
    uint32_t records;
};

// The columns of every row below, in this order.
constexpr LinkAndLog kStates[] = {
    {false, false, 0}, {false, false, 1}, {false, true, 0}, {false, true, 1},
    {true, false, 0},  {true, false, 1},  {true, true, 0},  {true, true, 1},
};

TEST(CommandRules, EachRuleFollowsTheLinkAndTheLog) {
    struct Case {
        CommandRule rule;
        const char* enabled;  // '1' where the state of that column enables it
    };
    const Case cases[] = {
        {CommandRule::Always, "11111111"},
        {CommandRule::WhenNotRealtime, "11001100"},
        {CommandRule::WhenDisconnected, "11110000"},
        {CommandRule::WhenDisconnectedNotRealtime, "11000000"},
        {CommandRule::WhenConnectedNotRealtime, "00001100"},
        {CommandRule::WhenConnectedRealtime, "00000011"},
        {CommandRule::WhenRecords, "01010101"},
        {CommandRule::WhenRecordsNotRealtime, "01000100"},
    };
    auto data = std::make_unique<AppData>();
    for (const Case& c : cases) {
        ASSERT_EQ(std::string(c.enabled).size(), std::size(kStates));
        for (size_t i = 0; i < std::size(kStates); ++i) {
            const LinkAndLog& state = kStates[i];
            SCOPED_TRACE(::testing::Message()
                         << static_cast<int>(c.rule) << " connected " << state.connected
                         << " realtime " << state.realtime << " records " << state.records);
            data->link.connected = state.connected;
            data->link.realtimeActive = state.realtime;
            data->log.store.recordCount = state.records;
            EXPECT_EQ(ruleAllows(c.rule, *data), c.enabled[i] == '1');
        }
    }
}

// While the rest of a cancelled download still comes, no request may go out;
// the log on screen and the files stay the user's.
TEST(CommandRules, TheRestOfACancelledDownloadHoldsTheLoggerCommandsOnly) {
    struct Case {
        CommandRule rule;
        bool enabled;
    };
    const Case cases[] = {
        {CommandRule::Always, true},
        {CommandRule::WhenNotRealtime, true},
        {CommandRule::WhenDisconnected, false},
        {CommandRule::WhenDisconnectedNotRealtime, false},
        {CommandRule::WhenConnectedNotRealtime, false},
        {CommandRule::WhenConnectedRealtime, false},
        {CommandRule::WhenRecords, true},
        {CommandRule::WhenRecordsNotRealtime, true},
    };
    auto data = std::make_unique<AppData>();
    data->link.connected = true;
    data->link.discarding = true;
    data->log.store.recordCount = 10;
    for (const Case& c : cases) {
        EXPECT_EQ(ruleAllows(c.rule, *data), c.enabled) << static_cast<int>(c.rule);
    }
}

TEST(CommandRules, AnyNumberOfRecordsCountsAsALog) {
    auto data = std::make_unique<AppData>();
    for (uint32_t records : {2u, 5u, kLogCapacity}) {
        data->log.store.recordCount = records;
        EXPECT_TRUE(ruleAllows(CommandRule::WhenRecords, *data)) << records;
        EXPECT_TRUE(ruleAllows(CommandRule::WhenRecordsNotRealtime, *data)) << records;
    }
}

}  // namespace
