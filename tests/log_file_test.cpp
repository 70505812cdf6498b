#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/ByteDiff.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TestPaths.h"

namespace {

const std::string kGoldenPath = testDataDir() + "/three_records.drav";
const char kLoadError[] = "\r\n打开数据文件失败：格式错误！";

struct GoldenRecord {
    const char* stamp;
    float values[4];
};

// The values tests/data/three_records.drav was made from.
const GoldenRecord kGolden[] = {
    {"20100305142201", {21.5f, 55.25f, -3.0f, 1e6f}},
    {"20100305142301", {-12.75f, 0.0f, 123.5f, -0.5f}},
    {"20100305142401", {200.0f, 99.9f, -200.5f, 7.0f}},
};

void writeText(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void setIdentity(LoggerSetup& setup, const char* name, const char* hardware, const char* serial) {
    std::memset(setup.name, 0, sizeof setup.name);
    std::strncpy(setup.name, name, 24);
    std::memcpy(setup.hardwareVersion, hardware, 5);
    std::memcpy(setup.serialNo, serial, 10);
}

void setUnits(LogStore& store, std::array<uint8_t, 4> units) {
    for (int c = 0; c < kChannels; ++c) {
        store.unitCodes[c] = units[c];
        store.setChannelUnit(c, units[c]);
    }
}

void fillGolden(AppData& data) {
    setIdentity(data.log.setup, "Greenhouse 2", "V1.05", "1234567890");
    data.log.store.channelCount = 2;
    setUnits(data.log.store, {0, 1, 7, 200});
    for (uint32_t i = 0; i < std::size(kGolden); ++i) {
        std::copy_n(kGolden[i].stamp, kTimestampLength, data.log.store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) data.log.store.values[c][i] = kGolden[i].values[c];
    }
    data.log.store.recordCount = std::size(kGolden);
}

// Another log altogether, to see whether a read replaced it or left it alone.
void fillOther(AppData& data) {
    setIdentity(data.log.setup, "Freezer", "H0.99", "9876543210");
    data.log.store.channelCount = 4;
    setUnits(data.log.store, {2, 3, 4, 5});
    for (uint32_t i = 0; i < 5; ++i) {
        std::copy_n("20240101000000", kTimestampLength, data.log.store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c)
            data.log.store.values[c][i] = static_cast<float>(100 * c + i);
    }
    data.log.store.recordCount = 5;
}

std::unique_ptr<AppData> makeData() {
    return std::make_unique<AppData>();
}

std::string written(const AppData& data) {
    std::ostringstream out;
    EXPECT_TRUE(writeLogFile(out, data.log.store, data.log.setup));
    return out.str();
}

// Everything a log file carries, plus the unit texts, as one comparable text.
std::string snapshot(const AppData& data) {
    std::string s = written(data);
    for (const auto& text : data.log.store.unitTexts) s += "|" + text;
    return s + "|" + data.log.store.currentFilePath + "|" + data.log.store.currentFileName;
}

LogReadResult readFrom(const std::string& bytes, AppData& data) {
    std::istringstream in(bytes);
    return readLogFile(in, data.log.store, data.log.setup);
}

// Accepts `limit` bytes, then fails like a full disk.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::size_t limit) : limit_(limit) {}

protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        if (taken_ >= limit_) return traits_type::eof();
        ++taken_;
        return ch;
    }

private:
    std::size_t limit_;
    std::size_t taken_ = 0;
};

// A pipe-like source: no seeking, so its length cannot be known beforehand.
class UnseekableBuffer : public std::streambuf {
public:
    explicit UnseekableBuffer(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

private:
    std::string bytes_;
};

// A file of known length whose reading fails after `limit` bytes, as a disk
// error would after the length was checked.
class FailingReadBuffer : public std::stringbuf {
public:
    FailingReadBuffer(const std::string& bytes, std::streamsize limit)
        : std::stringbuf(bytes, std::ios::in), limit_(limit) {}

protected:
    std::streamsize xsgetn(char* s, std::streamsize n) override {
        const std::streamsize here = gptr() - eback();
        return std::stringbuf::xsgetn(s, std::clamp<std::streamsize>(limit_ - here, 0, n));
    }

private:
    std::streamsize limit_;
};

}  // namespace

TEST(LogFile, WritesTheGoldenFileByteForByte) {
    auto data = makeData();
    fillGolden(*data);
    const std::string golden = readFileBytes(kGoldenPath);
    ASSERT_EQ(golden.size(), 141u);
    EXPECT_TRUE(sameBytes(written(*data), golden));
}

TEST(LogFile, ReadsTheGoldenFile) {
    auto data = makeData();
    fillOther(*data);
    std::ifstream in(kGoldenPath, std::ios::binary);
    ASSERT_EQ(readLogFile(in, data->log.store, data->log.setup), LogReadResult::Ok);
    EXPECT_STREQ(data->log.setup.name, "Greenhouse 2");
    EXPECT_EQ(std::string(data->log.setup.hardwareVersion, 5), "V1.05");
    EXPECT_EQ(std::string(data->log.setup.serialNo, 10), "1234567890");
    EXPECT_EQ(data->log.store.recordCount, 3u);
    EXPECT_EQ(data->log.store.channelCount, 2u);
    EXPECT_THAT(data->log.store.unitCodes, ::testing::ElementsAre(0, 1, 7, 200));
    EXPECT_THAT(data->log.store.unitTexts, ::testing::ElementsAre("oC", "%RH", "Un", "Un"));
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(data->log.store.timestamp(i), kGolden[i].stamp);
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(data->log.store.values[c][i], kGolden[i].values[c]) << i << "/" << c;
        }
    }
    // Slots past the new count keep what they held.
    EXPECT_EQ(data->log.store.values[0][3], 3.0f);
}

TEST(LogFile, EmptyStoreWritesHeaderOnlyAndReadingItReplacesTheIdentity) {
    auto source = makeData();
    fillGolden(*source);
    source->log.store.recordCount = 0;
    const std::string bytes = written(*source);
    EXPECT_EQ(bytes.size(), 51u);

    auto target = makeData();
    fillOther(*target);
    ASSERT_EQ(readFrom(bytes, *target), LogReadResult::Ok);
    EXPECT_EQ(target->log.store.recordCount, 0u);
    EXPECT_EQ(target->log.store.channelCount, 2u);
    EXPECT_STREQ(target->log.setup.name, "Greenhouse 2");
    EXPECT_EQ(std::string(target->log.setup.hardwareVersion, 5), "V1.05");
    EXPECT_EQ(std::string(target->log.setup.serialNo, 10), "1234567890");
    EXPECT_THAT(target->log.store.unitTexts, ::testing::ElementsAre("oC", "%RH", "Un", "Un"));
}

TEST(LogFile, RecordsRoundTripWithEveryChannel) {
    auto source = makeData();
    fillOther(*source);
    source->log.store.channelCount = 1;  // channels 2..4 travel all the same
    const std::string bytes = written(*source);
    EXPECT_EQ(bytes.size(), 51u + 5 * 30);

    auto target = makeData();
    fillGolden(*target);
    ASSERT_EQ(readFrom(bytes, *target), LogReadResult::Ok);
    EXPECT_TRUE(sameBytes(written(*target), bytes));
    EXPECT_EQ(target->log.store.values[3][4], 304.0f);
}

TEST(LogFile, FullTwentyFourCharacterNameStaysTerminatedAfterReading) {
    auto source = makeData();
    fillGolden(*source);
    std::memcpy(source->log.setup.name, "ABCDEFGHIJKLMNOPQRSTUVWX", 24);
    auto target = makeData();
    std::memset(target->log.setup.name, 'z', sizeof target->log.setup.name);
    ASSERT_EQ(readFrom(written(*source), *target), LogReadResult::Ok);
    EXPECT_STREQ(target->log.setup.name, "ABCDEFGHIJKLMNOPQRSTUVWX");
}

TEST(LogFile, BytesAfterTheLastRecordAreIgnored) {
    auto data = makeData();
    fillOther(*data);
    ASSERT_EQ(readFrom(readFileBytes(kGoldenPath) + "trailing junk", *data), LogReadResult::Ok);
    EXPECT_EQ(data->log.store.recordCount, 3u);
    EXPECT_TRUE(sameBytes(written(*data), readFileBytes(kGoldenPath)));
}

TEST(LogFile, AFullStoreIsAcceptedOneMoreRecordIsNot) {
    auto data = makeData();
    fillGolden(*data);
    data->log.store.recordCount = kLogCapacity;
    const std::string full = written(*data);
    ASSERT_EQ(full.size(), 51u + 30u * kLogCapacity);

    auto target = makeData();
    ASSERT_EQ(readFrom(full, *target), LogReadResult::Ok);
    EXPECT_EQ(target->log.store.recordCount, kLogCapacity);

    std::string over = full + std::string(30, '0');
    over[29] = static_cast<char>((kLogCapacity + 1) & 0xFF);
    EXPECT_EQ(readFrom(over, *target), LogReadResult::TooManyRecords);
}

struct BadFile {
    const char* what;
    std::string bytes;
    LogReadResult result;
};

// A failing case names itself rather than dumping its bytes.
void PrintTo(const BadFile& file, std::ostream* out) {
    *out << file.what << " (" << file.bytes.size() << " bytes)";
}

std::string caseName(const ::testing::TestParamInfo<BadFile>& info) {
    std::string name;
    bool upper = true;
    for (const char* c = info.param.what; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)) == 0) {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
        upper = false;
    }
    return name;
}

class RefusedLogFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(RefusedLogFile, LeavesStoreAndSetupAsTheyWere) {
    auto data = makeData();
    fillOther(*data);
    data->log.store.currentFilePath = "/logs/old.drav";
    data->log.store.currentFileName = "old.drav";
    const std::string before = snapshot(*data);
    EXPECT_EQ(readFrom(GetParam().bytes, *data), GetParam().result) << GetParam().what;
    EXPECT_EQ(snapshot(*data), before) << GetParam().what;
}

std::string withCount(uint32_t count) {
    std::string bytes = readFileBytes(kGoldenPath);
    for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<char>(count >> (8 * i));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    LogFile, RefusedLogFile,
    ::testing::Values(
        BadFile{"empty", "", LogReadResult::Empty},
        BadFile{"one byte", "G", LogReadResult::Truncated},
        BadFile{"header short by one", readFileBytes(kGoldenPath).substr(0, 50),
                LogReadResult::Truncated},
        BadFile{"no records", readFileBytes(kGoldenPath).substr(0, 51), LogReadResult::Truncated},
        BadFile{"last record short", readFileBytes(kGoldenPath).substr(0, 140),
                LogReadResult::Truncated},
        BadFile{"four announced", withCount(4), LogReadResult::Truncated},
        BadFile{"over capacity", withCount(kLogCapacity + 1), LogReadResult::TooManyRecords},
        BadFile{"absurd count", withCount(0xFFFFFFFFu), LogReadResult::TooManyRecords}),
    caseName);

TEST(LogFile, AStreamOfUnknownLengthIsRefused) {
    auto data = makeData();
    fillOther(*data);
    const std::string before = snapshot(*data);
    UnseekableBuffer buffer(readFileBytes(kGoldenPath));
    std::istream in(&buffer);
    EXPECT_EQ(readLogFile(in, data->log.store, data->log.setup), LogReadResult::Truncated);
    EXPECT_EQ(snapshot(*data), before);
}

TEST(LogFile, AReadErrorAmongTheRecordsLeavesEverythingAsItWas) {
    const std::string golden = readFileBytes(kGoldenPath);
    for (std::streamsize limit : {51, 52, 80, 81, 110, 111, 140}) {
        auto data = makeData();
        fillOther(*data);
        data->log.store.currentFilePath = "/logs/old.drav";
        data->log.store.currentFileName = "old.drav";
        const std::string before = snapshot(*data);
        FailingReadBuffer buffer(golden, limit);
        std::istream in(&buffer);
        EXPECT_EQ(readLogFile(in, data->log.store, data->log.setup), LogReadResult::Truncated)
            << limit;
        EXPECT_EQ(snapshot(*data), before) << limit;
    }
    auto data = makeData();
    FailingReadBuffer whole(golden, static_cast<std::streamsize>(golden.size()));
    std::istream in(&whole);
    ASSERT_EQ(readLogFile(in, data->log.store, data->log.setup), LogReadResult::Ok);
    EXPECT_TRUE(sameBytes(written(*data), golden));
}

TEST(LogFile, WriterReportsAStreamThatFails) {
    auto data = makeData();
    fillGolden(*data);
    for (std::size_t limit : {0, 10, 50, 51, 80, 140}) {
        FailingBuffer buffer(limit);
        std::ostream out(&buffer);
        EXPECT_FALSE(writeLogFile(out, data->log.store, data->log.setup)) << "limit " << limit;
    }
    FailingBuffer roomy(141);
    std::ostream out(&roomy);
    EXPECT_TRUE(writeLogFile(out, data->log.store, data->log.setup));
}

TEST(LogFile, WriterRefusesACountBeyondTheStore) {
    auto data = makeData();
    fillGolden(*data);
    data->log.store.recordCount = kLogCapacity + 1;
    std::ostringstream out;
    EXPECT_FALSE(writeLogFile(out, data->log.store, data->log.setup));
    EXPECT_TRUE(out.str().empty());
}

TEST(LogFile, LoadThroughTheDocumentSetsPathNameAndStatistics) {
    auto data = makeData();
    fillOther(*data);
    ASSERT_EQ(loadDocumentFile(kGoldenPath, *data), LogReadResult::Ok);
    EXPECT_EQ(data->log.store.currentFilePath, kGoldenPath);
    EXPECT_EQ(data->log.store.currentFileName, "three_records.drav");
    EXPECT_EQ(data->log.store.maxValue[0], 200.0f);
    EXPECT_EQ(data->log.store.minValue[0], -12.75f);
    EXPECT_GT(data->log.store.axisStep, 0);
}

TEST(LogFile, FailedDocumentLoadsKeepTheStoreAndExplainThemselves) {
    TempDir temp;
    writeText(temp.dir() + "empty.drav", "");
    writeText(temp.dir() + "short.drav", readFileBytes(kGoldenPath).substr(0, 100));
    writeText(temp.dir() + "plain", "x");
    const std::string missing = temp.dir() + "missing.drav";
    const std::string underFile = temp.dir() + "plain/log.drav";
    const std::string pipe = temp.dir() + "pipe.drav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::string path;
        LogReadResult result;
        std::string message;
    } cases[] = {
        {temp.dir() + "empty.drav", LogReadResult::Empty, "File format error."},
        {temp.dir() + "short.drav", LogReadResult::Truncated, "File format error."},
        {missing, LogReadResult::OpenFailed,
         missing +
             "\nCannot find this file.\nPlease verify that the correct path and file name are "
             "given."},
        {underFile, LogReadResult::OpenFailed,
         underFile +
             "\nCannot find this file.\nPlease verify that the correct path and file name are "
             "given."},
        {temp.dir(), LogReadResult::OpenFailed, "Failed to open document."},
        // A named pipe would block the open for ever.
        {pipe, LogReadResult::OpenFailed, "Failed to open document."},
    };
    for (const Case& c : cases) {
        auto data = makeData();
        fillOther(*data);
        data->log.store.currentFilePath = "/logs/old.drav";
        data->log.store.currentFileName = "old.drav";
        const std::string before = snapshot(*data);
        EXPECT_EQ(loadDocumentFile(c.path, *data), c.result) << c.path;
        EXPECT_EQ(documentLoadMessage(c.result, c.path), c.message) << c.path;
        EXPECT_EQ(snapshot(*data), before) << c.path;
    }
}

TEST(LogFile, FormatErrorsShareOneDocumentMessage) {
    for (auto result :
         {LogReadResult::Empty, LogReadResult::Truncated, LogReadResult::TooManyRecords}) {
        EXPECT_EQ(documentLoadMessage(result, "/any/path.drav"), "File format error.");
    }
}

TEST(LogFile, SaveMessagesFollowTheSystemError) {
    const std::string path = "/logs/a.drav";
    const std::string locked =
        "Unable to write to /logs/a.drav, it is read-only or opened by someone else.";
    const std::pair<int, std::string> cases[] = {
        {ENOSPC, "Destination disk drive is full."},
        {EFBIG, "Destination disk drive is full."},
        {EACCES, locked},
        {EROFS, locked},
        {EISDIR, locked},
        {ENOENT, "Failed to save document."},
        {0, "Failed to save document."},
    };
    for (const auto& [error, message] : cases) {
        EXPECT_EQ(documentSaveMessage(error, path), message) << error;
    }
}

TEST(LogFile, LoadLogFileReadsTheCurrentFileAndRefreshes) {
    auto data = makeData();
    FakeUi ui(*data);
    fillOther(*data);
    data->log.store.currentFilePath = kGoldenPath;
    data->log.store.currentFileName = "three_records.drav";
    ASSERT_TRUE(loadLogFile(*data, ui));
    EXPECT_EQ(data->log.store.recordCount, 3u);
    EXPECT_EQ(data->log.store.avgValue[2], (-3.0f + 123.5f - 200.5f) / 3.0f);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.redraws, 1);
    EXPECT_THAT(ui.titles, ::testing::ElementsAre("three_records.drav"));
    // The setup grid shows the name, serial number and hardware version of the file.
    EXPECT_EQ(ui.setupGridFills, 1);
    EXPECT_EQ(ui.loggerSetupReads, 0) << "a file holds no alarm limits to offer";
}

TEST(LogFile, LoadLogFileFailuresShowTheFormatErrorAndChangeNothing) {
    TempDir temp;
    writeText(temp.dir() + "empty.drav", "");
    writeText(temp.dir() + "short.drav", readFileBytes(kGoldenPath).substr(0, 120));
    writeText(temp.dir() + "huge.drav", withCount(kLogCapacity + 1));
    const std::string paths[] = {temp.dir() + "empty.drav",
                                 temp.dir() + "short.drav",
                                 temp.dir() + "huge.drav",
                                 temp.dir() + "gone.drav",
                                 temp.dir(),
                                 temp.dir() + "pipe.drav"};
    ASSERT_EQ(mkfifo((temp.dir() + "pipe.drav").c_str(), 0600), 0);
    for (const std::string& path : paths) {
        auto data = makeData();
        FakeUi ui(*data);
        fillOther(*data);
        data->log.store.currentFilePath = path;
        data->log.store.currentFileName = "shown.drav";
        const std::string before = snapshot(*data);
        EXPECT_FALSE(loadLogFile(*data, ui)) << path;
        EXPECT_THAT(ui.messages, ::testing::ElementsAre(kLoadError)) << path;
        EXPECT_EQ(ui.redraws, 0);
        EXPECT_TRUE(ui.titles.empty());
        EXPECT_EQ(ui.setupGridFills, 0);
        EXPECT_EQ(snapshot(*data), before) << path;
    }
}
