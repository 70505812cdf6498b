#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "logdata/LogFile.h"
#include "record/AppData.h"

namespace {

// A full store: 140000 records of four slowly varying channels.
std::unique_ptr<AppData> fullLog() {
    auto data = std::make_unique<AppData>();
    data->log.store.channelCount = 4;
    for (uint32_t i = 0; i < kLogCapacity; ++i) {
        std::copy_n("20100305142201", kTimestampLength, data->log.store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) {
            data->log.store.values[c][i] = static_cast<float>((i * (c + 3)) % 1000) / 10.0f - 20.0f;
        }
    }
    data->log.store.recordCount = kLogCapacity;
    return data;
}

void computeStatisticsOfAFullStore(benchmark::State& state) {
    auto data = fullLog();
    for (auto _ : state) {
        data->log.store.computeStatistics();
        benchmark::DoNotOptimize(data->log.store.avgValue);
    }
    state.SetItemsProcessed(state.iterations() * kLogCapacity);
}
BENCHMARK(computeStatisticsOfAFullStore);

void readAFullLogFromMemory(benchmark::State& state) {
    auto source = fullLog();
    std::ostringstream out;
    writeLogFile(out, source->log.store, source->log.setup);
    const std::string bytes = out.str();
    auto target = std::make_unique<AppData>();
    for (auto _ : state) {
        std::istringstream in(bytes);
        benchmark::DoNotOptimize(readLogFile(in, target->log.store, target->log.setup));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(readAFullLogFromMemory);

// A full log written to a file of its own under the system's temporary
// directory, removed at the end.
class FullLogFile {
public:
    FullLogFile()
        : path_(std::filesystem::temp_directory_path() /
                ("dravin_store_bench_" + std::to_string(::getpid()) + ".drav")) {
        auto source = fullLog();
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        writeLogFile(out, source->log.store, source->log.setup);
    }
    ~FullLogFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    std::string path() const { return path_.string(); }
    int64_t size() const { return static_cast<int64_t>(std::filesystem::file_size(path_)); }

private:
    std::filesystem::path path_;
};

// File > Open of a full log: read and checked, then the statistics.
void loadAFullLogFileWithStatistics(benchmark::State& state) {
    const FullLogFile file;
    auto data = std::make_unique<AppData>();
    for (auto _ : state) {
        if (loadDocumentFile(file.path(), *data) != LogReadResult::Ok) {
            state.SkipWithError("the log did not load");
        }
        benchmark::DoNotOptimize(data->log.store.avgValue);
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(loadAFullLogFileWithStatistics)->Unit(benchmark::kMillisecond);

// The baseline: the same bytes read into memory in one call, nothing checked.
void readTheSameBytesPlainly(benchmark::State& state) {
    const FullLogFile file;
    std::vector<char> bytes(static_cast<std::size_t>(file.size()));
    for (auto _ : state) {
        std::ifstream in(file.path(), std::ios::binary);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
            state.SkipWithError("the file was short");
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(readTheSameBytesPlainly)->Unit(benchmark::kMillisecond);

}  // namespace
