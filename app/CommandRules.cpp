#include "app/CommandRules.h"

#include "record/AppData.h"

bool ruleAllows(CommandRule rule, const AppData& data) {
    const bool connected = data.link.connected;
    const bool realtime = data.link.realtimeActive;
    const bool haveRecords = data.log.store.recordCount > 0;
    switch (rule) {
        case CommandRule::Always:
            return true;
        case CommandRule::WhenNotRealtime:
            return !realtime;
        case CommandRule::WhenDisconnected:
            return !connected;
        case CommandRule::WhenDisconnectedNotRealtime:
            return !connected && !realtime;
        case CommandRule::WhenConnectedNotRealtime:
            return connected && !realtime && !data.link.discarding;
        case CommandRule::WhenConnectedRealtime:
            return connected && realtime;
        case CommandRule::WhenRecords:
            return haveRecords;
        case CommandRule::WhenRecordsNotRealtime:
            return haveRecords && !realtime;
    }
    return false;
}
