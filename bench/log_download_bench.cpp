// The decoding of a full Auto download from memory: every package of a
// 140000-record log checked and its records decoded into the store, as the
// download does with the packages it receives; beside a plain copy of the
// same bytes in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "link/LogRecordCodec.h"
#include "link/Protocol.h"
#include "record/AppData.h"

namespace {

constexpr int kRecordsPerPackage = 100;
constexpr char kSerialNo[] = "1234567890";

void putLe(std::vector<uint8_t>& out, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Record i: one second apart from 2024-05-06 00:00:00, values in tenths.
void putRecord(std::vector<uint8_t>& out, uint32_t i) {
    const uint32_t packed = (24u << 26) | (5u << 22) | ((6 + i / 86400) << 17) |
                            ((i / 3600 % 24) << 12) | ((i / 60 % 60) << 6) | (i % 60);
    putLe(out, packed, 4);
    putLe(out, i % 2000, 4);
    for (uint32_t c = 2; c <= 4; ++c) putLe(out, (i * c) % 900, 2);
}

// One package framed as the logger sends it: lead, serial number, code,
// payload, check byte over serial number to payload, trailer.
void putPackage(std::vector<uint8_t>& out, uint16_t total, uint16_t number, uint32_t first,
                int count) {
    const size_t start = out.size();
    out.insert(out.end(), std::begin(kFrameLead), std::end(kFrameLead));
    out.insert(out.end(), kSerialNo, kSerialNo + kFrameSerialLength);
    out.push_back(REPLY_AUTO_LOGS);
    out.push_back(0x00);
    putLe(out, total, 2);
    putLe(out, number, 2);
    out.push_back(static_cast<uint8_t>(count));
    for (int r = 0; r < count; ++r) putRecord(out, first + static_cast<uint32_t>(r));
    uint8_t check = 0;
    for (size_t i = start + kFrameCheckedFirst; i < out.size(); ++i) check ^= out[i];
    out.push_back(check);
    out.insert(out.end(), std::begin(kFrameTrailer), std::end(kFrameTrailer));
}

// Every package of a full log, back to back.
std::vector<uint8_t> fullDownload() {
    constexpr int total = (kLogCapacity + kRecordsPerPackage - 1) / kRecordsPerPackage;
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(total) *
                  (kPackageOverhead + kRecordsPerPackage * kAutoRecordSize));
    for (int p = 0; p < total; ++p) {
        const uint32_t first = static_cast<uint32_t>(p) * kRecordsPerPackage;
        const int count =
            static_cast<int>(std::min<uint32_t>(kRecordsPerPackage, kLogCapacity - first));
        putPackage(bytes, total, static_cast<uint16_t>(p + 1), first, count);
    }
    return bytes;
}

// Walks the packages and decodes their records into the store; false when
// a package did not check out.
bool decodeDownload(std::span<const uint8_t> bytes, LogStore& store) {
    store.clear();
    float values[kChannels];
    size_t at = 0;
    while (at < bytes.size()) {
        const LogPackage package =
            decodeLogPackage(bytes.subspan(at), REPLY_AUTO_LOGS, kAutoRecordSize);
        if (package.status != LogPackage::Whole) return false;
        for (int i = 0; i < package.count && store.recordCount < kLogCapacity; ++i) {
            const uint32_t r = store.recordCount;
            decodeLogRecord(
                package.records.subspan(static_cast<size_t>(i) * kAutoRecordSize, kAutoRecordSize),
                store.timestamps[r], values);
            for (int c = 0; c < kChannels; ++c) store.values[c][r] = values[c];
            ++store.recordCount;
        }
        at += package.used;
    }
    return store.recordCount == kLogCapacity;
}

void decodeAFullDownload(benchmark::State& state) {
    const std::vector<uint8_t> bytes = fullDownload();
    auto data = std::make_unique<AppData>();
    for (auto _ : state) {
        if (!decodeDownload(bytes, data->log.store))
            state.SkipWithError("the download did not decode");
        benchmark::DoNotOptimize(data->log.store.recordCount);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(decodeAFullDownload)->Unit(benchmark::kMillisecond);

// The baseline: the same bytes copied once.
void copyTheSameBytes(benchmark::State& state) {
    const std::vector<uint8_t> bytes = fullDownload();
    std::vector<uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(copyTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
