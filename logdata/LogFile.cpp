#include "logdata/LogFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>

#include "base/ByteOrder.h"
#include "base/FrameUi.h"
#include "base/Texts.h"
#include "link/LoggerSetup.h"
#include "logdata/LogStore.h"
#include "record/AppData.h"

namespace {

constexpr int kHardwareOffset = 24;
constexpr int kHardwareLength = 5;
constexpr int kUnitsOffset = 47;

constexpr int kRecordTimestampOffset = 0;
constexpr int kRecordValuesOffset = 14;

// Records go out through this block so a whole log needs no buffer of its own.
constexpr int kBlockRecords = 256;
using RecordBlock = std::array<uint8_t, kBlockRecords * kLogRecordSize>;
using Header = std::array<uint8_t, kLogHeaderSize>;

constexpr const char* kLoadFormatError = txNoop("\r\n打开数据文件失败：格式错误！");
constexpr const char* kDocumentFormatError = txNoop("File format error.");
constexpr const char* kDocumentMissing = txNoop(
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.");
constexpr const char* kDocumentLocked =
    txNoop("Unable to read from %1, it is opened by someone else.");
constexpr const char* kDocumentOpenFailed = txNoop("Failed to open document.");

Header encodeHeader(const LogStore& store, const LoggerSetup& setup) {
    Header header{};
    std::copy_n(setup.name, kLogNameLength, header.begin() + kLogNameOffset);
    std::copy_n(setup.hardwareVersion, kHardwareLength, header.begin() + kHardwareOffset);
    writeU32le(header, kLogRecordCountOffset, store.recordCount);
    writeU32le(header, kLogChannelCountOffset, store.channelCount);
    std::copy_n(setup.serialNo, kLogSerialLength, header.begin() + kLogSerialOffset);
    std::copy_n(store.unitCodes, kChannels, header.begin() + kUnitsOffset);
    return header;
}

void decodeHeader(const Header& header, LogStore& store, LoggerSetup& setup) {
    std::copy_n(header.begin() + kLogNameOffset, kLogNameLength, setup.name);
    setup.name[kLogNameLength] = '\0';
    std::copy_n(header.begin() + kHardwareOffset, kHardwareLength, setup.hardwareVersion);
    store.recordCount = readU32le(header, kLogRecordCountOffset);
    store.channelCount = readU32le(header, kLogChannelCountOffset);
    std::copy_n(header.begin() + kLogSerialOffset, kLogSerialLength, setup.serialNo);
    std::copy_n(header.begin() + kUnitsOffset, kChannels, store.unitCodes);
    for (int c = 0; c < kChannels; ++c) store.setChannelUnit(c, store.unitCodes[c]);
}

void encodeRecord(const LogStore& store, uint32_t slot, std::span<uint8_t> out) {
    std::copy(store.timestamps[slot].begin(), store.timestamps[slot].end(),
              out.begin() + kRecordTimestampOffset);
    for (int c = 0; c < kChannels; ++c) {
        writeF32le(out, kRecordValuesOffset + 4 * c, store.values[c][slot]);
    }
}

void decodeRecord(std::span<const uint8_t> in, uint32_t slot, LogStore& store) {
    std::copy_n(in.begin() + kRecordTimestampOffset, kTimestampLength,
                store.timestamps[slot].begin());
    for (int c = 0; c < kChannels; ++c) {
        store.values[c][slot] = readF32le(in, kRecordValuesOffset + 4 * c);
    }
}

// Bytes left from the read position; -1 when the stream cannot tell.
std::streamoff remainingBytes(std::istream& in) {
    const std::streampos here = in.tellg();
    if (here == std::streampos(-1)) return -1;
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    if (end == std::streampos(-1) || !in) return -1;
    return end - here;
}

// Reads the bytes of `count` records at once: only when all of them arrived
// may the store be touched. One buffer a file, none a record.
std::unique_ptr<uint8_t[]> readRecordBytes(std::istream& in, uint32_t count) {
    const auto size = static_cast<std::streamsize>(count) * kLogRecordSize;
    auto bytes = std::make_unique_for_overwrite<uint8_t[]>(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.get()), size);
    if (in.gcount() != size) return nullptr;
    return bytes;
}

void decodeRecords(const uint8_t* bytes, uint32_t count, LogStore& store) {
    const std::span<const uint8_t> all(bytes, static_cast<std::size_t>(count) * kLogRecordSize);
    for (uint32_t i = 0; i < count; ++i) {
        decodeRecord(all.subspan(i * kLogRecordSize, kLogRecordSize), i, store);
    }
}

// A folder opens as a stream on this system but is no document, and opening a
// named pipe would wait for a writer for ever: only regular files are read.
LogReadResult readLogPath(const std::string& path, LogStore& store, LoggerSetup& setup) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return LogReadResult::OpenFailed;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return LogReadResult::OpenFailed;
    return readLogFile(in, store, setup);
}

std::string withPath(const char* text, const std::string& path) {
    std::string message = text;
    const auto at = message.find("%1");
    if (at != std::string::npos) message.replace(at, 2, path);
    return message;
}

}  // namespace

bool writeLogFile(std::ostream& out, const LogStore& store, const LoggerSetup& setup) {
    // A count beyond the slots could only be written with records it does not have.
    if (store.recordCount > kLogCapacity) return false;
    const Header header = encodeHeader(store, setup);
    out.write(reinterpret_cast<const char*>(header.data()), header.size());
    const uint32_t count = store.recordCount;
    RecordBlock block;
    for (uint32_t done = 0; done < count && out;) {
        const uint32_t n = std::min<uint32_t>(count - done, kBlockRecords);
        for (uint32_t i = 0; i < n; ++i) {
            encodeRecord(store, done + i,
                         std::span(block).subspan(i * kLogRecordSize, kLogRecordSize));
        }
        out.write(reinterpret_cast<const char*>(block.data()), n * kLogRecordSize);
        done += n;
    }
    out.flush();
    return !out.fail();
}

LogReadResult readLogFile(std::istream& in, LogStore& store, LoggerSetup& setup) {
    Header header;
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    const std::streamsize got = in.gcount();
    if (got == 0) return LogReadResult::Empty;
    if (got < kLogHeaderSize) return LogReadResult::Truncated;
    const uint32_t count = readU32le(header, kLogRecordCountOffset);
    if (count > kLogCapacity) return LogReadResult::TooManyRecords;
    // The whole log must be there before anything of the store is replaced.
    const std::streamoff remaining = remainingBytes(in);
    if (remaining < static_cast<std::streamoff>(count) * kLogRecordSize) {
        return LogReadResult::Truncated;
    }
    // A read error can still come after the length check.
    const auto records = readRecordBytes(in, count);
    if (!records) return LogReadResult::Truncated;
    decodeHeader(header, store, setup);
    decodeRecords(records.get(), count, store);
    return LogReadResult::Ok;
}

LogReadResult loadDocumentFile(const std::string& path, AppData& data) {
    const LogReadResult result = readLogPath(path, data.log.store, data.log.setup);
    if (result != LogReadResult::Ok) return result;
    data.log.store.currentFilePath = path;
    data.log.store.currentFileName = std::filesystem::path(path).filename().string();
    data.log.store.computeStatistics();
    return result;
}

std::string documentLoadMessage(LogReadResult result, const std::string& path) {
    if (result != LogReadResult::OpenFailed) return tx(kDocumentFormatError);
    // Ask the system again why the file does not open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return tx(kDocumentOpenFailed);
    }
    switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return withPath(tx(kDocumentMissing), path);
        case EACCES:
        case EPERM:
            return withPath(tx(kDocumentLocked), path);
        default:
            return tx(kDocumentOpenFailed);
    }
}

std::string documentSaveMessage(int error, const std::string& path) {
    switch (error) {
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return tx("Destination disk drive is full.");
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
        case EISDIR:
            return withPath(tx("Unable to write to %1, it is read-only or opened by someone else."),
                            path);
        default:
            return tx("Failed to save document.");
    }
}

bool loadLogFile(AppData& data, FrameUi& ui) {
    if (readLogPath(data.log.store.currentFilePath, data.log.store, data.log.setup) !=
        LogReadResult::Ok) {
        ui.showMessage(tx(kLoadFormatError));
        return false;
    }
    data.log.store.computeStatistics();
    data.events.logLoaded(data.log.store.currentFilePath);
    return true;
}
