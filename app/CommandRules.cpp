#include "app/CommandRules.h"

#include "app/CommandIds.h"
#include "base/AppData.h"

bool isCommandEnabled(int commandId, const AppData& data) {
    const bool connected = data.link.connected;
    const bool realtime = data.link.realtimeActive;
    const bool haveRecords = data.store.recordCount > 0;
    // Opening a log or starting a new one would replace the samples and the
    // serial number they are saved under.
    if (commandId >= ID_FILE_MRU_FIRST && commandId <= ID_FILE_MRU_LAST) return !realtime;
    switch (commandId) {
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
            return !realtime;
        case ID_CONNECT:
            return !connected && !realtime;
        case ID_COM_PORT:
            return !connected;
        case ID_DISCONNECT:
        case ID_SETUP:
        case ID_DOWNLOAD:
        case ID_MENU_DOWNLOAD:
        case ID_DELETE:
        case ID_REALTIME:
            return connected && !realtime;
        case ID_STOP:
            return connected && realtime;
        case ID_SAVE_EXCEL:
        case ID_SAVE_TXT:
        case ID_SAVE_BMP:
            return haveRecords;
        case ID_QUERY:
        case ID_ORIGINAL:
            return haveRecords && !realtime;
        default:
            return true;
    }
}
