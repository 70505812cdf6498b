#pragma once

#include <string>

#include "base/AppSettings.h"
#include "base/LogEvents.h"
#include "link/LinkState.h"
#include "logdata/DisplayChoices.h"
#include "logdata/LogDocument.h"

// The process-wide record: all data the program keeps for its whole run. One
// instance, owned by the application object (or the command-line tool), zero
// filled before start-up and sized once: allocate it with
// std::make_unique<AppData>() (the log store alone is about 4.2 MB). Its
// parts have names of their own: the log document, the display choices and
// the link session.
struct AppData {
    AppSettings settings;
    // Where Dravin.ini and Logfiles are: dataDir(), normally beside the
    // program; ends in '/'.
    std::string programDir;
    LogDocument log;
    DisplayChoices display;
    LinkState link;        // the link session
    std::string busyText;  // what the busy box shows at its next update
    // Where saved downloads go; empty means programDir + "Logfiles/". The
    // command-line tool points it elsewhere with --dir.
    std::string logDirOverride;
    // Who is told what happens to the log and the link.
    LogEventHub events;
};

// The directory of the running executable, ending in '/'.
std::string executableDir();
// The per-user data folder: $XDG_DATA_HOME/Dravin/, else
// $HOME/.local/share/Dravin/; empty when neither variable is set.
std::string userDataDir();
// Where Dravin.ini and Logfiles go: beside the program while its folder is
// writable (a portable copy), otherwise (an installed copy) the per-user
// folder, so that saving never fails for want of a place. Both end in '/'.
std::string chooseDataDir(const std::string& programFolder, bool programFolderWritable,
                          const std::string& userFolder);
// chooseDataDir for the running program; the per-user folder is made when
// it is chosen and missing.
std::string dataDir();
// Computes data.programDir (dataDir()) when it is still empty.
void ensureProgramDir(AppData& data);
// The folder saved logs go to, ending in '/'.
std::string logFilesDir(const AppData& data);
// Makes programDir + "Logfiles" when it does not exist; the result is not checked.
void makeLogFilesDir(const AppData& data);
