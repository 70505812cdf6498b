#pragma once

#include <span>
#include <string>
#include <string_view>

#include "archive/Archive.h"

// The audit trail's entries: who, when, and the chain of their hashes.

// An entry of `event` on `file`, stamped now with the login, the host and
// the program; seq, prev and hash are filled when the archive appends it.
TrailEntry newTrailEntry(std::string event, std::string file, std::string sha256 = {},
                         std::string details = "{}");
// SHA-256 (hex) over every field of the entry but its hash, prev included,
// each written as its length and its bytes, so that no two entries meet.
std::string trailHash(const TrailEntry& entry);
// Walks entries in order: broken at the first one whose seq is not the next
// (the missing one), whose prev is not the hash before it, or whose hash does
// not match; `lastSeq` and `lastHash` are what the archive holds as its last
// entry's, so that an entry cut off the end shows too.
ChainCheck checkChain(std::span<const TrailEntry> entries, int64_t lastSeq,
                      std::string_view lastHash);

// "2024-01-05 09:24 (+01:00)": the entry's time as the clock on its host showed it.
std::string localTimeText(const TrailEntry& entry);

// The login of the process's user, and the host's name.
std::string loginName();
// The user's full name as the system knows it (the first field of the
// account's comment), or the login when it has none.
std::string userFullName();
std::string hostName();
std::string programName();

// An absolute, normal path: how the archive names files.
std::string archivePath(std::string_view path);

// A JSON object of text and number fields, written in the order added.
class Details {
public:
    Details& text(std::string_view key, std::string_view value);
    Details& number(std::string_view key, int64_t value);
    Details& flag(std::string_view key, bool value);
    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(std::string_view key);
    std::string body_;
};
std::string jsonQuoted(std::string_view text);
