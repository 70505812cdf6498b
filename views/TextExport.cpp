#include "views/TextExport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string_view>

#include "link/LoggerSetup.h"
#include "link/Protocol.h"
#include "logdata/LogStore.h"
#include "logdata/StampText.h"
#include "logdata/UserFiles.h"

namespace {

constexpr char kTextHeader[] = "SN\tDATE\t\tTIME\t\tCH1\tCH2\tCH3\tCH4\r\n";
constexpr std::string_view kLineEnd = "\r\n";

// Lines are gathered into blocks of this size and go out a block at a time.
constexpr std::size_t kBlockSize = 64 * 1024;
// The longest record line: number, date, time and four values of the longest form.
constexpr std::size_t kMaxLine = 10 + 1 + kStampDateTextLength + 1 + kStampClockTextLength +
                                 kChannels * (1 + kOneDecimalMaxChars) + 2;

// Formats record lines into a block reused for the whole export.
class LineBlock {
public:
    explicit LineBlock(std::ostream& out) : out_(out) {}
    LineBlock(const LineBlock&) = delete;
    LineBlock& operator=(const LineBlock&) = delete;

    // Room for one more line of up to kMaxLine characters at end(); false
    // when the stream has failed, so that nothing more is formatted.
    bool makeRoom() { return sizeof block_ - used_ >= kMaxLine || flush(); }
    char* end() { return block_ + used_; }
    void commit(const char* lineEnd) { used_ = static_cast<std::size_t>(lineEnd - block_); }
    bool flush() {
        out_.write(block_, static_cast<std::streamsize>(used_));
        used_ = 0;
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
    std::size_t used_ = 0;
    char block_[kBlockSize];
};

char* putText(char* out, const char* text, std::size_t length) {
    return std::copy_n(text, length, out);
}

// "\tYYYY-MM-DD\thh:mm:ss" with the timestamp's characters as they are.
char* putStamp(char* out, const Timestamp& t) {
    *out++ = '\t';
    out = putStampDate(out, t.data());
    *out++ = '\t';
    return putStampClock(out, t.data());
}

// Record i's line with the first `channels` channel values.
char* putRecordLine(char* out, const LogStore& store, uint32_t i, uint32_t channels) {
    out = std::to_chars(out, out + 10, i + 1).ptr;
    out = putStamp(out, store.timestamps[i]);
    for (uint32_t c = 0; c < channels; ++c) {
        *out++ = '\t';
        out = putOneDecimal(out, store.values[c][i]);
    }
    return putText(out, kLineEnd.data(), kLineEnd.size());
}

bool writeRecords(std::ostream& out, const LogStore& store, uint32_t channels) {
    LineBlock block(out);
    const uint32_t count = std::min(store.recordCount, kLogCapacity);
    for (uint32_t i = 0; i < count; ++i) {
        if (!block.makeRoom()) return false;
        block.commit(putRecordLine(block.end(), store, i, channels));
    }
    return block.flush();
}

// The spreadsheet shows one value column for a one-channel log, two for a
// two-channel log and four for any other count, the unit header alike.
uint32_t spreadsheetColumns(uint32_t channelCount) {
    return channelCount == 1 || channelCount == 2 ? channelCount : kChannels;
}

void writeSpreadsheetHeader(std::ostream& out, const LogStore& store, const LoggerSetup& setup,
                            uint32_t columns) {
    char total[16];
    const char* totalEnd = std::to_chars(total, total + sizeof total, store.recordCount).ptr;
    out << "Name:\t";
    out.write(setup.name, static_cast<std::streamsize>(strnlen(setup.name, kSetupNameLength)));
    out << "\r\nSN:\t";
    out.write(setup.serialNo, sizeof setup.serialNo);
    out << "\r\nTotal:\t";
    out.write(total, totalEnd - total);
    out << "\r\nSN\tDATE\tTIME";
    for (uint32_t c = 0; c < columns; ++c) out << '\t' << store.unitTexts[c];
    out << "\r\n";
}

}  // namespace

bool writeTextExport(std::ostream& out, const LogStore& store) {
    out << kTextHeader;
    return writeRecords(out, store, kChannels);
}

bool writeSpreadsheetExport(std::ostream& out, const LogStore& store, const LoggerSetup& setup) {
    const uint32_t columns = spreadsheetColumns(store.channelCount);
    writeSpreadsheetHeader(out, store, setup, columns);
    return writeRecords(out, store, columns);
}

Outcome exportTextFile(const std::string& path, const LogStore& store) {
    return userFiles().write({UserFileKind::TextExport, path, store.currentFilePath},
                             [&](std::ostream& out) { return writeTextExport(out, store); });
}

Outcome exportSpreadsheetFile(const std::string& path, const LogStore& store,
                              const LoggerSetup& setup) {
    return userFiles().write(
        {UserFileKind::SpreadsheetExport, path, store.currentFilePath},
        [&](std::ostream& out) { return writeSpreadsheetExport(out, store, setup); });
}
