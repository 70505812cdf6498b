#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "base/AppData.h"
#include "logdata/LogFile.h"

namespace {

// A full store: 140000 records of four slowly varying channels.
std::unique_ptr<AppData> fullLog() {
    auto data = std::make_unique<AppData>();
    data->store.channelCount = 4;
    for (uint32_t i = 0; i < kLogCapacity; ++i) {
        std::copy_n("20100305142201", kTimestampLength, data->store.timestamps[i].begin());
        for (int c = 0; c < kChannels; ++c) {
            data->store.values[c][i] = static_cast<float>((i * (c + 3)) % 1000) / 10.0f - 20.0f;
        }
    }
    data->store.recordCount = kLogCapacity;
    return data;
}

void computeStatisticsOfAFullStore(benchmark::State& state) {
    auto data = fullLog();
    for (auto _ : state) {
        data->store.computeStatistics();
        benchmark::DoNotOptimize(data->store.avgValue);
    }
    state.SetItemsProcessed(state.iterations() * kLogCapacity);
}
BENCHMARK(computeStatisticsOfAFullStore);

void readAFullLogFromMemory(benchmark::State& state) {
    auto source = fullLog();
    std::ostringstream out;
    writeLogFile(out, source->store, source->setup);
    const std::string bytes = out.str();
    auto target = std::make_unique<AppData>();
    for (auto _ : state) {
        std::istringstream in(bytes);
        benchmark::DoNotOptimize(readLogFile(in, target->store, target->setup));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(readAFullLogFromMemory);

}  // namespace
