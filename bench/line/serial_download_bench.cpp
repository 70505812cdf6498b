// A download of 10,000 Auto records from the simulated logger over a
// pseudo-terminal, the simulator pacing its bytes as a 38400 baud line does,
// through the serial port, the engine and the saving of the log: the
// program's whole path. Beside it the line-rate bound, the time the same
// bytes need on the wire: what the program takes beyond that is waiting of
// its own (the port ends a chunk after 200 ms of quiet, so the last package
// is handed over that much after its last byte).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "cli/CliOptions.h"
#include "cli/LoggerSession.h"
#include "sim/LoggerSim.h"
#include "sim/SimRecords.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kBaud = 38400;
constexpr int kRecordsPerPackage = 100;
constexpr double kBytesPerSecond = kBaud / 10.0;  // a start and a stop bit a byte
constexpr SimRecord kFirst{2024, 3, 1, 8, 0, 0, 235, 553, 198, 601};

// The bytes of the download on the line: per package its frame (header,
// package header, check) and its records.
double downloadBytes() {
    constexpr int kPackageFrame = 26;
    constexpr int kRecordBytes = 14;
    const int packages = (kRecords + kRecordsPerPackage - 1) / kRecordsPerPackage;
    return static_cast<double>(packages * kPackageFrame + kRecords * kRecordBytes);
}

void downloadOf10000RecordsAt38400Baud(benchmark::State& state) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "dravin_serial_download_bench";
    std::filesystem::create_directories(dir);
    for (auto _ : state) {
        LoggerSim::Config config;
        config.autoRecords = makeSimRecords(kRecords, kFirst, 60);
        config.pacing = {.recordsPerPackage = kRecordsPerPackage, .pauseMs = 0, .baud = kBaud};
        LoggerSim sim(config);
        CliOptions options;
        options.command = Command::Download;
        options.device = sim.devicePath();
        options.baud = kBaud;
        options.dir = dir.string();
        LoggerSession session(options);
        if (!session.connect() || !session.prepareLogFolder() ||
            !session.run([&] { session.engine().readSetup(); }, 10)) {
            state.SkipWithError("the simulated logger did not answer");
            break;
        }
        const auto start = std::chrono::steady_clock::now();
        const bool ok = session.run([&] { session.engine().startAutoDownload(); }, 600);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!ok || session.data().log.store.recordCount != kRecords) {
            state.SkipWithError("the download failed");
            break;
        }
        state.SetIterationTime(took.count());
    }
    std::filesystem::remove_all(dir);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * downloadBytes()));
}
BENCHMARK(downloadOf10000RecordsAt38400Baud)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The same bytes at the line's rate, computed, not measured.
void lineRateBound(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(downloadBytes() / kBytesPerSecond);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * downloadBytes()));
}
BENCHMARK(lineRateBound)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
