// End-to-end runs of the dravin-cli executable against the logger simulator
// on a pseudo-terminal.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim/LoggerSim.h"
#include "support/ByteDiff.h"
#include "support/CommaLocale.h"
#include "support/FileBytes.h"
#include "support/TestPaths.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using ::testing::HasSubstr;

// Both executables are built beside the program.
const std::string kCli = binaryDir() + "/dravin-cli";
const std::string kSim = binaryDir() + "/dravin-logger-sim";
constexpr SimRecord kFirst{2024, 3, 9, 22, 10, 5, 235, 553, -2000, 600};

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the program and collects both of its output streams until it ends.
RunResult runProgram(const std::string& path, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string program = path;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);

    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);

    RunResult result;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (spawned == 0 && open > 0) {
        if (poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                fds[i].fd = -1;
                --open;
            }
        }
    }
    close(outPipe[0]);
    close(errPipe[0]);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

RunResult runCli(const std::vector<std::string>& args) {
    return runProgram(kCli, args);
}

// Starts the program in the background, its output streams going nowhere;
// its process id, or -1.
pid_t startProgram(const std::string& path, const std::vector<std::string>& args) {
    std::vector<std::string> copies = args;
    copies.insert(copies.begin(), path);
    std::vector<char*> argv;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// dravin-cli built with the window reads the window's profile (the limits it
// keeps for a logger): the runs here get an empty one of their own, never
// the user's.
class EmptyProfile : public ::testing::Environment {
public:
    void SetUp() override {
        char pattern[] = "/tmp/dravin-cli-profile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    void TearDown() override { fs::remove_all(dir_); }

private:
    std::string dir_;
};
[[maybe_unused]] const auto* const kEmptyProfile =
    ::testing::AddGlobalTestEnvironment(new EmptyProfile);

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

void putU32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putFloat(Bytes& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

// The test's own .drav writer: a 51-byte header (name 24, hardware 5, record
// count, channel count, serial 10, four unit codes) and 30 bytes a record
// (14 timestamp digits, four float32 values), little-endian.
struct LogFileImage {
    std::string name;
    std::string hardware;
    std::string serial = "1234567890";
    uint32_t channelCount = 2;
    std::array<uint8_t, 4> units{0, 1, 0, 1};
    std::vector<std::string> timestamps;
    std::vector<std::array<float, 4>> values;

    Bytes bytes() const {
        Bytes out;
        auto putText = [&](const std::string& text, size_t size) {
            for (size_t i = 0; i < size; ++i)
                out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
        };
        putText(name, 24);
        putText(hardware, 5);
        putU32(out, static_cast<uint32_t>(timestamps.size()));
        putU32(out, channelCount);
        putText(serial, 10);
        out.insert(out.end(), units.begin(), units.end());
        for (size_t i = 0; i < timestamps.size(); ++i) {
            putText(timestamps[i], 14);
            for (float v : values[i]) putFloat(out, v);
        }
        return out;
    }
};

// A channel value as the logger sends it: tenths; below -200.0 means no reading.
float tenths(int32_t raw) {
    const float value = static_cast<float>(raw / 10.0);
    return value < -200.0f ? 0.0f : value;
}

std::string timestampOf(const SimRecord& r) {
    char text[32];
    std::snprintf(text, sizeof text, "20%02d%02d%02d%02d%02d%02d", r.year - 2000, r.month, r.day,
                  r.hour, r.minute, r.second);
    return text;
}

LogFileImage imageOf(const std::vector<SimRecord>& records) {
    LogFileImage image;
    for (const SimRecord& r : records) {
        image.timestamps.push_back(timestampOf(r));
        image.values.push_back({tenths(r.ch1), tenths(r.ch2), tenths(r.ch3), tenths(r.ch4)});
    }
    return image;
}

// "<serial>_<YYYYMMDD>_<hhmm>.drav" of the last record.
std::string savedName(const std::string& serial, const std::string& lastTimestamp) {
    return serial + "_" + lastTimestamp.substr(0, 8) + "_" + lastTimestamp.substr(8, 4) + ".drav";
}

LoggerSim::Config loggerConfig() {
    LoggerSim::Config config;
    config.setup.name = fixedText<24>("Cold \"B\" room");
    config.setup.model = fixedText<6>("TH-200");
    config.setup.hardwareVersion = fixedText<5>("V2.10");
    config.setup.channelConfig = 5;
    config.setup.samplingInterval = 10;
    config.setup.logInterval = 300;
    config.setup.logsCount = 250;
    config.setup.capacity = 16000;
    config.setup.manuLogsCount = 3;
    config.setup.ch1High = 350;
    config.setup.ch1Low = -150;
    config.setup.ch2High = 800;
    config.setup.ch2Low = 200;
    config.setup.ch3High = 100;
    config.setup.ch3Low = -100;
    config.setup.ch4High = 30000;
    config.setup.ch4Low = -30000;
    config.setup.offsets = {5, -5, 0, 12};
    return config;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dravin-cli-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> savedFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::string dir_;
};

TEST_F(CliTest, DownloadSavesTheLogAsTheProgramWould) {
    struct Case {
        const char* kind;
        int records;
    } cases[] = {{"auto", 250}, {"manu", 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto records = makeSimRecords(c.records, kFirst, 300);
        LoggerSim::Config config = loggerConfig();
        (std::string(c.kind) == "auto" ? config.autoRecords : config.manuRecords) = records;
        // Well apart from the 200 ms pause that ends a chunk, even on a busy machine.
        config.pacing.pauseMs = 600;
        LoggerSim sim(config);
        ASSERT_TRUE(sim.running());

        RunResult run =
            runCli({"download", "--device", sim.devicePath(), "--logs", c.kind, "--dir", dir_});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        // The setup is read first: the log carries the logger's name and hardware version.
        LogFileImage image = imageOf(records);
        image.name = "Cold \"B\" room";
        image.hardware = "V2.10";
        const std::string path = dir_ + "/" + savedName("1234567890", image.timestamps.back());
        EXPECT_EQ(run.out, path + "\n");
        EXPECT_EQ(run.err, std::string(c.kind) == "auto"
                               ? "Downloading data, please wait...\nSuccess.\n"
                               : "Download Manu-logs...\nSuccess.\n");
        EXPECT_TRUE(sameBytes(readFileByteVector(path), image.bytes()));
        fs::remove(path);
    }
}

TEST_F(CliTest, DownloadThatCannotBeSavedFails) {
    const auto records = makeSimRecords(5, kFirst, 60);
    LoggerSim::Config config = loggerConfig();
    config.autoRecords = records;
    LoggerSim sim(config);
    // A folder where the file should go: the file cannot be created.
    fs::create_directory(dir_ + "/" + savedName("1234567890", timestampOf(records.back())));
    RunResult run =
        runCli({"download", "--device", sim.devicePath(), "--logs", "auto", "--dir", dir_});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    // The window's word, then what a script needs: the file and the reason.
    EXPECT_EQ(run.err, "Downloading data, please wait...\n Failed.\nSaving failed: " + dir_ + "/" +
                           savedName("1234567890", timestampOf(records.back())) +
                           ": Is a directory\n");
}

TEST_F(CliTest, DownloadOfAnEmptyLoggerSavesNothing) {
    LoggerSim sim(loggerConfig());
    RunResult run =
        runCli({"download", "--device", sim.devicePath(), "--logs", "auto", "--dir", dir_});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Downloading data, please wait...\nNo logs.\n");
    EXPECT_TRUE(savedFiles().empty());
}

TEST_F(CliTest, ReadSetupPrintsEveryFieldAsJson) {
    LoggerSim sim(loggerConfig());
    RunResult run = runCli({"read-setup", "--device", sim.devicePath(), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, R"({"name":"Cold \"B\" room","serialNo":"1234567890","model":"TH-200",)"
                       R"("hardwareVersion":"V2.10","channelConfig":5,"samplingInterval":10,)"
                       R"("logInterval":300,"logsCount":250,"capacity":16000,"manuLogsCount":3,)"
                       R"("ch1High":350,"ch1Low":-150,"ch2High":800,"ch2Low":200,"ch3High":100,)"
                       R"("ch3Low":-100,"ch4High":30000,"ch4Low":-30000,"offsets":[5,-5,0,12]})"
                       "\n");
    EXPECT_EQ(run.err, "");
}

// The logger keeps its name in GB18030: shown as UTF-8, in JSON too.
TEST_F(CliTest, ReadSetupShowsTheNameFromTheLoggersCodePage) {
    LoggerSim::Config config = loggerConfig();
    // "冷库", a space, and two bytes that are "茅" there.
    config.setup.name = fixedText<24>("\xC0\xE4\xBF\xE2 \xC3\xA9");
    LoggerSim sim(config);
    RunResult run = runCli({"read-setup", "--device", sim.devicePath(), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr(R"("name":"冷库 茅")"));
}

// A logger's texts may hold anything: the text output shows control
// characters as escapes, so that they neither act on the terminal nor break lines.
TEST_F(CliTest, TextOutputShowsControlCharactersEscaped) {
    LoggerSim::Config config = loggerConfig();
    config.serialNo = std::string("AB\x1b[2JCD\n1", 10);
    config.setup.name = fixedText<24>("Cold\nroom\x1b[31m\x7f \xC3\xA9");
    LoggerSim sim(config);
    RunResult run = runCli({"read-setup", "--device", sim.devicePath()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("name: Cold\\x0aroom\\x1b[31m\\x7f 茅\nserialNo: "
                                   "AB\\x1b[2JCD\\x0a1\n"));

    RunResult json = runCli({"read-setup", "--device", sim.devicePath(), "--json"});
    EXPECT_THAT(json.out, HasSubstr(R"("name":"Cold\nroom\u001b[31m\u007f 茅)"
                                    R"(","serialNo":"AB\u001b[2JCD\n1")"));
}

TEST_F(CliTest, SyncSetupChangesOnlyTheFieldsGiven) {
    LoggerSim sim(loggerConfig());
    RunResult run = runCli({"sync-setup", "--device", sim.devicePath(), "--name", "Freezer 2",
                            "--sampling", "30", "--log-interval", "600", "--ch1-low", "-250",
                            "--ch3-high", "150", "--offset2", "-9"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "Success.\n");

    SimSetup expected = loggerConfig().setup;
    expected.name = fixedText<24>("Freezer 2");
    expected.samplingInterval = 30;
    expected.logInterval = 600;
    expected.ch1Low = -250;
    expected.ch3High = 150;
    expected.offsets[1] = -9;
    EXPECT_EQ(sim.setup(), expected);
    auto sync = sim.lastSync();
    ASSERT_TRUE(sync.has_value());
    EXPECT_EQ(sync->clock[5], 0x20) << "century, BCD";
    for (uint8_t digit : sync->clock) EXPECT_TRUE((digit & 0x0F) < 10 && (digit >> 4) < 10);

    // Read back, the logger shows what was sent.
    RunResult back = runCli({"read-setup", "--device", sim.devicePath(), "--json"});
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_THAT(back.out, HasSubstr(R"("name":"Freezer 2")"));
    EXPECT_THAT(back.out, HasSubstr(R"("samplingInterval":30,"logInterval":600)"));
    EXPECT_THAT(back.out, HasSubstr(R"("ch1Low":-250)"));
    EXPECT_THAT(back.out, HasSubstr(R"("offsets":[5,-9,0,12])"));
}

// A name goes to the logger in its code page, two bytes a Chinese character,
// so 12 of them fit its 24 bytes where their UTF-8 would not.
TEST_F(CliTest, SyncSetupSendsTheNameInTheLoggersCodePage) {
    LoggerSim sim(loggerConfig());
    RunResult run = runCli({"sync-setup", "--device", sim.devicePath(), "--name", "冷库3号"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(sim.setup().name, fixedText<24>("\xC0\xE4\xBF\xE2"
                                              "3"
                                              "\xBA\xC5"));

    const std::string twelve = "一二三四五六七八九十一二";  // 36 bytes of UTF-8
    EXPECT_EQ(runCli({"sync-setup", "--device", sim.devicePath(), "--name", twelve}).exitCode, 0);
    RunResult back = runCli({"read-setup", "--device", sim.devicePath(), "--json"});
    EXPECT_THAT(back.out, HasSubstr(R"("name":")" + twelve + R"(")"));

    EXPECT_EQ(runCli({"sync-setup", "--device", sim.devicePath(), "--name", twelve + "x"}).exitCode,
              2);
    EXPECT_EQ(runCli({"sync-setup", "--device", sim.devicePath(), "--name", "\xff"}).exitCode, 2);
}

TEST_F(CliTest, SyncSetupRefusesInvalidValuesAndSendsNothing) {
    LoggerSim sim(loggerConfig());
    RunResult run = runCli({"sync-setup", "--device", sim.devicePath(), "--sampling", "241",
                            "--log-interval", "100", "--ch2-high", "200"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "Error: Please recorrect the list items, then synchronize to the logger. "
              "1. Sampling interval is invalid, it must be in [1，240]. "
              "2. Log interval is invalid, it must be bigger than the sampling interval. "
              "3. CHq Limit error: the Upper Limit must be more than the Lower.\n");
    EXPECT_EQ(sim.requestCount(simwire::kSync), 0);
}

TEST_F(CliTest, RealtimeSavesTheSamplesTaken) {
    LoggerSim sim(loggerConfig());
    RunResult run =
        runCli({"realtime", "--device", sim.devicePath(), "--samples", "3", "--dir", dir_});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // A run across midnight saves each day apart.
    uint32_t recordCount = 0;
    for (const std::string& path : splitLines(run.out)) {
        const Bytes file = readFileByteVector(path);
        ASSERT_GE(file.size(), 51u);
        const uint32_t count = file[29] | file[30] << 8;
        ASSERT_GT(count, 0u);
        ASSERT_EQ(file.size(), 51u + 30u * count);
        recordCount += count;
        // Channel count, serial number and units as the identify reply set them.
        EXPECT_EQ(
            Bytes(file.begin() + 33, file.begin() + 51),
            (Bytes{2, 0, 0, 0, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 0, 1, 0, 1}));
        const std::string last(file.begin() + 51 + 30 * (count - 1),
                               file.begin() + 51 + 30 * (count - 1) + 14);
        EXPECT_EQ(fs::path(path).filename(), savedName("1234567890", last));
        // The simulator's sample: 23.5, 25.3, -20.0 and no reading on channel 4.
        Bytes sample;
        for (float v : {23.5f, 25.3f, -20.0f, 0.0f}) putFloat(sample, v);
        for (uint32_t i = 0; i < count; ++i) {
            const auto record = file.begin() + 51 + 30 * i;
            EXPECT_EQ(Bytes(record + 14, record + 30), sample);
        }
    }
    EXPECT_EQ(recordCount, 3u);
}

TEST_F(CliTest, RealtimeWithoutSamplesTimesOut) {
    LoggerSim::Config config = loggerConfig();
    config.faults.silent = true;
    config.faults.onlyCode = simwire::kRealtime;
    LoggerSim sim(config);
    RunResult run =
        runCli({"realtime", "--device", sim.devicePath(), "--samples", "2", "--dir", dir_});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "No sample came for 10 seconds.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(savedFiles().empty());
    EXPECT_GT(sim.requestCount(simwire::kRealtime), 1) << "a request every second";
}

// The samples in a journal's text: its whole lines after the first.
int journalSamples(const std::string& text) {
    const auto ends = std::count(text.begin(), text.end(), '\n');
    return ends > 0 ? static_cast<int>(ends) - 1 : 0;
}

// A journal as a run of the logger 1234567890 (no name, no hardware version,
// two channels in oC and %RH) leaves it with one sample.
std::string journalText(const std::string& timestamp) {
    std::string zeros;
    for (int i = 0; i < 24; ++i) zeros += "%00";
    return "dravin-realtime-journal 1 serial=1234567890 name=" + zeros +
           " hardware=%00%00%00%00%00 channels=2 units=0,1,0,1\n" + timestamp +
           " 23.5 25.3 -20 0\n";
}

TEST_F(CliTest, RecoverSavesTheSamplesOfAKilledRealtimeRun) {
    LoggerSim sim(loggerConfig());
    ASSERT_TRUE(sim.running());
    const pid_t pid = startProgram(
        kCli, {"realtime", "--device", sim.devicePath(), "--samples", "1000", "--dir", dir_});
    ASSERT_GT(pid, 0);
    const std::string journal = dir_ + "/.1234567890.realtime";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    auto samplesOnDisk = [&] { return journalSamples(readFileBytes(journal)); };
    // Killed while it samples, once three samples are on disk.
    while (samplesOnDisk() < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(kill(pid, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status));
    const int samples = samplesOnDisk();
    ASSERT_GE(samples, 3);
    EXPECT_EQ(savedFiles(), std::vector<std::string>{".1234567890.realtime"});

    RunResult run = runCli({"recover", "--dir", dir_});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> paths = splitLines(run.out);
    ASSERT_EQ(paths.size(), 1u);
    const Bytes file = readFileByteVector(paths[0]);
    ASSERT_EQ(file.size(), 51u + 30u * static_cast<uint32_t>(samples));
    EXPECT_EQ(file[29] | file[30] << 8, samples);
    EXPECT_EQ(Bytes(file.begin() + 33, file.begin() + 51),
              (Bytes{2, 0, 0, 0, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 0, 1, 0, 1}));
    const std::string last(file.end() - 30, file.end() - 16);
    EXPECT_EQ(fs::path(paths[0]).filename(), savedName("1234567890", last));
    Bytes sample;
    for (float v : {23.5f, 25.3f, -20.0f, 0.0f}) putFloat(sample, v);
    EXPECT_EQ(Bytes(file.end() - 16, file.end()), sample);
    EXPECT_FALSE(fs::exists(journal));

    // Nothing left: nothing to do is no failure.
    RunResult again = runCli({"recover", "--dir", dir_});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(again.err, "");
}

TEST_F(CliTest, DownloadAndRealtimeSaveWhatARunLeftBeforeTheyBegin) {
    const std::vector<std::string> commands[] = {
        {"download", "--logs", "manu"},
        {"realtime", "--samples", "1"},
    };
    LoggerSim::Config config = loggerConfig();
    config.manuRecords = makeSimRecords(5, kFirst, 300);
    config.pacing.pauseMs = 600;
    LoggerSim sim(config);
    ASSERT_TRUE(sim.running());
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        const std::string journal = dir_ + "/.1234567890.realtime";
        writeFile(journal, [] {
            const std::string text = journalText("20240309070502");
            return Bytes(text.begin(), text.end());
        }());
        std::vector<std::string> args = command;
        args.insert(args.end(), {"--device", sim.devicePath(), "--dir", dir_});
        RunResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string recovered = dir_ + "/1234567890_20240309_0705.drav";
        EXPECT_EQ(
            run.err.rfind(
                "Realtime samples that were never saved are now saved as " + recovered + "\n", 0),
            0u)
            << run.err;
        EXPECT_EQ(readFileByteVector(recovered).size(), 51u + 30u);
        EXPECT_FALSE(fs::exists(journal));
        // What the command saved itself is its own output, as without a journal.
        ASSERT_EQ(splitLines(run.out).size(), 1u);
        EXPECT_NE(splitLines(run.out)[0], recovered);
        fs::remove(recovered);
    }
}

TEST_F(CliTest, RecoverKeepsAndNamesWhatItCannotSave) {
    writeFile(dir_ + "/.a.realtime", Bytes{'n', 'o', '\n'});
    const std::string good = journalText("20240309070502");
    writeFile(dir_ + "/.b.realtime", Bytes(good.begin(), good.end()));
    RunResult run = runCli({"recover", "--dir", dir_});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, dir_ + "/1234567890_20240309_0705.drav\n");
    EXPECT_EQ(run.err, "The realtime journal " + dir_ +
                           "/.a.realtime cannot be read (its first line is not a journal's); it "
                           "is kept.\n");
    EXPECT_TRUE(fs::exists(dir_ + "/.a.realtime"));

    RunResult missing = runCli({"recover", "--dir", dir_ + "/missing"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Cannot recover in " + dir_ + "/missing: no such folder.\n");
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"recover", "--device", "/dev/null"},
          std::vector<std::string>{"recover", "--dir"}}) {
        RunResult usage = runCli(wrong);
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_THAT(usage.err, HasSubstr("usage:"));
    }
    EXPECT_THAT(runCli({"--help"}).out, HasSubstr("dravin-cli recover [--dir DIR]"));
}

TEST_F(CliTest, DeleteEmptiesTheLogger) {
    LoggerSim::Config config = loggerConfig();
    config.autoRecords = makeSimRecords(20, kFirst, 60);
    LoggerSim sim(config);
    RunResult run = runCli({"delete", "--device", sim.devicePath(), "--logs", "auto"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "Success.\n");
    EXPECT_EQ(sim.autoRecordCount(), 0u);
}

TEST_F(CliTest, IdentifyPrintsTheLoggersIdentity) {
    LoggerSim sim(loggerConfig());
    RunResult run = runCli({"identify", "--device", sim.devicePath()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "serialNo: 1234567890\nchannelConfig: 5\nchannels: 2\nunits: oC %RH\n");
}

TEST_F(CliTest, TraceShowsTheTraffic) {
    LoggerSim sim(loggerConfig());
    RunResult run = runCli({"identify", "--device", sim.devicePath(), "--trace"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "tx 01 16 7B 28 00 00 00 00 00 00 00 00 00 00 51 51 29 7D 7E 04\n"
              "rx 01 16 7B 28 31 32 33 34 35 36 37 38 39 30 52 01 05 57 29 7D 7E 04\n");
}

TEST_F(CliTest, SilentLoggerCannotBeConnected) {
    LoggerSim::Config config = loggerConfig();
    config.faults.silent = true;
    LoggerSim sim(config);
    RunResult run = runCli({"identify", "--device", sim.devicePath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Cannot connect to the logger, please try again.\n");
    EXPECT_EQ(sim.requestCount(simwire::kIdentify), 11) << "sent once, resent ten times";
}

// The tool speaks English whatever the locale: the core's Chinese texts come
// in the English catalog's words.
TEST_F(CliTest, ASetupReadThatTimesOutIsToldInEnglish) {
    LoggerSim::Config config = loggerConfig();
    config.faults.silent = true;
    config.faults.onlyCode = simwire::kReadSetup;
    LoggerSim sim(config);
    RunResult run = runCli({"read-setup", "--device", sim.devicePath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Reading the logger's setup timed out, please try again!\n");
    EXPECT_EQ(run.out, "");
}

TEST_F(CliTest, InfoOfABrokenLogIsToldInEnglish) {
    Bytes shortHeader(30, 0x41);
    Bytes recordsMissing(51, 0);
    recordsMissing[29] = 5;  // five records announced, none there
    for (const Bytes& bytes : {shortHeader, recordsMissing}) {
        const std::string path = dir_ + "/broken.drav";
        writeFile(path, bytes);
        RunResult run = runCli({"info", path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, path + ": File format error.\n");
        EXPECT_EQ(run.out, "");
    }
}

// The records of the packages numbered in `numbers` (from 1), `perPackage` a package.
std::vector<SimRecord> packagesOf(const std::vector<SimRecord>& records, size_t perPackage,
                                  std::initializer_list<size_t> numbers) {
    std::vector<SimRecord> kept;
    for (size_t number : numbers) {
        const size_t first = (number - 1) * perPackage;
        const size_t end = std::min(records.size(), first + perPackage);
        kept.insert(kept.end(), records.begin() + static_cast<long>(first),
                    records.begin() + static_cast<long>(end));
    }
    return kept;
}

// The log file a download of `records` from loggerConfig() saves.
Bytes savedImage(const std::vector<SimRecord>& records) {
    LogFileImage image = imageOf(records);
    image.name = "Cold \"B\" room";
    image.hardware = "V2.10";
    return image.bytes();
}

constexpr std::string_view kLostLine = "Some records did not arrive whole and were lost.";

// However the logger's writes cut its packages, every record is saved.
TEST_F(CliTest, DownloadSavesEveryRecordWhereverTheWritesCutThePackages) {
    constexpr int kPerPackage = 19;
    constexpr int kPackage = 26 + 14 * kPerPackage;
    struct Case {
        const char* name;
        int records;
        LoggerSim::Pacing pacing;
    } cases[] = {
        {"eight packages a write", 190, {.recordsPerPackage = kPerPackage, .packagesPerWrite = 8}},
        {"split in the header",
         57,
         {.recordsPerPackage = kPerPackage, .splitPackage = 2, .splitAt = 17}},
        {"split in a record",
         57,
         {.recordsPerPackage = kPerPackage, .splitPackage = 2, .splitAt = 21 + 14 * 5 + 6}},
        {"split before the check byte",
         57,
         {.recordsPerPackage = kPerPackage, .splitPackage = 2, .splitAt = kPackage - 5}},
        {"split in the trailer",
         57,
         {.recordsPerPackage = kPerPackage, .splitPackage = 2, .splitAt = kPackage - 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto records = makeSimRecords(c.records, kFirst, 60);
        LoggerSim::Config config = loggerConfig();
        config.autoRecords = records;
        config.pacing = c.pacing;
        LoggerSim sim(config);
        RunResult run =
            runCli({"download", "--device", sim.devicePath(), "--logs", "auto", "--dir", dir_});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "Downloading data, please wait...\nSuccess.\n");
        const std::string path = dir_ + "/" + savedName("1234567890", timestampOf(records.back()));
        EXPECT_EQ(run.out, path + "\n");
        EXPECT_TRUE(sameBytes(readFileByteVector(path), savedImage(records)));
        fs::remove(path);
    }
}

// The logger resends nothing: a package lost on the way is lost. The rest is
// saved, and the tool says that records were lost and fails.
TEST_F(CliTest, DownloadThatLosesRecordsSavesTheRestAndFails) {
    constexpr size_t kPerPackage = 19;
    const auto records = makeSimRecords(57, kFirst, 60);
    struct Case {
        const char* name;
        LoggerSim::Faults faults;
        std::vector<SimRecord> saved;
    } cases[] = {
        {"skipped package", {.skipPackage = 2}, packagesOf(records, kPerPackage, {1, 3})},
        {"over-declared package",
         {.overDeclarePackage = 2},
         packagesOf(records, kPerPackage, {1, 3})},
        {"stall after the first package",
         {.stallAfterPackage = 1},
         packagesOf(records, kPerPackage, {1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoggerSim::Config config = loggerConfig();
        config.autoRecords = records;
        config.pacing.recordsPerPackage = kPerPackage;
        config.faults = c.faults;
        LoggerSim sim(config);
        RunResult run =
            runCli({"download", "--device", sim.devicePath(), "--logs", "auto", "--dir", dir_});
        EXPECT_EQ(run.exitCode, 1);
        const std::vector<std::string> err = splitLines(run.err);
        ASSERT_FALSE(err.empty());
        EXPECT_EQ(err.back(), kLostLine);
        EXPECT_EQ(std::count(err.begin(), err.end(), kLostLine), 1) << run.err;
        const std::string path = dir_ + "/" + savedName("1234567890", timestampOf(c.saved.back()));
        EXPECT_EQ(run.out, path + "\n");
        EXPECT_TRUE(sameBytes(readFileByteVector(path), savedImage(c.saved)));
        fs::remove(path);
    }
}

// A program started in the background, both output streams on pipes that
// the test reads as they come.
class Child {
public:
    Child(const std::string& path, const std::vector<std::string>& args) {
        std::vector<std::string> copies = args;
        std::string program = path;
        std::vector<char*> argv{program.data()};
        for (std::string& a : copies) argv.push_back(a.data());
        argv.push_back(nullptr);
        int outPipe[2], errPipe[2];
        if (pipe2(outPipe, O_CLOEXEC) != 0) return;
        if (pipe2(errPipe, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(outPipe[1]);
        close(errPipe[1]);
        fds_[0] = outPipe[0];
        fds_[1] = errPipe[0];
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (int fd : fds_)
            if (fd >= 0) close(fd);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    void signal(int number) const { kill(pid_, number); }
    // Reads both streams until `done` holds for what came or `timeoutMs` passed.
    bool readUntil(const std::function<bool()>& done, int timeoutMs) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !readSome(static_cast<int>(left.count()))) return done();
        }
        return true;
    }
    // Reads to the end of both streams and waits for the exit status.
    int finish() {
        while (readSome(-1)) {
        }
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, 0);
        pid_ = -1;
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string out;
    std::string err;

private:
    // False once both streams have ended.
    bool readSome(int timeoutMs) {
        pollfd polled[2] = {{fds_[0], POLLIN, 0}, {fds_[1], POLLIN, 0}};
        if (fds_[0] < 0 && fds_[1] < 0) return false;
        if (poll(polled, 2, timeoutMs) <= 0) return false;
        std::string* sinks[2] = {&out, &err};
        for (int i = 0; i < 2; ++i) {
            if (fds_[i] < 0 || polled[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds_[i], buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                close(fds_[i]);
                fds_[i] = -1;
            }
        }
        return true;
    }

    pid_t pid_ = -1;
    int fds_[2] = {-1, -1};
};

// Ctrl+C cuts a long download short: what arrived is saved whole and its path
// printed, and the command fails.
TEST_F(CliTest, InterruptedDownloadSavesWhatArrivedAndFails) {
    constexpr int kRecords = 250;
    constexpr int kPerPackage = 10;
    // About 0.7 s a package on the wire: the whole log would take 18 s.
    Child sim(kSim, {"--auto-records", std::to_string(kRecords), "--records-per-package",
                     std::to_string(kPerPackage), "--baud", "2400"});
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(sim.readUntil([&] { return sim.out.find('\n') != std::string::npos; }, 5000));
    const std::string device = sim.out.substr(0, sim.out.find('\n'));

    Child cli(kCli, {"download", "--device", device, "--logs", "auto", "--dir", dir_, "--trace"});
    ASSERT_TRUE(cli.started());
    // The trace tells when the first package has come: the chunk after the
    // download request.
    const auto packageCame = [&] {
        const size_t request = cli.err.find("tx 01 16 7B 28 31 32 33 34 35 36 37 38 39 30 57");
        return request != std::string::npos &&
               cli.err.find("\nrx 01 16 7B 28 31 32 33 34 35 36 37 38 39 30 58", request) !=
                   std::string::npos;
    };
    ASSERT_TRUE(cli.readUntil(packageCame, 15000)) << cli.err;
    cli.signal(SIGINT);
    const int status = cli.finish();
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.finish(), 0);

    EXPECT_EQ(status, 1) << cli.err;
    EXPECT_THAT(cli.err, HasSubstr("\nThe download was cut short by the user.\n"));
    EXPECT_THAT(cli.err, ::testing::Not(HasSubstr(std::string(kLostLine))));
    const std::vector<std::string> saved = savedFiles();
    ASSERT_EQ(saved.size(), 1u);
    const std::string path = dir_ + "/" + saved[0];
    EXPECT_EQ(cli.out, path + "\n");

    // Whole packages, fewer than the logger holds, each record as it was sent.
    const Bytes file = readFileByteVector(path);
    ASSERT_GE(file.size(), 51u);
    const uint32_t count = file[29] | file[30] << 8 | file[31] << 16 | uint32_t{file[32]} << 24;
    EXPECT_GT(count, 0u);
    EXPECT_LT(count, static_cast<uint32_t>(kRecords));
    EXPECT_EQ(count % kPerPackage, 0u);
    auto records =
        makeSimRecords(static_cast<int>(count), {2024, 3, 1, 8, 0, 0, 235, 553, 198, 601}, 60);
    LogFileImage image = imageOf(records);
    image.name = "Simulated logger";
    image.hardware = "V1.00";
    EXPECT_TRUE(sameBytes(file, image.bytes()));
    EXPECT_EQ(saved[0], savedName("1234567890", image.timestamps.back()));
}

TEST_F(CliTest, UnpluggedLineIsReported) {
    LoggerSim::Config config = loggerConfig();
    config.faults.hangUpAtRequest = 1;
    LoggerSim sim(config);
    RunResult run = runCli({"identify", "--device", sim.devicePath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "The USB cable was unplugged and the connection was broken.\n");

    // The trace tells the failure as such, with the call and the system's reason.
    LoggerSim again(config);
    RunResult traced = runCli({"identify", "--device", again.devicePath(), "--trace"});
    EXPECT_EQ(traced.exitCode, 1);
    const std::vector<std::string> err = splitLines(traced.err);
    ASSERT_EQ(err.size(), 3u) << traced.err;
    EXPECT_THAT(err[0], ::testing::StartsWith("tx 01 16 7B 28 "));
    EXPECT_THAT(err[1], ::testing::StartsWith("port error: read: "));
    EXPECT_EQ(err[2], "The USB cable was unplugged and the connection was broken.");
}

// Each failure to open or set up the line says what failed and why, in one line.
TEST_F(CliTest, LineThatCannotBeUsedIsReported) {
    LoggerSim sim(loggerConfig());
    const std::string pty = sim.devicePath();
    // Another program holds the line, as Dravin's window would.
    const int held = open(pty.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--device", dir_ + "/ttyNone"},
         "Connect failed: " + dir_ + "/ttyNone can not be opened: No such file or directory.\n"},
        {{"--device", pty},
         "Connect failed: " + pty + " can not be opened: it is in use by another program.\n"},
        {{"--device", "/dev/null"},
         "Connect failed: /dev/null is not a serial line (ioctl TIOCEXCL: Inappropriate ioctl "
         "for device).\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"identify"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        RunResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 1) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    close(held);
    EXPECT_EQ(sim.totalRequests(), 0);
}

TEST_F(CliTest, BaudRateTheLineRefusesIsReported) {
    LoggerSim sim(loggerConfig());
    RunResult run =
        runCli({"identify", "--device", sim.devicePath(), "--baud", "12345", "--trace"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "port error: cfsetspeed: Invalid argument\nConnect failed: " + sim.devicePath() +
                  " does not take 12345 baud (cfsetspeed: Invalid argument).\n");
    EXPECT_EQ(sim.totalRequests(), 0) << "nothing is sent on a line that is not set up";
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"fly"},
        {"identify"},
        {"identify", "--device", "/dev/null", "--port", "3"},
        {"identify", "--port", "33"},
        {"download", "--device", "/dev/null"},
        {"download", "--device", "/dev/null", "--logs", "both"},
        {"delete", "--device", "/dev/null", "--logs", "auto", "--dir", "/tmp"},
        {"realtime", "--device", "/dev/null", "--samples", "0"},
        {"realtime", "--device", "/dev/null", "--samples"},
        {"sync-setup", "--device", "/dev/null", "--sampling", "256"},
        {"sync-setup", "--device", "/dev/null", "--ch2-high", "40000"},
        {"sync-setup", "--device", "/dev/null", "--name", "a name longer than twenty-four"},
        {"read-setup", "--device", "/dev/null", "--logs", "auto"},
        {"info"},
        {"info", "a.drav", "--trace"},
        {"ports", "--json"},
        {"export", "a.drav", "out.txt"},
        {"export", "--txt", "a.drav"},
        {"export", "--txt", "--xls", "a.drav", "out"},
        {"export", "--txt", "a.drav", "out.txt", "more.txt"},
        {"export", "--bmp", "--pdf", "a.drav", "out"},
        {"export", "--bmp", "a.drav", "out.bmp", "--size", "0x5"},
        {"export", "--pdf", "a.drav", "out.pdf", "--size", "800x600"},
        {"export", "--txt", "a.drav", "out.txt", "--size", "800x600"},
        {"export", "--txt", "a.drav", "out.txt", "--json"},
        {"export", "--csv", "a.drav"},
        {"export", "--csv", "--txt", "a.drav", "out"},
        {"export", "--txt", "a.drav", "out.txt", "--fahrenheit"},
        {"export", "--csv", "a.drav", "out.csv", "--ch1-high", "8"},
        {"info", "a.drav", "--fahrenheit"},
        {"info", "a.drav", "--ch1-high", "abc"},
        {"info", "a.drav", "--ch5-high", "8"},
        {"info", "a.drav", "--activation-energy", "0"},
        {"sync-setup", "--device", "/dev/null", "--ch1-high", "2.5"},
    };
    for (const auto& args : cases) {
        RunResult run = runCli(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(run.exitCode, 2) << joined;
        EXPECT_THAT(run.err, HasSubstr("usage:")) << joined;
        EXPECT_EQ(run.err.rfind("dravin-cli: ", 0), 0u) << joined;
        EXPECT_EQ(run.out, "") << joined;
    }
}

TEST_F(CliTest, HelpPrintsTheUsage) {
    RunResult run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, HasSubstr("dravin-cli download    (--device PATH | --port N)"));
    EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, SimulatorHelpGoesToStdout) {
    RunResult run = runProgram(kSim, {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, HasSubstr("--split-package P"));
    EXPECT_EQ(run.err, "");
    RunResult wrong = runProgram(kSim, {"--records-per-package"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_THAT(wrong.err, HasSubstr("usage: dravin-logger-sim"));
}

TEST_F(CliTest, InfoDescribesALogFile) {
    LogFileImage image;
    image.name = "Lab \"B\"";
    image.hardware = "V1.2x";
    image.serial = "ABCDE12345";
    image.channelCount = 1;
    image.units = {0, 1, 7, 2};
    image.timestamps = {"20100305142201", "20100305142301", "20100305142401"};
    image.values = {
        {20.0f, 50.5f, 0.0f, -1.5f}, {22.0f, 50.5f, 0.0f, -1.5f}, {24.0f, 50.5f, 0.0f, -1.5f}};
    const std::string path = dir_ + "/known.drav";
    writeFile(path, image.bytes());

    RunResult json = runCli({"info", path, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out,
              R"({"name":"Lab \"B\"","hardware":"V1.2x","serialNo":"ABCDE12345",)"
              R"("recordCount":3,"channelCount":1,"units":["oC"],)"
              R"("first":"20100305142201","last":"20100305142401",)"
              R"("max":[24],"min":[20],"avg":[22],"stddev":[1.63],)"
              R"("axisMax":24,"axisMin":20,"axisStep":1,"logInterval":60,)"
              R"("gaps":[{"count":0,"seconds":0,"longestSeconds":0,"longestStart":null}],)"
              R"("mkt":[22.1]})"
              "\n");

    RunResult text = runCli({"info", path});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.out, "file: " + path +
                            "\nname: Lab \"B\"\nhardware: V1.2x\nserialNo: ABCDE12345\n"
                            "recordCount: 3\nchannelCount: 1\nunits: oC\n"
                            "first: 2010-03-05 14:22:01\nlast: 2010-03-05 14:24:01\n"
                            "max: 24\nmin: 20\navg: 22\naxis: 20 .. 24 step 1\n"
                            "stddev: 1.63\nlogInterval: 60\ngaps: 0\n"
                            "CH1 MKT 22.1 oC (83.144 kJ/mol)\n");
}

TEST_F(CliTest, InfoReportsEveryLineWhateverBytesTheFileHolds) {
    // Log files are taken as they are: a timestamp may hold zero bytes, a
    // name a line break. Each is shown as an escape on its line.
    LogFileImage image;
    image.name = "Lab\r\nB";
    image.timestamps = {std::string("20100305\0\0\0\0\0\0", 14), "20100305142401"};
    image.values = {{20.0f, 50.0f, 0.0f, 0.0f}, {24.0f, 52.0f, 0.0f, 0.0f}};
    const std::string path = dir_ + "/zeros.drav";
    writeFile(path, image.bytes());

    RunResult text = runCli({"info", path});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_THAT(text.out, HasSubstr("\nname: Lab\\x0d\\x0aB\n"));
    EXPECT_THAT(text.out, HasSubstr("\nfirst: 2010-03-05 \\x00\\x00:\\x00\\x00:\\x00\\x00\n"));
    EXPECT_THAT(text.out, HasSubstr("\nlast: 2010-03-05 14:24:01\nmax: 24 52\n"));
    EXPECT_THAT(text.out, HasSubstr("\naxis: 15 .. 55 step 5\n"));
}

TEST_F(CliTest, InfoOfAnEmptyLogHasNoTimes) {
    LogFileImage image;
    const std::string path = dir_ + "/empty.drav";
    writeFile(path, image.bytes());
    RunResult run = runCli({"info", path, "--json"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.out, HasSubstr(R"("recordCount":0,"channelCount":2)"));
    EXPECT_THAT(run.out, ::testing::Not(HasSubstr("\"first\"")));
}

TEST_F(CliTest, InfoOfAFileThatCannotBeReadFails) {
    const std::string missing = dir_ + "/missing.drav";
    const std::string empty = dir_ + "/empty.drav";
    writeFile(empty, {});
    struct Case {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, missing + " Cannot find this file. Please verify that the correct path and "
                            "file name are given.\n"},
        {empty, empty + ": File format error.\n"},
    };
    for (const Case& c : cases) {
        RunResult run = runCli({"info", c.path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

// The two-channel log of the export goldens as a log file.
LogFileImage twoChannelExportLog() {
    LogFileImage image;
    image.name = "Cold room";
    image.serial = "KM30012345";
    image.channelCount = 2;
    image.units = {0, 1, 2, 3};
    image.timestamps = {"20240105083005", "20240105083505"};
    image.values = {{21.5f, 48.26f, 7.5f, -0.04f}, {-3.25f, 100.0f, 0.05f, 1234.56f}};
    return image;
}

TEST_F(CliTest, ExportWritesTheLogAsTheWindowsExportsDo) {
    const std::string log = dir_ + "/cold.drav";
    writeFile(log, twoChannelExportLog().bytes());
    const struct {
        const char* format;
        const char* out;  // written as given: no extension is added
        const char* golden;
    } cases[] = {
        {"--txt", "cold.txt", "two_channels.txt"},
        {"--xls", "cold", "two_channels.xls"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string out = dir_ + "/" + c.out;
        RunResult run = runCli({"export", c.format, log, out});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(sameLines(readFileBytes(out),
                              readFileBytes(testDataDir() + "/export/" + std::string(c.golden))))
            << c.golden;
    }
    EXPECT_THAT(savedFiles(), ::testing::UnorderedElementsAre("cold.drav", "cold.txt", "cold"));
}

TEST_F(CliTest, ExportThatCannotBeWrittenNamesThePathAndTheReason) {
    const std::string log = dir_ + "/cold.drav";
    writeFile(log, twoChannelExportLog().bytes());
    fs::create_directory(dir_ + "/taken.txt");
    const struct {
        std::string out;
        std::string reason;
    } cases[] = {
        {dir_ + "/missing/cold.txt", "No such file or directory"},
        {dir_ + "/cold.drav/cold.txt", "Not a directory"},
        {dir_ + "/taken.txt", "Is a directory"},
    };
    for (const auto& c : cases) {
        for (const char* format : {"--txt", "--xls", "--csv"}) {
            RunResult run = runCli({"export", format, log, c.out});
            EXPECT_EQ(run.exitCode, 1) << c.out;
            EXPECT_EQ(run.err, "Export failed: " + c.out + ": " + c.reason + "\n");
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_THAT(savedFiles(), ::testing::UnorderedElementsAre("cold.drav", "taken.txt"));
    EXPECT_TRUE(fs::is_empty(dir_ + "/taken.txt"));
    EXPECT_EQ(readFileByteVector(log), twoChannelExportLog().bytes());
}

TEST_F(CliTest, ExportOfALogThatCannotBeReadWritesNothing) {
    const std::string empty = dir_ + "/empty.drav";
    const std::string out = dir_ + "/out.txt";
    writeFile(empty, {});
    writeFile(out, {'o', 'l', 'd'});
    RunResult run = runCli({"export", "--txt", empty, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, empty + ": File format error.\n");
    EXPECT_EQ(readFileByteVector(out), (Bytes{'o', 'l', 'd'}));
}

TEST_F(CliTest, UsageListsEveryExport) {
    RunResult run = runCli({"--help"});
    EXPECT_THAT(run.out, HasSubstr("dravin-cli export (--txt | --xls) FILE OUT"));
    EXPECT_THAT(run.out, HasSubstr("dravin-cli export --bmp FILE OUT [--size WxH]"));
    EXPECT_THAT(run.out, HasSubstr("dravin-cli export --pdf FILE OUT"));
    EXPECT_THAT(run.out, HasSubstr("dravin-cli export --csv FILE OUT [--fahrenheit]"));
    EXPECT_THAT(run.out, HasSubstr("dravin-cli info FILE [--json] [--ch1-high V] [--ch1-low V]"));
    EXPECT_THAT(run.out, HasSubstr("--activation-energy KJ"));
}

// The four-channel log of the CSV goldens as a log file.
LogFileImage fourChannelCsvLog() {
    LogFileImage image;
    image.channelCount = 4;
    image.units = {0, 1, 5, 2};
    image.timestamps = {"20240229120000", "20240229120100", "20240229120200"};
    image.values = {{0.0f, 50.0f, 32.0f, 400.0f},
                    {36.6f, 55.55f, 212.0f, 1234.56f},
                    {-40.0f, 0.05f, -40.0f, 65535.0f}};
    return image;
}

TEST_F(CliTest, ExportCsvWritesTheLogInTheUnitsAsked) {
    const std::string log = dir_ + "/four.drav";
    writeFile(log, fourChannelCsvLog().bytes());
    const struct {
        std::vector<std::string> options;
        const char* out;
        const char* golden;
    } cases[] = {
        {{"--csv"}, "four.csv", "csv_four_channels.csv"},
        {{"--csv", "--fahrenheit"}, "four_f.csv", "csv_four_channels_fahrenheit.csv"},
        {{"--fahrenheit", "--csv"}, "four_f2", "csv_four_channels_fahrenheit.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        const std::string out = dir_ + "/" + c.out;
        std::vector<std::string> args = {"export", log, out};
        args.insert(args.begin() + 1, c.options.begin(), c.options.end());
        RunResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(sameLines(readFileBytes(out),
                              readFileBytes(testDataDir() + "/export/" + std::string(c.golden))))
            << c.golden;
    }
    EXPECT_THAT(savedFiles(),
                ::testing::UnorderedElementsAre("four.drav", "four.csv", "four_f.csv", "four_f2"));
}

// One record a minute with an hour's gap: channel 1 in oC goes above 8 and
// below 2, channel 3 holds the same temperatures in F, channel 2 is %RH.
LogFileImage excursionLog() {
    const float celsius[] = {5.0f, 9.0f,  9.5f, 5.0f, 1.0f, 8.0f,
                             2.0f, 10.0f, 1.5f, 1.0f, 5.0f, 12.0f};
    LogFileImage image;
    image.channelCount = 3;
    image.units = {0, 1, 5, 1};
    image.timestamps = {"20240105080000", "20240105080100", "20240105080200", "20240105080300",
                        "20240105080400", "20240105080500", "20240105080600", "20240105080700",
                        "20240105080800", "20240105080900", "20240105090900", "20240105091000"};
    for (const float c : celsius)
        image.values.push_back({c, 50.0f, static_cast<float>(c * 9.0 / 5.0 + 32.0), 99.0f});
    return image;
}

TEST_F(CliTest, InfoGivesTheLimitsFiguresAndTheMkt) {
    const std::string log = dir_ + "/excursions.drav";
    writeFile(log, excursionLog().bytes());
    // Channel 4 is none of the log's: its limit is left out.
    const std::vector<std::string> limits = {"--ch1-high", "8",    "--ch1-low", "2",
                                             "--ch3-high", "46.4", "--ch4-low", "0"};
    std::vector<std::string> args = {"info", log, "--json"};
    args.insert(args.end(), limits.begin(), limits.end());
    RunResult json = runCli(args);
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_THAT(json.out, ::testing::EndsWith(
                              R"("mkt":[6.6,null,43.8],"limits":[)"
                              R"({"high":8,"low":2,"secondsAbove":240,"secondsBelow":180,)"
                              R"("timeAbove":"0:04","timeBelow":"0:03","excursions":5,)"
                              R"("longestSeconds":120,"longestStart":"20240105080100",)"
                              R"("rules":{"high":"any","low":"any"},"verdict":"fail",)"
                              R"("failedRule":"high"},)"
                              R"(null,)"
                              R"({"high":46.4,"low":null,"secondsAbove":240,"secondsBelow":0,)"
                              R"("timeAbove":"0:04","timeBelow":"0:00","excursions":3,)"
                              R"("longestSeconds":120,"longestStart":"20240105080100",)"
                              R"("rules":{"high":"any","low":"any"},"verdict":"fail",)"
                              R"("failedRule":"high"}],"verdict":"fail"})"
                              "\n"));

    const std::string gap = ", gaps 1, no data 0:59, longest 0:59 from 2024-01-05 08:10:00";
    args[2] = "--activation-energy";
    args.insert(args.begin() + 3, "100");
    RunResult text = runCli(args);
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_THAT(text.out, ::testing::EndsWith("\naxis: 0 .. 60 step 20\n"
                                              "stddev: 3.72 0.00 6.69\n"
                                              "logInterval: 60\n"
                                              "gaps: 1, no data 0:59, longest 0:59 from "
                                              "2024-01-05 08:10:00\n"
                                              "CH1 MKT 6.7 oC (100.000 kJ/mol)\n"
                                              "CH3 MKT 44.1 F (100.000 kJ/mol)\n"
                                              "CH1 limits 2.0 .. 8.0 oC: above 0:04, below 0:03, "
                                              "excursions 5" +
                                              gap +
                                              "\n"
                                              "CH3 limits - .. 46.4 F: above 0:04, below 0:00, "
                                              "excursions 3" +
                                              gap +
                                              "\n"
                                              "verdict: fail\n"
                                              "ch1: fail (high, any)\n"
                                              "ch3: fail (high, any)\n"));
}

// Channel 1 is above 8 for at most two minutes at a time, below 2 the same;
// channel 3 is above 46.4 F for four minutes in all.
TEST_F(CliTest, InfoJudgesEachChannelByItsRule) {
    const std::string log = dir_ + "/excursions.drav";
    writeFile(log, excursionLog().bytes());
    const struct {
        std::vector<std::string> rules;
        const char* verdicts;
    } cases[] = {
        {{"--ch1-rule", "single:2", "--ch3-rule", "total:4"},
         "verdict: pass\nch1: pass\nch3: pass\n"},
        {{"--ch1-rule", "single:1", "--ch3-rule", "total:4"},
         "verdict: fail\nch1: fail (high, single:1)\nch3: pass\n"},
        {{"--ch1-rule", "total:3", "--ch3-rule", "total:3"},
         "verdict: fail\nch1: fail (high, total:3)\nch3: fail (high, total:3)\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"info",      log, "--ch1-high", "8",
                                         "--ch1-low", "2", "--ch3-high", "46.4"};
        args.insert(args.end(), c.rules.begin(), c.rules.end());
        RunResult text = runCli(args);
        EXPECT_EQ(text.exitCode, 0) << text.err;
        EXPECT_THAT(text.out, ::testing::EndsWith(c.verdicts)) << c.rules[1];
    }
    RunResult json = runCli({"info", log, "--json", "--ch1-high", "8", "--ch1-rule", "single:2"});
    EXPECT_THAT(json.out, HasSubstr(R"("rules":{"high":"single:2","low":"single:2"},)"
                                    R"("verdict":"pass","failedRule":null},null,null],)"
                                    R"("verdict":"pass"})"));
    for (const char* bad : {"single:-1", "longest:5", "single", "any:5"}) {
        RunResult refused = runCli({"info", log, "--ch1-rule", bad});
        EXPECT_EQ(refused.exitCode, 2) << bad;
    }
}

// The hour between two records of the excursion log is 59 minutes without
// data for each of its channels; a lone record has no log interval.
TEST_F(CliTest, InfoGivesTheLogIntervalAndTheGapsOfEachChannel) {
    const std::string log = dir_ + "/excursions.drav";
    writeFile(log, excursionLog().bytes());
    RunResult json = runCli({"info", log, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const std::string gap =
        R"({"count":1,"seconds":3540,"longestSeconds":3540,"longestStart":"20240105081000"})";
    EXPECT_THAT(json.out, HasSubstr(R"("axisStep":20,"logInterval":60,"gaps":[)" + gap + "," + gap +
                                    "," + gap + R"(],"mkt":)"));
    RunResult text = runCli({"info", log});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_THAT(text.out,
                HasSubstr("\nlogInterval: 60\n"
                          "gaps: 1, no data 0:59, longest 0:59 from 2024-01-05 08:10:00\n"));

    LogFileImage lone;
    lone.timestamps = {"20240105080000"};
    lone.values = {{5.0f, 50.0f, 0.0f, 0.0f}};
    const std::string one = dir_ + "/one.drav";
    writeFile(one, lone.bytes());
    json = runCli({"info", one, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const std::string none = R"({"count":0,"seconds":0,"longestSeconds":0,"longestStart":null})";
    EXPECT_THAT(json.out,
                HasSubstr(R"("logInterval":null,"gaps":[)" + none + "," + none + R"(],"mkt":)"));
    text = runCli({"info", one});
    EXPECT_THAT(text.out, HasSubstr("\nlogInterval: -\ngaps: 0\n"));
}

// A terminal of a German user: the figures still read with a point.
TEST_F(CliTest, InfoReadsTheSameUnderACommaLocale) {
    {
        CommaLocale comma;
        ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    }
    LogFileImage image = excursionLog();
    for (auto& values : image.values) values[0] += 0.45f;
    const std::string log = dir_ + "/excursions.drav";
    writeFile(log, image.bytes());
    const std::vector<std::string> limits = {"--ch1-high", "8.5", "--ch3-low", "46.4"};
    std::vector<std::string> text = {"info", log};
    text.insert(text.end(), limits.begin(), limits.end());
    std::vector<std::string> json = text;
    json.push_back("--json");

    const RunResult textInC = runCli(text);
    const RunResult jsonInC = runCli(json);
    ASSERT_EQ(textInC.exitCode, 0) << textInC.err;
    ASSERT_EQ(jsonInC.exitCode, 0) << jsonInC.err;
    EXPECT_THAT(textInC.out, HasSubstr("\nmax: 12.45 "));
    EXPECT_THAT(textInC.out, HasSubstr("\nCH1 limits - .. 8.5 oC: above "));
    EXPECT_THAT(textInC.out, HasSubstr(" oC (83.144 kJ/mol)\n"));
    EXPECT_THAT(jsonInC.out, HasSubstr(R"("max":[12.45,)"));
    EXPECT_THAT(jsonInC.out, HasSubstr(R"({"high":8.5,"low":null,)"));

    CommaLocaleEnvironment german;
    const RunResult textInGerman = runCli(text);
    const RunResult jsonInGerman = runCli(json);
    EXPECT_EQ(textInGerman.exitCode, 0) << textInGerman.err;
    EXPECT_EQ(textInGerman.out, textInC.out);
    EXPECT_EQ(jsonInGerman.exitCode, 0) << jsonInGerman.err;
    EXPECT_EQ(jsonInGerman.out, jsonInC.out);
}

TEST_F(CliTest, InfoWithoutLimitsHasNoLimitsFigures) {
    const std::string log = dir_ + "/excursions.drav";
    writeFile(log, excursionLog().bytes());
    RunResult json = runCli({"info", log, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_THAT(json.out, ::testing::EndsWith(R"("mkt":[6.6,null,43.8]})"
                                              "\n"));
    RunResult text = runCli({"info", log});
    EXPECT_THAT(text.out, ::testing::Not(HasSubstr("limits")));
}

TEST_F(CliTest, BadLimitsAndEnergiesAreUsageErrors) {
    const struct {
        std::vector<std::string> options;
        std::string error;
    } cases[] = {
        {{"--ch1-high", "abc"}, "invalid value for --ch1-high: abc"},
        {{"--ch2-low", "8,5"}, "invalid value for --ch2-low: 8,5"},
        {{"--ch3-high", "nan"}, "invalid value for --ch3-high: nan"},
        {{"--ch4-low", "inf"}, "invalid value for --ch4-low: inf"},
        {{"--ch1-high", "1e39"}, "invalid value for --ch1-high: 1e39"},
        {{"--ch1-high", ""}, "invalid value for --ch1-high: "},
        {{"--ch1-high"}, "--ch1-high needs a value"},
        {{"--ch1-low", "9", "--ch1-high", "8.5"}, "--ch1-low is above --ch1-high"},
        {{"--activation-energy", "0"}, "invalid value for --activation-energy: 0"},
        {{"--activation-energy", "-83.144"}, "invalid value for --activation-energy: -83.144"},
        {{"--activation-energy", "83 kJ"}, "invalid value for --activation-energy: 83 kJ"},
        {{"--activation-energy", "1e308"}, "invalid value for --activation-energy: 1e308"},
        {{"--ch5-high", "8"}, "info takes no --ch5-high"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"info", "a.drav"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        RunResult run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << c.error;
        EXPECT_THAT(run.err, ::testing::StartsWith("dravin-cli: " + c.error + "\nusage:\n"));
        EXPECT_EQ(run.out, "");
    }
}

// The chart files are painted with Qt: a build without it refuses them as a
// usage error and writes nothing; one with it writes them (their content is
// checked by the Qt tests).
TEST_F(CliTest, ChartExportsAreWrittenOrRefusedByTheBuild) {
    const std::string log = dir_ + "/cold.drav";
    writeFile(log, twoChannelExportLog().bytes());
    for (const char* format : {"--bmp", "--pdf"}) {
        SCOPED_TRACE(format);
        const std::string out = dir_ + "/chart";
        RunResult run = runCli({"export", format, log, out});
        EXPECT_EQ(run.out, "");
        if (run.exitCode == 2) {
            EXPECT_THAT(run.err, ::testing::StartsWith(
                                     "dravin-cli: this build has no chart output: --bmp and --pdf "
                                     "need a build with Qt (DRAVIN_GUI)\nusage:\n"));
            EXPECT_FALSE(fs::exists(out));
        } else {
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_TRUE(fs::exists(out) && fs::file_size(out) > 0);
        }
        fs::remove(out);
    }
}

}  // namespace
