#pragma once

#include <string>

#include "archive/Archive.h"
#include "archive/LogCheck.h"

// A signature: who stands behind the log as it is, and in which sense. The
// identity is the system's login, recorded with the name given.
struct Signature {
    std::string meaning;  // "reviewed", "approved" or "rejected"
    std::string name;     // the signer's full name
    std::string comment;  // may be empty
};

// The meanings a signature may have, in this order.
inline constexpr const char* kSignMeanings[] = {"reviewed", "approved", "rejected"};
bool isSignMeaning(const std::string& meaning);

// Appends a "sign" entry bound to the log's SHA-256 when the log at `path` is
// unchanged since it was recorded. Ok with `entry` appended; Refused when it
// is not (`check` says how it stands); Invalid for an unknown meaning or an
// empty name; the archive's failure otherwise.
Outcome signLog(Archive& archive, const std::string& path, const Signature& signature,
                LogCheck& check, TrailEntry& entry);
