#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

struct AppData;
struct LogStore;
struct LoggerSetup;
class FrameUi;

// A .drav log file: a 51-byte header (name 24, hardware 5, record count u32,
// channel count u32, serial number 10, four unit codes) and 30 bytes a record
// (timestamp 14, four float32 values). Little-endian, no padding, no magic.
inline constexpr int kLogHeaderSize = 51;
inline constexpr int kLogRecordSize = 30;
// The header's fields that a reader of the header alone needs (the archive's index).
inline constexpr int kLogNameOffset = 0;
inline constexpr int kLogNameLength = 24;
inline constexpr int kLogRecordCountOffset = 29;
inline constexpr int kLogChannelCountOffset = 33;
inline constexpr int kLogSerialOffset = 37;
inline constexpr int kLogSerialLength = 10;

enum class LogReadResult {
    Ok,
    Empty,           // the file has no byte at all
    Truncated,       // ends before the header or the announced records
    TooManyRecords,  // announces more than kLogCapacity records
    OpenFailed,      // could not be opened (used by the path helpers below)
};

// Writes the header and recordCount records; false when the stream fails.
bool writeLogFile(std::ostream& out, const LogStore& store, const LoggerSetup& setup);
// Reads and checks first, then commits: on any result but Ok the store and the
// setup are exactly as they were. Bytes after the last record are ignored.
LogReadResult readLogFile(std::istream& in, LogStore& store, LoggerSetup& setup);

// Load through the document (File > Open, recent files, drop, command line):
// readLogFile, then the store's current path and name, then computeStatistics.
// Returns the result; the caller reports a failure (see documentLoadMessage).
LogReadResult loadDocumentFile(const std::string& path, AppData& data);
// The message for a failed document load ("File format error." and the
// file messages for a file that cannot be opened).
std::string documentLoadMessage(LogReadResult result, const std::string& path);
// The message for a failed Save As, from the system's error number of the
// failed create or write ("Destination disk drive is full.", "Unable to write
// to %1, ...", otherwise "Failed to save document.").
std::string documentSaveMessage(int error, const std::string& path);

// The file list, the "100%" command and the query reload: reads
// LogStore::currentFilePath. On failure it shows "\r\n打开数据文件失败：格式错误！"
// and the store stays unchanged; on success it computes the statistics and
// tells data.events that the log was loaded.
bool loadLogFile(AppData& data, FrameUi& ui);
