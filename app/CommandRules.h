#pragma once

struct AppData;

// Whether command `commandId` is available now, from the state of the link,
// realtime sampling and the log store. Menus, the toolbar, the keys and the
// command routing all ask this.
bool isCommandEnabled(int commandId, const AppData& data);
