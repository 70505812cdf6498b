#pragma once

#include <string>

#include "base/AppSettings.h"
#include "link/LinkState.h"
#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"

// The process-wide record: all data the program keeps for its whole run. One
// instance, owned by the application object (or the command-line tool), zero
// filled before start-up and sized once: allocate it with
// std::make_unique<AppData>() (the log store alone is about 4.2 MB).
struct AppData {
    AppSettings settings;
    std::string programDir;  // directory of the executable, ends in '/'
    int channelVisible[4];
    LoggerSetup setup;
    LinkState link;
    LogStore store;
    std::string busyText;  // what the busy box shows at its next update
    // Where saved downloads go; empty means programDir + "Logfiles/". The
    // command-line tool points it elsewhere with --dir.
    std::string logDirOverride;
};

// The directory of the running executable, ending in '/'.
std::string executableDir();
// Computes data.programDir from the executable when it is still empty.
void ensureProgramDir(AppData& data);
// The folder saved logs go to, ending in '/'.
std::string logFilesDir(const AppData& data);
// Makes programDir + "Logfiles" when it does not exist; the result is not checked.
void makeLogFilesDir(const AppData& data);
