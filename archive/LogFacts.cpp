#include "archive/LogFacts.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "archive/Sha256.h"
#include "archive/Trail.h"
#include "base/ByteOrder.h"
#include "logdata/LogFile.h"
#include "logdata/LogStore.h"
#include "setup/CodePage.h"

namespace {

// Up to the first zero byte.
std::string fixedText(const uint8_t* bytes, size_t size) {
    const auto* text = reinterpret_cast<const char*>(bytes);
    return {text, strnlen(text, size)};
}

// "20240105083005" as "2024-01-05T08:30:05".
std::string isoTime(const char* stamp) {
    const std::string s(stamp, kTimestampLength);
    return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + "T" + s.substr(8, 2) +
           ":" + s.substr(10, 2) + ":" + s.substr(12, 2);
}

bool readAt(std::ifstream& in, std::streamoff at, char* out, std::streamsize size) {
    in.seekg(at);
    return static_cast<bool>(in.read(out, size));
}

}  // namespace

std::optional<LogFacts> readLogFacts(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<uint8_t, kLogHeaderSize> header{};
    if (!in || !in.read(reinterpret_cast<char*>(header.data()), header.size())) return std::nullopt;
    LogFacts facts;
    facts.name = decodeLoggerText(fixedText(header.data() + kLogNameOffset, kLogNameLength));
    facts.records = readU32le(header, kLogRecordCountOffset);
    facts.channels = readU32le(header, kLogChannelCountOffset);
    facts.serial = fixedText(header.data() + kLogSerialOffset, kLogSerialLength);
    if (facts.records > kLogCapacity) return std::nullopt;
    if (facts.records == 0) return facts;
    char stamp[kTimestampLength];
    if (!readAt(in, kLogHeaderSize, stamp, kTimestampLength)) return std::nullopt;
    facts.firstTime = isoTime(stamp);
    const auto last = static_cast<std::streamoff>(kLogHeaderSize) +
                      static_cast<std::streamoff>(facts.records - 1) * kLogRecordSize;
    if (!readAt(in, last, stamp, kTimestampLength)) return std::nullopt;
    facts.lastTime = isoTime(stamp);
    return facts;
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    constexpr int64_t kNanos = 1'000'000'000;
    return FileStamp{static_cast<int64_t>(st.st_size),
                     static_cast<int64_t>(st.st_mtim.tv_sec) * kNanos + st.st_mtim.tv_nsec};
}

std::optional<LogRecord> describeLogFile(const std::string& path, int* error) {
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!stamp) {
        if (error != nullptr) *error = errno != 0 ? errno : EISDIR;
        return std::nullopt;
    }
    LogRecord log;
    log.path = archivePath(path);
    log.size = stamp->size;
    log.mtimeNs = stamp->mtimeNs;
    log.sha256 = sha256HexOfFile(path, error);
    if (log.sha256.empty()) return std::nullopt;
    if (const std::optional<LogFacts> facts = readLogFacts(path)) log.facts = *facts;
    return log;
}
