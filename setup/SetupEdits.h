#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct LoggerSetup;

// The rules by which an edit in the Setup pane's grid goes into LoggerSetup.
// Each item's field keeps what the logger can be sent: a number that does not
// fit its field on the wire is refused, not cut to its low bits; the name is
// cut to 24 bytes of the logger's code page between two characters; a serial
// number is taken only as exactly 10 printable ASCII characters without a
// slash or a backslash. Whether the values make sense together is checked by
// Sync, not here.

inline constexpr size_t kSerialNoLength = 10;

struct SetupEdit {
    bool stored = false;  // the field holds the new value (for the name: as cut)
    // For the user, where the item's description shows: why an edit was not
    // stored and what is allowed, or how a name was cut. Empty otherwise.
    std::string note;
};

// The whole numbers a number item's field can carry to the logger.
struct NumberRange {
    int64_t lowest;
    int64_t highest;
};

// Stores `text` (UTF-8, as typed) into the field of item `itemId`. An edit
// that is not stored leaves the field as it was.
SetupEdit applySetupEdit(LoggerSetup& setup, int itemId, std::string_view text);

// The range of a number item; nothing for any other item.
std::optional<NumberRange> numberRange(int itemId);
// A whole number in decimal: an optional sign and digits, blanks around it
// allowed; nothing for any other text or a number beyond 64 bits.
std::optional<int64_t> parseWholeNumber(std::string_view text);
// Exactly 10 printable ASCII characters (blank to tilde), none of them '/' or '\'.
bool isValidSerialNo(std::string_view text);
// Zero-fills all 25 bytes of the name, then copies in `text` in the logger's
// code page, cut to at most 24 bytes without splitting a character. True
// when the whole text fitted.
bool storeName(LoggerSetup& setup, std::string_view text);
