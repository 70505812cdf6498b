#pragma once

struct AppData;

// The rules that enable commands, from the state of the link, realtime
// sampling and the log store. Each command names its rule; menus, the
// toolbar, the keys and the command routing all ask it.
enum class CommandRule {
    Always,
    // Opening a log or starting a new one would replace the samples coming in
    // and the serial number they are saved under.
    WhenNotRealtime,
    WhenDisconnected,
    WhenDisconnectedNotRealtime,
    // One request to the logger at a time: none while samples are asked for,
    // nor while the rest of a cancelled download still comes.
    WhenConnectedNotRealtime,
    WhenConnectedRealtime,
    WhenRecords,
    WhenRecordsNotRealtime,
};

bool ruleAllows(CommandRule rule, const AppData& data);
