// How long a redraw of the chart takes: a full store (140000 records of four
// noisy channels) at 1920 x 1080, the curves drawn one span per pixel column
// and, for comparison, one line per pair of records; and a realtime sample
// at 86400 records (the record appended, the statistics redone, the chart
// drawn). Run offscreen:
//     build/bench/chart_redraw_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <memory>

#include "record/AppData.h"
#include "tests/support/SyntheticLog.h"
#include "views/widgets/ChartPainter.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr uint32_t kRealtimeRecords = 86400;

std::unique_ptr<AppData> chartData(uint32_t records) {
    auto data = std::make_unique<AppData>();
    std::strcpy(data->log.setup.name, "Cellar");
    std::memcpy(data->log.setup.serialNo, "A123456789", sizeof data->log.setup.serialNo);
    for (int& visible : data->display.channelVisible) visible = 1;
    fillSyntheticLog(data->log.store, records, kChannels, 3.0f);
    return data;
}

void redraw(QImage& image, const AppData& data, CurveDrawing curves) {
    QPainter painter(&image);
    benchmark::DoNotOptimize(paintChart(painter, image.rect(), data, {.curves = curves}));
}

void redrawAFullLog(benchmark::State& state, CurveDrawing curves) {
    const auto data = chartData(kLogCapacity);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) redraw(image, *data, curves);
    state.SetItemsProcessed(state.iterations() * kLogCapacity * kChannels);
}

void redrawAFullLogByPixelColumns(benchmark::State& state) {
    redrawAFullLog(state, CurveDrawing::PerColumn);
}
BENCHMARK(redrawAFullLogByPixelColumns)->Unit(benchmark::kMillisecond);

void redrawAFullLogSegmentBySegment(benchmark::State& state) {
    redrawAFullLog(state, CurveDrawing::EverySegment);
}
BENCHMARK(redrawAFullLogSegmentBySegment)->Unit(benchmark::kMillisecond);

// One realtime sample: the log is held at 86400 records, the newest one
// written again each time and folded into the statistics of the others.
void realtimeSampleAt86400Records(benchmark::State& state) {
    const auto data = chartData(kRealtimeRecords - 1);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        data->log.store.recordCount = kRealtimeRecords - 1;
        data->log.store.computeStatistics();
        state.ResumeTiming();
        appendSyntheticSample(data->log.store, 3.0f);
        redraw(image, *data, CurveDrawing::PerColumn);
    }
}
BENCHMARK(realtimeSampleAt86400Records)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
