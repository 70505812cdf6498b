#pragma once

#include <string>

#include "base/AppSettings.h"

// Dravin.ini in the program's data folder (base/AppSettings.h gives its bytes).

// Reads programDir + "Dravin.ini"; the defaults when it cannot be opened.
AppSettings readSettingsFile(const std::string& programDir);

// Writes programDir + "Dravin.ini" whole or not at all through the user-file
// door, which tells its observers how it went; false when it could not be
// written, the file that was there left as it was. The user is never told:
// the program has always ended quietly without its settings.
bool writeSettingsFile(const std::string& programDir, const AppSettings& settings);
