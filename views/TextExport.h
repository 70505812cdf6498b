#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "base/NumberFormat.h"  // putOneDecimal, the form of every exported value
#include "base/Outcome.h"
#include "base/Texts.h"

struct LogStore;
struct LoggerSetup;

// The text and spreadsheet exports: tab-separated lines with "\r\n" ends,
// written byte for byte as formatted (no byte order mark), one line a record
// numbered from 1, of the records the store holds now.

// What the window says when the file cannot be written.
inline constexpr const char* kTextExportFailed = txNoop("保存数据到TXT文件失败！");
inline constexpr const char* kSpreadsheetExportFailed = txNoop("Failed to save to excel file.");

// The text export: "SN\tDATE\t\tTIME\t\tCH1\tCH2\tCH3\tCH4\r\n", then per record
// its number, date "YYYY-MM-DD", time "hh:mm:ss" and all four channel values,
// whatever the channel count. False when the stream failed.
bool writeTextExport(std::ostream& out, const LogStore& store);

// The spreadsheet export (tab-separated text, not a workbook): "Name:\t" with
// the setup's name as its bytes up to the first zero byte, "SN:\t" with the ten
// serial number bytes, "Total:\t" with the record count, the column header with
// one unit column per value, then the records with channel 1 for a one-channel
// log, channels 1 and 2 for a two-channel log and all four for any other
// count. False when the stream failed.
bool writeSpreadsheetExport(std::ostream& out, const LogStore& store, const LoggerSetup& setup);

// Write the export to `path` through the user-file door, whole or not at all
// (UserFiles::write): on a failure the file that was at `path` stays as it
// was and no temporary file is left.
Outcome exportTextFile(const std::string& path, const LogStore& store);
Outcome exportSpreadsheetFile(const std::string& path, const LogStore& store,
                              const LoggerSetup& setup);
