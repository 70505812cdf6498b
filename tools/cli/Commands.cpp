#include "Commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "ArchiveCommands.h"
#include "Interrupt.h"
#include "LoggerSession.h"
#include "Printable.h"
#include "Reports.h"
#include "base/LogEvents.h"
#include "link/SerialDevices.h"
#include "logdata/JournalRecovery.h"
#include "logdata/LimitsBook.h"
#include "logdata/LogFile.h"
#include "logdata/ProfileFile.h"
#include "setup/CodePage.h"
#include "views/CsvExport.h"
#include "views/TextExport.h"

#ifdef DRAVIN_CLI_CHART_FILES
#include "render/ChartFiles.h"
#endif

namespace {

// Each request gives up after ten resends a second apart; these only guard the loop.
constexpr double kRequestSeconds = 60;
// A download ends by its last package or the stall time-out after any package.
constexpr double kDownloadSeconds = 24 * 3600;
// Realtime samples come once a second; a silence this long ends the run.
constexpr double kSampleSilenceSeconds = 10;

int status(bool ok) {
    return ok ? kExitOk : kExitFailed;
}

// Every byte goes out: a log file's texts may hold zero bytes, which must not
// end the report there.
void printOut(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// The path of the log just saved, when one was. Its name holds the logger's
// serial number, which may hold anything.
void printSavedPath(const std::string& path) {
    if (!path.empty()) printOut(printable(path) + "\n");
}

int listPorts() {
    for (const SerialDevice& device : listSerialDevices(kDefaultDeviceDir))
        printOut("COM" + std::to_string(device.comNumber) + "\t" + printable(device.path) + "\n");
    return kExitOk;
}

int identify(LoggerSession& session) {
    printOut(identityText(session.data().log.setup, session.data().log.store));
    return kExitOk;
}

int readSetup(LoggerSession& session, const CliOptions& options) {
    if (!session.run([&] { session.engine().readSetup(); }, kRequestSeconds)) return kExitFailed;
    const LoggerSetup& setup = session.data().log.setup;
    printOut(options.json ? setupJson(setup) : setupText(setup));
    return kExitOk;
}

template <class T>
void edit(T& field, const std::optional<T>& value) {
    if (value) field = *value;
}

void applyEdits(const SetupEdits& e, LoggerSetup& s) {
    if (e.name) {
        // The name goes out as 24 bytes of the logger's code page: zero bytes
        // after the text, as after an edit by hand.
        std::fill(std::begin(s.name), std::end(s.name), '\0');
        encodeLoggerText(*e.name, kNameLength).copy(s.name, kNameLength);
    }
    edit(s.samplingInterval, e.samplingInterval);
    edit(s.logInterval, e.logInterval);
    edit(s.ch1High, e.ch1High);
    edit(s.ch1Low, e.ch1Low);
    edit(s.ch2High, e.ch2High);
    edit(s.ch2Low, e.ch2Low);
    edit(s.ch3High, e.ch3High);
    edit(s.ch3Low, e.ch3Low);
    edit(s.ch4High, e.ch4High);
    edit(s.ch4Low, e.ch4Low);
    for (int c = 0; c < 4; ++c) edit(s.offsets[c], e.offsets[c]);
}

// Reads the setup first, so that only the fields given change.
int syncSetup(LoggerSession& session, const CliOptions& options) {
    if (!session.run([&] { session.engine().readSetup(); }, kRequestSeconds)) return kExitFailed;
    applyEdits(options.edits, session.data().log.setup);
    return status(session.run([&] { session.engine().syncSetup(); }, kRequestSeconds));
}

// Before a download or a sampling: the samples that an earlier run left
// unsaved in its journal become their logs first, a line on stderr each.
bool prepareLogFolder(LoggerSession& session) {
    if (!session.prepareLogFolder()) return false;
    for (const JournalRecovery& recovery : recoverRealtimeJournals(logFilesDir(session.data()))) {
        const std::string text = journalRecoveryText(recovery);
        if (!text.empty()) session.ui().print(text);
    }
    return true;
}

int download(LoggerSession& session, const CliOptions& options) {
    if (!prepareLogFolder(session)) return kExitFailed;
    ProtocolEngine& engine = session.engine();
    // The saved log carries the logger's name and hardware version, which
    // only its setup tells.
    if (!session.run([&] { engine.readSetup(); }, kRequestSeconds)) return kExitFailed;
    AppData& data = session.data();
    data.log.store.currentFilePath.clear();
    // Ctrl+C is the busy box's Cancel: what arrived is saved, and the
    // command fails all the same.
    const InterruptCatcher interrupt;
    session.loop().watch([&] {
        if (interrupt.take()) engine.cancelDownload();
    });
    const bool ok = session.run(
        [&] {
            if (options.logs == LogKind::Auto)
                engine.startAutoDownload();
            else
                engine.startManuDownload();
        },
        kDownloadSeconds);
    session.loop().watch(nullptr);
    // What arrived is saved even when records were lost on the way or the
    // user cut it short (which fails the command all the same); no logs
    // saves nothing and is no failure.
    printSavedPath(data.log.store.currentFilePath);
    return status(ok);
}

int deleteLogs(LoggerSession& session, const CliOptions& options) {
    ProtocolEngine& engine = session.engine();
    return status(session.run(
        [&] {
            if (options.logs == LogKind::Auto)
                engine.deleteAutoLogs();
            else
                engine.deleteManuLogs();
        },
        kRequestSeconds));
}

// Counts the samples of a realtime run and prints the path of each log the
// run saves, once, as it is saved.
class RealtimeWatch final : public LogEvents {
public:
    explicit RealtimeWatch(AppData& data) : data_(data) { data_.events.subscribe(*this); }
    ~RealtimeWatch() override { data_.events.unsubscribe(*this); }
    RealtimeWatch(const RealtimeWatch&) = delete;
    RealtimeWatch& operator=(const RealtimeWatch&) = delete;

    int samples() const { return samples_; }
    void sampleAppended() override { ++samples_; }
    void logSaved(std::string_view path, SaveReason) override {
        if (path == printed_) return;
        printed_ = path;
        printSavedPath(printed_);
    }

private:
    AppData& data_;
    int samples_ = 0;
    std::string printed_;
};

// Samples until `options.samples` have come, then stops, which saves them.
// A day that ends meanwhile is saved as a log of its own.
int realtime(LoggerSession& session, const CliOptions& options) {
    if (!prepareLogFolder(session)) return kExitFailed;
    ConsoleUi& ui = session.ui();
    const RealtimeWatch watch(session.data());
    ui.beginOperation();
    session.engine().startRealtime();
    while (watch.samples() < options.samples) {
        const int seen = watch.samples();
        const bool came = session.loop().runUntil(
            [&] { return watch.samples() != seen || ui.ended(); }, kSampleSilenceSeconds);
        // A port error has stopped the sampling, saved it and said so.
        if (ui.ended()) return kExitFailed;
        if (!came) {
            session.engine().stopRealtime();
            ui.print("No sample came for " + std::to_string(std::lround(kSampleSilenceSeconds)) +
                     " seconds.");
            return kExitFailed;
        }
    }
    const Outcome saved = session.engine().stopRealtime();
    if (saved.kind == OutcomeKind::SaveFailed) ui.print("Saving failed: " + saved.detail);
    return status(saved.kind == OutcomeKind::Ok);
}

// The log as the window loads it, statistics computed; nothing and a line on
// stderr naming the file and what is wrong with it when it cannot be read.
std::unique_ptr<AppData> loadLog(const std::string& path) {
    auto data = std::make_unique<AppData>();
    // A log opened shows every channel, in the window as in the chart files.
    for (int& visible : data->display.channelVisible) visible = 1;
    const LogReadResult result = loadDocumentFile(path, *data);
    if (result == LogReadResult::Ok) return data;
    std::string message = documentLoadMessage(result, path);
    if (message.find(path) == std::string::npos) message = path + ": " + message;
    std::replace(message.begin(), message.end(), '\n', ' ');
    std::fprintf(stderr, "%s\n", printable(message).c_str());
    return nullptr;
}

int info(const CliOptions& options) {
    const auto data = loadLog(options.file);
    if (!data) return kExitFailed;
    data->display.limits = options.limits;
    data->display.activationEnergy = options.activationEnergy;
    // What the window shows for this logger's logs, unless the command says otherwise.
    const ProfileFile profile(userProfilePath());
    if (!anyLimit(options.limits)) {
        data->display.limits = profile.limits(loggerSerial(data->log.setup));
        // Rules given on the command line judge the kept limits.
        for (size_t c = 0; c < kChannels && options.rulesGiven; ++c) {
            data->display.limits[c].highRule = options.limits[c].highRule;
            data->display.limits[c].lowRule = options.limits[c].lowRule;
        }
    }
    if (!options.activationEnergyGiven) data->display.activationEnergy = profile.activationEnergy();
    printOut(options.json ? logInfoJson(*data) : logInfoText(*data));
    return kExitOk;
}

// The format's writer, the window's own.
Outcome writeExport(const CliOptions& options, const AppData& data) {
    switch (options.exportFormat) {
        case ExportFormat::Spreadsheet:
            return exportSpreadsheetFile(options.out, data.log.store, data.log.setup);
        case ExportFormat::Csv:
            return exportCsvFile(options.out, data.log.store, options.fahrenheit);
#ifdef DRAVIN_CLI_CHART_FILES
        case ExportFormat::Bitmap:
            return exportChartBitmap(options.out, data, options.bitmapSize);
        case ExportFormat::Pdf:
            return exportReportPdf(options.out, data);
#endif
        default:  // text: the options let no other format through
            return exportTextFile(options.out, data.log.store);
    }
}

// Writes the whole log to exactly the path given, as the window's export
// would; an earlier file there stays as it was unless the export succeeds.
int exportLog(const CliOptions& options) {
    const ArchiveSession archive(cliDataDir(options), nullptr);
    const auto data = loadLog(options.file);
    if (!data) return kExitFailed;
    const Outcome written = writeExport(options, *data);
    if (written.ok()) return kExitOk;
    // The detail is the path and the system's reason.
    std::fprintf(stderr, "Export failed: %s\n", printable(written.detail).c_str());
    return kExitFailed;
}

// Saves the realtime samples that runs left in their journals in the log
// folder (--dir, else Logfiles beside the program) and prints the path of
// each log saved. Nothing to do is no failure; a journal that has to stay is.
int recover(const CliOptions& options) {
    std::error_code error;
    if (!options.dir.empty() && !std::filesystem::is_directory(options.dir, error)) {
        std::fprintf(stderr, "Cannot recover in %s: no such folder.\n",
                     printable(options.dir).c_str());
        return kExitFailed;
    }
    auto data = std::make_unique<AppData>();
    data->programDir = cliDataDir(options);
    data->logDirOverride = options.dir;
    const ArchiveSession archive(data->programDir, nullptr);
    bool allSaved = true;
    for (const JournalRecovery& recovery : recoverRealtimeJournals(logFilesDir(*data))) {
        if (recovery.outcome == JournalOutcome::Saved) printSavedPath(recovery.detail);
        if (recovery.outcome == JournalOutcome::Saved || recovery.outcome == JournalOutcome::Empty)
            continue;
        const std::string text = printable(consoleText(journalRecoveryText(recovery)));
        std::fprintf(stderr, "%s\n", text.c_str());
        allSaved = false;
    }
    return status(allSaved);
}

int loggerCommand(const CliOptions& options) {
    LoggerSession session(options);
    // What a download or a sampling saves goes into the data folder's archive.
    const bool saves = options.command == Command::Download || options.command == Command::Realtime;
    std::optional<ArchiveSession> archive;
    if (saves) archive.emplace(session.data().programDir, &session.data().events);
    if (!session.connect()) return kExitFailed;
    switch (options.command) {
        case Command::Identify:
            return identify(session);
        case Command::ReadSetup:
            return readSetup(session, options);
        case Command::SyncSetup:
            return syncSetup(session, options);
        case Command::Download:
            return download(session, options);
        case Command::Delete:
            return deleteLogs(session, options);
        case Command::Realtime:
            return realtime(session, options);
        default:
            return kExitUsage;
    }
}

}  // namespace

int runCommand(const CliOptions& options) {
    switch (options.command) {
        case Command::Ports:
            return listPorts();
        case Command::Info:
            return info(options);
        case Command::Export:
            return exportLog(options);
        case Command::Recover:
            return recover(options);
        case Command::Verify:
            return verifyLogs(options);
        case Command::Audit:
            return auditTrail(options);
        case Command::Sign:
            return signLog(options);
        case Command::Archive:
            return archiveCommand(options);
        default:
            return loggerCommand(options);
    }
}
