// dravin-cli's bitmap and PDF exports, run as the executable on a server
// without a display: the bitmap against the view's own picture, the PDF read
// back with poppler-utils, bad sizes and targets that cannot be written.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/widgets/Profile.h"
#include "logdata/LogFile.h"
#include "record/AppData.h"
#include "support/CommaLocale.h"
#include "support/FakeHosts.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/SyntheticLog.h"
#include "support/TestPaths.h"
#include "views/BitmapFile.h"
#include "views/widgets/CLoggerView.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

const QString kCli = QString::fromStdString(binaryDir() + "/dravin-cli");

struct RunResult {
    int exitCode = -1;  // -1: did not end by itself
    std::string out;
    std::string err;
};

// Without a display and without a platform named, as on a build server.
QProcessEnvironment serverEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    return environment;
}

RunResult runCli(const std::vector<std::string>& args,
                 const QProcessEnvironment& environment = serverEnvironment()) {
    QStringList arguments;
    for (const std::string& a : args) arguments << QString::fromStdString(a);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(kCli, arguments);
    process.waitForFinished(-1);
    RunResult result;
    if (process.exitStatus() == QProcess::NormalExit) result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

// The output of a command line, or "" when it could not run.
std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
        pclose(pipe);
    }
    return output;
}

// Pixels of a bitmap file that differ from `picture` reduced to 5 bits a colour.
int differingPixels(const std::string& file, const QImage& picture) {
    const int w = picture.width(), h = picture.height();
    const uint64_t rowBytes = bitmapRowBytes(w);
    if (file.size() != bitmapFileSize(w, h)) return w * h;
    int differing = 0;
    for (int y = 0; y < h; ++y) {
        const char* row = file.data() + kBitmapHeaderSize + (h - 1 - y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            uint16_t stored;
            std::memcpy(&stored, row + 2 * x, 2);
            if (stored != toRgb555(picture.pixel(x, y))) ++differing;
        }
    }
    return differing;
}

class CliChartFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        LogStore& store = data_->log.store;
        fillSyntheticLog(store, 3600, 2);
        std::memcpy(data_->log.setup.name, "Cold room", 9);
        std::memcpy(data_->log.setup.serialNo, "KM30012345", 10);
        std::ofstream out(log_, std::ios::binary);
        ASSERT_TRUE(writeLogFile(out, store, data_->log.setup));
        out.close();
        // The view paints what the window would show of the file as loaded.
        data_ = std::make_unique<AppData>();
        for (int& visible : data_->display.channelVisible) visible = 1;
        ASSERT_EQ(loadDocumentFile(log_, *data_), LogReadResult::Ok);
    }

    std::string path(const std::string& name) const { return root_ + "/" + name; }
    // What is in the folder besides the log: no temporary file may stay.
    std::vector<std::string> written() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root_)) {
            if (entry.path() != log_) names.push_back(entry.path().filename().string());
        }
        return names;
    }

    QTemporaryDir dir_;
    std::string root_ = dir_.path().toStdString();
    std::string log_ = root_ + "/cold.drav";
    std::unique_ptr<AppData> data_ = std::make_unique<AppData>();
};

TEST_F(CliChartFilesTest, BitmapIsTheViewsPictureInFiveBitsAColour) {
    FakeUi ui(*data_);
    CLoggerView view(*data_, ui);
    const struct {
        std::vector<std::string> size;
        int width;
        int height;
        uint64_t fileSize;
    } cases[] = {
        {{}, 1000, 600, bitmapFileSize(1000, 600)},
        {{"--size", "801x600"}, 801, 600, 962454},
        {{"--size", "1x1"}, 1, 1, 58},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const std::string out = path("chart.bmp");
        std::vector<std::string> args = {"export", "--bmp", log_, out};
        args.insert(args.end(), c.size.begin(), c.size.end());
        const RunResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        const std::string bytes = readFileBytes(out);
        ASSERT_EQ(bytes.size(), c.fileSize);
        EXPECT_THAT(bytes, StartsWith("BM"));
        const QImage shown = view.renderPicture(QSize(c.width, c.height));
        EXPECT_EQ(differingPixels(bytes, shown), 0);
    }
    // Every channel of the log is drawn: the bitmap holds channel 1's red.
    runCli({"export", "--bmp", log_, path("chart.bmp")});
    const std::string bytes = readFileBytes(path("chart.bmp"));
    int red = 0;
    for (size_t i = kBitmapHeaderSize; i + 1 < bytes.size(); i += 2) {
        uint16_t pixel;
        std::memcpy(&pixel, bytes.data() + i, 2);
        if (pixel == toRgb555(0xFFFF0000)) ++red;
    }
    EXPECT_GT(red, 100);
}

TEST_F(CliChartFilesTest, PdfIsTheReportOnOneLandscapePageWithRealText) {
    const std::string out = path("report.pdf");
    const RunResult result = runCli({"export", "--pdf", log_, out});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_THAT(readFileBytes(out), StartsWith("%PDF"));
    const std::string info = run("pdfinfo '" + out + "' 2>/dev/null");
    double width = 0, height = 0;
    const size_t at = info.find("Page size:");
    ASSERT_NE(at, std::string::npos) << info;
    std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height);
    EXPECT_GT(width, height) << "landscape";
    EXPECT_THAT(info, ::testing::ContainsRegex("\nPages: +1\n"));
    const std::string text = run("pdftotext -layout '" + out + "' - 2>/dev/null");
    EXPECT_THAT(text, HasSubstr("Cold room Records Report (KM30012345)"));
    EXPECT_THAT(text, HasSubstr("TOTAL LOGS:3600"));
}

// The chart exports start Qt, which takes the locale from the environment:
// under a comma-decimal one the report's figures still read with a point.
TEST_F(CliChartFilesTest, ThePdfsFiguresReadWithAPointUnderACommaLocale) {
    {
        CommaLocale comma;
        ASSERT_TRUE(comma.active()) << kCommaLocaleMissing;
    }
    QProcessEnvironment german = serverEnvironment();
    german.insert("LC_ALL", kCommaLocale);
    const std::string out = path("report.pdf");
    const RunResult result = runCli({"export", "--pdf", log_, out}, german);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string text = run("pdftotext -layout '" + out + "' - 2>/dev/null");
    EXPECT_THAT(text, ::testing::ContainsRegex("MAX:[0-9]+\\.[0-9],"));
    EXPECT_THAT(text, Not(::testing::ContainsRegex("[0-9],[0-9]")));
}

// info gives the figures the window shows: without limits on the command
// line, those the window keeps for the log's logger and its activation energy.
TEST_F(CliChartFilesTest, InfoTakesTheLimitsTheWindowKeepsForTheLogger) {
    Profile profile;
    ChannelLimits kept{};
    kept[0] = {30.0f, 10.0f};
    profile.setLimits("KM30012345", kept);
    profile.setActivationEnergy(100000.0);
    profile.settings().sync();
    // The profile's folder is the one the test program was given.
    QProcessEnvironment environment = serverEnvironment();
    environment.insert("XDG_CONFIG_HOME",
                       QFileInfo(profile.settings().fileName()).dir().absolutePath() + "/..");

    const RunResult text = runCli({"info", log_}, environment);
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_THAT(text.out, HasSubstr("CH1 limits 10.0 .. 30.0 oC: above "));
    EXPECT_THAT(text.out, HasSubstr("(100.000 kJ/mol)")) << "the kept activation energy";
    const RunResult json = runCli({"info", log_, "--json"}, environment);
    EXPECT_THAT(json.out, HasSubstr(R"("limits":[{"high":30)"));

    const RunResult given =
        runCli({"info", log_, "--ch2-high", "60", "--activation-energy", "83.144"}, environment);
    EXPECT_EQ(given.exitCode, 0) << given.err;
    EXPECT_THAT(given.out, Not(HasSubstr("CH1 limits")));
    EXPECT_THAT(given.out, HasSubstr("CH2 limits - .. 60.0"));
    EXPECT_THAT(given.out, HasSubstr("83.144 kJ/mol"));
}

TEST_F(CliChartFilesTest, APlatformNamedInTheEnvironmentIsTheOneUsed) {
    QProcessEnvironment environment = serverEnvironment();
    environment.insert("QT_QPA_PLATFORM", "no-such-platform");
    const RunResult result = runCli({"export", "--pdf", log_, path("report.pdf")}, environment);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_THAT(result.err, HasSubstr("no Qt platform plugin could be initialized"));
    EXPECT_TRUE(written().empty());
}

TEST_F(CliChartFilesTest, SizesThatMakeNoBitmapAreUsageErrors) {
    const std::string out = path("chart.bmp");
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--bmp", "--size", "0x5"}, "invalid value for --size: 0x5"},
        {{"--bmp", "--size", "abc"}, "invalid value for --size: abc"},
        {{"--bmp", "--size", "100000x100000"}, "invalid value for --size: 100000x100000"},
        {{"--bmp", "--size", "32768x10"}, "invalid value for --size: 32768x10"},
        {{"--bmp", "--size", "-800x600"}, "invalid value for --size: -800x600"},
        {{"--bmp", "--size", "800x"}, "invalid value for --size: 800x"},
        {{"--bmp", "--size", "800x600x2"}, "invalid value for --size: 800x600x2"},
        {{"--bmp", "--size", "800 x 600"}, "invalid value for --size: 800 x 600"},
        {{"--bmp", "--size"}, "--size needs a value"},
        {{"--pdf", "--size", "800x600"}, "--size is for --bmp only"},
        {{"--txt", "--size", "800x600"}, "--size is for --bmp only"},
        {{"--bmp", "--pdf"}, "give one of --txt, --xls, --csv, --bmp and --pdf"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"export", log_, out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 2) << c.error;
        EXPECT_THAT(result.err, StartsWith("dravin-cli: " + c.error + "\nusage:\n"));
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(written().empty());
}

TEST_F(CliChartFilesTest, TargetsThatCannotBeWrittenNameThePathAndTheReason) {
    fs::create_directory(path("taken"));
    const struct {
        std::string out;
        std::string reason;
    } cases[] = {
        {path("missing/chart"), "No such file or directory"},
        {log_ + "/chart", "Not a directory"},
        {path("taken"), "Is a directory"},
    };
    for (const auto& c : cases) {
        for (const char* format : {"--bmp", "--pdf"}) {
            const RunResult result = runCli({"export", format, log_, c.out});
            EXPECT_EQ(result.exitCode, 1) << format << " " << c.out;
            EXPECT_EQ(result.err, "Export failed: " + c.out + ": " + c.reason + "\n");
            EXPECT_EQ(result.out, "");
        }
    }
    EXPECT_THAT(written(), ::testing::ElementsAre("taken"));
    EXPECT_TRUE(fs::is_empty(path("taken")));
}

TEST_F(CliChartFilesTest, AFullDiskLeavesTheEarlierFileAndNoTemporaryFile) {
    for (const char* format : {"--bmp", "--pdf"}) {
        const std::string out = path("earlier");
        std::ofstream(out) << "earlier";
        RunResult result;
        {
            // The child inherits the limit and the ignored SIGXFSZ.
            FileSizeLimit limit(4096);
            result = runCli({"export", format, log_, out});
        }
        EXPECT_EQ(result.exitCode, 1) << format;
        EXPECT_EQ(result.err, "Export failed: " + out + ": File too large\n");
        EXPECT_EQ(readFileBytes(out), "earlier");
        EXPECT_THAT(written(), ::testing::ElementsAre("earlier"));
    }
}

}  // namespace
