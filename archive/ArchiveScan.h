#pragma once

#include <string>
#include <vector>

#include "archive/Archive.h"

// Brings the index in step with a folder of logs: a .drav file it does not
// know is recorded as `imported`, one whose size or modification time
// differs is hashed again and, when its content differs, recorded as
// `changed`; a log of the index that is gone from the folder as `vanished`.
// Files whose size and time are as recorded are not read, unless `rehash`.
struct ScanResult {
    Outcome outcome;
    std::vector<std::string> imported;
    std::vector<std::string> changed;
    std::vector<std::string> vanished;
    int unchanged = 0;
};

ScanResult scanLogFolder(Archive& archive, const std::string& folder, bool rehash = false);
