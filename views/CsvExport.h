#pragma once

#include <iosfwd>
#include <string>

#include "base/Outcome.h"
#include "base/Texts.h"

struct LogStore;

// The CSV export (RFC 4180): UTF-8 without a byte order mark, comma
// separated, "\r\n" line ends. A header "index,time,CH1 [oC],CH2 [%RH]" with
// the log's channels only (its channel count, at most four) and their units
// as shown, then per record its number from 1, its time as ISO 8601 local
// time "2024-01-05T08:30:05" and the channels' values with one decimal, in °F
// for "oC" channels when `fahrenheit`. A field is quoted, its quotes doubled,
// only when it holds a comma, a quote, a CR or an LF.

// What the window says when the file cannot be written.
inline constexpr const char* kCsvExportFailed = txNoop("Failed to save to CSV file.");

// False when the stream failed.
bool writeCsvExport(std::ostream& out, const LogStore& store, bool fahrenheit);

// Writes the export to `path` through the user-file door, whole or not at
// all (UserFiles::write): on a failure the file that was at `path` stays as
// it was and no temporary file is left.
Outcome exportCsvFile(const std::string& path, const LogStore& store, bool fahrenheit);
