// The archive from the command line: dravin-cli's verify, audit, sign and
// archive commands, downloads recorded into the data folder's archive, a
// trail edited behind the program's back, two processes at once, and a
// download killed midway.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sim/LoggerSim.h"
#include "sim/SimRecords.h"
#include "support/TestPaths.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kCli = binaryDir() + "/dravin-cli";
constexpr SimRecord kFirst{2024, 1, 5, 8, 0, 0, 235, 553, -2000, 600};

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Starts a program with its output streams into pipes.
pid_t spawn(const std::string& path, const std::vector<std::string>& args, int out, int err) {
    std::vector<std::string> copies = args;
    copies.insert(copies.begin(), path);
    std::vector<char*> argv;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// A run in the background: its output goes to files, collected at the end.
class Background {
public:
    Background(const std::string& scratch, const std::vector<std::string>& args)
        : outPath_(scratch + ".out"), errPath_(scratch + ".err") {
        const int out = ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        pid_ = spawn(kCli, args, out, err);
        ::close(out);
        ::close(err);
    }
    pid_t pid() const { return pid_; }
    // Waits for its end: its exit status (-1 when a signal ended it) and output.
    RunResult wait() {
        RunResult result;
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status))
            result.exitCode = WEXITSTATUS(status);
        pid_ = -1;
        result.out = read(outPath_);
        result.err = read(errPath_);
        return result;
    }
    ~Background() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

private:
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string outPath_;
    std::string errPath_;
    pid_t pid_ = -1;
};

// Runs dravin-cli to its end.
RunResult runCli(const std::vector<std::string>& args) {
    char pattern[] = "/tmp/dravin-archive-run-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd >= 0) ::close(fd);
    Background run(pattern, args);
    RunResult result = run.wait();
    fs::remove(pattern);
    fs::remove(std::string(pattern) + ".out");
    fs::remove(std::string(pattern) + ".err");
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
}

LoggerSim::Config loggerConfig(const std::string& serial, int records) {
    LoggerSim::Config config;
    config.serialNo = serial;
    config.setup.name = fixedText<24>("Freezer");
    config.setup.channelConfig = 5;
    config.setup.logInterval = 60;
    config.setup.logsCount = static_cast<uint32_t>(records);
    config.autoRecords = makeSimRecords(records, kFirst, 60);
    config.pacing.pauseMs = 300;
    return config;
}

// Runs the sqlite3 tool on the archive; its output.
std::string sqlite(const std::string& database, const std::string& sql) {
    const std::string command = "sqlite3 '" + database + "' \"" + sql + "\" 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

class ArchiveCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dravin-archive-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    RunResult cli(std::vector<std::string> args) {
        args.push_back("--data-dir");
        args.push_back(dir_);
        return runCli(args);
    }
    // Downloads the simulator's Auto logs into the data folder; the saved path.
    std::string download(LoggerSim& sim) {
        RunResult run = cli({"download", "--device", sim.devicePath(), "--logs", "auto"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return lines(run.out).empty() ? std::string() : lines(run.out).back();
    }
    std::string database() const { return dir_ + "/archive.sqlite"; }

    std::string dir_;
};

TEST_F(ArchiveCliTest, ADownloadIsRecordedAndVerified) {
    LoggerSim sim(loggerConfig("1234567890", 120));
    ASSERT_TRUE(sim.running());
    const std::string log = download(sim);
    ASSERT_EQ(log, dir_ + "/Logfiles/1234567890_20240105_0959.drav");

    RunResult verify = cli({"verify", log});
    EXPECT_EQ(verify.exitCode, 0) << verify.err;
    const std::vector<std::string> out = lines(verify.out);
    ASSERT_EQ(out.size(), 2u) << verify.out;
    EXPECT_THAT(out[0], StartsWith(log + ": unchanged since download on "));
    EXPECT_THAT(out[0],
                ::testing::MatchesRegex(
                    ".*on [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2} \\([+-][0-9]{2}:[0-9]{2}\\)"
                    " by .+@.+"));
    EXPECT_EQ(out[1], "audit trail: intact, 1 entries");

    RunResult list = cli({"archive", "list", "--serial", "1234567890", "--json"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_THAT(list.out, HasSubstr("\"records\":120"));
    EXPECT_THAT(list.out, HasSubstr("\"provenance\":\"download\""));
    EXPECT_THAT(list.out, HasSubstr("\"complete\":true"));
    EXPECT_THAT(list.out, HasSubstr("\"name\":\"Freezer\""));
    EXPECT_EQ(cli({"archive", "list", "--from", "2024-01-06"}).out, "");
    EXPECT_EQ(lines(cli({"archive", "list", "--to", "2024-01-05"}).out).size(), 1u);

    RunResult sign = cli({"sign", log, "--meaning", "approved", "--name", "Ann Example",
                          "--comment", "checked the door \x1b[2J"});
    EXPECT_EQ(sign.exitCode, 0) << sign.err;
    RunResult audit = cli({"audit", log, "--json"});
    EXPECT_EQ(audit.exitCode, 0);
    const std::vector<std::string> entries = lines(audit.out);
    ASSERT_EQ(entries.size(), 5u) << audit.out;  // [ download, verify, sign ]
    EXPECT_EQ(entries[0], "[");
    EXPECT_THAT(entries[1], ::testing::MatchesRegex(
                                "\\{\"seq\":1,\"time\":\"[0-9-]{10}T[0-9:]{8}Z\",\"offset\":\"[+-]"
                                "[0-9]{2}:[0-9]{2}\",\"user\":\".+\",\"host\":\".+\",\"program\":"
                                "\"Dravin [0-9.]+\",\"event\":\"download\",\"file\":\".+\","
                                "\"sha256\":\"[0-9a-f]{64}\",\"details\":\\{.+\\},\"prev\":\"\","
                                "\"hash\":\"[0-9a-f]{64}\"\\},"));
    EXPECT_THAT(entries[3], HasSubstr("\"event\":\"sign\""));
    EXPECT_THAT(entries[3], HasSubstr("\"meaning\":\"approved\",\"name\":\"Ann Example\""));
    EXPECT_THAT(entries[3], HasSubstr("\\u001b[2J")) << "a control character escaped";
    EXPECT_EQ(entries[4], "]");
}

TEST_F(ArchiveCliTest, AChangedOrUnknownFileFailsAndCannotBeSigned) {
    LoggerSim sim(loggerConfig("1234567890", 30));
    const std::string log = download(sim);
    ASSERT_FALSE(log.empty());
    {
        std::fstream file(log, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(60);
        file.put('9');
    }
    const std::string stranger = dir_ + "/other.drav";
    fs::copy_file(log, stranger);
    RunResult verify = cli({"verify", log, stranger});
    EXPECT_EQ(verify.exitCode, 1);
    const std::vector<std::string> out = lines(verify.out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_THAT(out[0], StartsWith(log + ": CHANGED since download on "));
    EXPECT_EQ(out[1], stranger + ": not in the archive");
    EXPECT_EQ(out[2], "audit trail: intact, 1 entries");

    RunResult sign = cli({"sign", log, "--meaning", "reviewed", "--name", "Ann Example"});
    EXPECT_EQ(sign.exitCode, 1);
    EXPECT_THAT(sign.err, HasSubstr("CHANGED"));
    EXPECT_EQ(cli({"sign", stranger, "--meaning", "reviewed", "--name", "A"}).exitCode, 1);
    EXPECT_EQ(cli({"sign", log, "--meaning", "liked", "--name", "A"}).exitCode, 2);

    // A scan of the folder records the change and the newcomer.
    RunResult add = cli({"archive", "add", dir_ + "/Logfiles"});
    EXPECT_EQ(add.exitCode, 0) << add.err;
    EXPECT_EQ(add.out, "CHANGED: " + log + "\n");
    RunResult again = cli({"verify", log});
    EXPECT_EQ(again.exitCode, 0) << again.out;
    EXPECT_THAT(again.out, HasSubstr("unchanged since changed on"));
}

TEST_F(ArchiveCliTest, ATrailEditedBehindItsBackIsBrokenAtThatEntry) {
    LoggerSim sim(loggerConfig("1234567890", 30));
    const std::string log = download(sim);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(cli({"verify", log}).exitCode, 0);
    ASSERT_EQ(sqlite(database(), "SELECT count(*) FROM trail;"), "4\n");

    sqlite(database(), "UPDATE trail SET details = '{}' WHERE seq = 2;");
    RunResult changed = cli({"verify", log});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_THAT(changed.out, HasSubstr(log + ": unchanged since download"));
    EXPECT_THAT(changed.out, HasSubstr("audit trail: BROKEN at entry 2\n"));

    sqlite(database(), "DELETE FROM trail WHERE seq = 2;");
    sqlite(database(),
           "UPDATE trail SET seq = 2 WHERE seq = 3;");  // no gap, the chain still broken
    RunResult json = cli({"verify", "--all", "--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_THAT(json.out, HasSubstr("\"trail\":{\"intact\":false"));
    EXPECT_THAT(json.out, HasSubstr("\"broken_at\":2"));
}

TEST_F(ArchiveCliTest, AnEntryDeletedIsWhereTheTrailBreaks) {
    LoggerSim sim(loggerConfig("1234567890", 30));
    const std::string log = download(sim);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(cli({"verify", log}).exitCode, 0);
    sqlite(database(), "DELETE FROM trail WHERE seq = 3;");
    RunResult run = cli({"verify", log});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.out, HasSubstr("audit trail: BROKEN at entry 3\n"));
}

TEST_F(ArchiveCliTest, AnUnusableArchiveStillLetsTheLogBeSaved) {
    LoggerSim sim(loggerConfig("1234567890", 30));
    struct Case {
        const char* what;
        std::function<void(const std::string&)> spoil;
        const char* why;
    };
    const Case cases[] = {
        {"corrupt", [](const std::string& db) { std::ofstream(db) << std::string(4096, 'x'); },
         "is damaged"},
        {"read-only",
         [](const std::string& db) {
             sqlite(db, "CREATE TABLE t(x);");
             fs::permissions(db, fs::perms::owner_read | fs::perms::group_read);
         },
         "is read-only."},
        {"newer", [](const std::string& db) { sqlite(db, "PRAGMA user_version = 7;"); },
         "was made by a newer Dravin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_ + "/Logfiles");
        fs::remove(database());
        c.spoil(database());
        RunResult run = cli({"download", "--device", sim.devicePath(), "--logs", "auto"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        ASSERT_EQ(lines(run.out).size(), 1u);
        EXPECT_TRUE(fs::exists(lines(run.out)[0])) << "the log is saved";
        EXPECT_THAT(run.err, HasSubstr("The archive cannot be used: " + database()));
        EXPECT_THAT(run.err, HasSubstr(c.why));
        EXPECT_THAT(run.err, HasSubstr(" Logs are saved, but not recorded.\n"));
        EXPECT_EQ(cli({"verify", "--all"}).exitCode, 1);
    }
}

TEST_F(ArchiveCliTest, TwoProcessesRecordIntoOneDataFolderAtOnce) {
    LoggerSim first(loggerConfig("1111111111", 300));
    LoggerSim second(loggerConfig("2222222222", 300));
    ASSERT_TRUE(first.running() && second.running());
    for (int round = 0; round < 2; ++round) {
        Background a(dir_ + "/a", {"download", "--device", first.devicePath(), "--logs", "auto",
                                   "--data-dir", dir_});
        Background b(dir_ + "/b", {"download", "--device", second.devicePath(), "--logs", "auto",
                                   "--data-dir", dir_});
        // Meanwhile a third one scans the folder and verifies, over and over.
        for (int i = 0; i < 5; ++i) cli({"verify", "--all"});
        const RunResult ra = a.wait();
        const RunResult rb = b.wait();
        EXPECT_EQ(ra.exitCode, 0) << ra.err;
        EXPECT_EQ(rb.exitCode, 0) << rb.err;
        EXPECT_EQ(ra.err.find("archive"), std::string::npos) << ra.err;
        EXPECT_EQ(rb.err.find("archive"), std::string::npos) << rb.err;
    }
    RunResult verify = cli({"verify", "--all"});
    EXPECT_EQ(verify.exitCode, 0) << verify.out;
    EXPECT_THAT(verify.out, HasSubstr("1111111111_"));
    EXPECT_THAT(verify.out, HasSubstr("2222222222_"));
    EXPECT_THAT(verify.out, HasSubstr("audit trail: intact"));
    EXPECT_EQ(sqlite(database(), "SELECT count(*) FROM trail WHERE event = 'download';"), "4\n");
}

TEST_F(ArchiveCliTest, ADownloadKilledMidwayLeavesASoundArchive) {
    LoggerSim::Config config = loggerConfig("1234567890", 2000);
    LoggerSim sim(config);
    ASSERT_FALSE(download(sim).empty());
    // The next one slowly, killed while records arrive.
    LoggerSim::Pacing slow = config.pacing;
    slow.baud = 9600;
    sim.setPacing(slow);
    for (int i = 0; i < 3; ++i) {
        Background run(dir_ + "/run", {"download", "--device", sim.devicePath(), "--logs", "auto",
                                       "--data-dir", dir_});
        ASSERT_GT(run.pid(), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500 + 300 * i));
        // Another process writes into the archive as the first one dies.
        Background scan(dir_ + "/scan", {"archive", "add", dir_ + "/Logfiles", "--data-dir", dir_});
        ASSERT_EQ(kill(run.pid(), SIGKILL), 0);
        EXPECT_EQ(run.wait().exitCode, -1);
        EXPECT_EQ(scan.wait().exitCode, 0);
    }
    EXPECT_EQ(sqlite(database(), "PRAGMA integrity_check;"), "ok\n");
    RunResult verify = cli({"verify", "--all"});
    EXPECT_EQ(verify.exitCode, 0) << verify.out << verify.err;
    EXPECT_THAT(verify.out, HasSubstr("audit trail: intact"));
}

TEST_F(ArchiveCliTest, RebuildReadsEveryLogAgain) {
    LoggerSim sim(loggerConfig("1234567890", 30));
    const std::string log = download(sim);
    const std::string copy = dir_ + "/Logfiles/copy.drav";
    fs::copy_file(log, copy);
    fs::remove(log);
    RunResult rebuild = cli({"archive", "rebuild"});
    EXPECT_EQ(rebuild.exitCode, 0) << rebuild.err;
    EXPECT_EQ(rebuild.out, "imported: " + copy + "\nvanished: " + log + "\n");
    EXPECT_EQ(cli({"verify", "--all"}).exitCode, 0);
    EXPECT_EQ(cli({"verify", log}).out,
              log + ": not in the archive\naudit trail: intact, 4 entries\n");
}

TEST_F(ArchiveCliTest, UsageErrors) {
    EXPECT_EQ(cli({"verify"}).exitCode, 2);
    EXPECT_EQ(cli({"verify", "a.drav", "--all"}).exitCode, 2);
    EXPECT_EQ(cli({"sign", "a.drav", "--meaning", "reviewed"}).exitCode, 2);
    EXPECT_EQ(cli({"archive"}).exitCode, 2);
    EXPECT_EQ(cli({"archive", "add"}).exitCode, 2);
    EXPECT_EQ(cli({"archive", "list", "--from", "2024-13-01"}).exitCode, 2);
    EXPECT_EQ(cli({"archive", "rebuild", "--serial", "1"}).exitCode, 2);
    EXPECT_EQ(cli({"archive", "list"}).exitCode, 0);
}

}  // namespace
