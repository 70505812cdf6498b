// The text export of a full store beside one write of the same bytes, both
// through the atomic writer into the same folder: the export's own cost is
// the difference.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>

#include "logdata/AtomicFile.h"
#include "record/AppData.h"
#include "views/TextExport.h"

namespace {

// A full store: 140000 records of four channels with values of every length.
std::unique_ptr<AppData> fullLog() {
    auto data = std::make_unique<AppData>();
    data->log.store.channelCount = 4;
    for (uint32_t i = 0; i < kLogCapacity; ++i) {
        std::copy_n("20100305142201", kTimestampLength, data->log.store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) {
            data->log.store.values[c][i] =
                static_cast<float>((i * (c + 3) * 7) % 20000) / 10.0f - 250.0f;
        }
    }
    data->log.store.recordCount = kLogCapacity;
    return data;
}

// A folder of its own under the system's temporary directory, removed at the end.
class BenchFolder {
public:
    BenchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("dravin_export_bench_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void textExportOfAFullStore(benchmark::State& state) {
    auto data = fullLog();
    BenchFolder folder;
    const std::string path = folder.file("export.txt");
    for (auto _ : state) {
        if (exportTextFile(path, data->log.store).error != 0)
            state.SkipWithError("the export failed");
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(textExportOfAFullStore)->Unit(benchmark::kMillisecond);

void theSameBytesWrittenAtOnce(benchmark::State& state) {
    auto data = fullLog();
    std::ostringstream formatted;
    writeTextExport(formatted, data->log.store);
    const std::string bytes = formatted.str();
    BenchFolder folder;
    const std::string path = folder.file("bytes.txt");
    for (auto _ : state) {
        const int error = writeFileAtomically(path, [&](std::ostream& out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return static_cast<bool>(out);
        });
        if (error != 0) state.SkipWithError("the write failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(theSameBytesWrittenAtOnce)->Unit(benchmark::kMillisecond);

}  // namespace
