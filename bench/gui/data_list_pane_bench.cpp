// How long the Data List pane takes to open and to scroll for a full store
// (140000 records of four channels): the command's clear and fill, then the
// list drawn once. Run offscreen:
//     build/bench/data_list_pane_bench
// For comparison, one widget item per cell (what the list control of the
// original did) is timed for a tenth of the records.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <cstdio>
#include <cstring>
#include <memory>

#include "record/AppData.h"
#include "views/DataListRows.h"
#include "views/widgets/CDataListPane.h"

namespace {

std::unique_ptr<AppData> fullLog() {
    auto data = std::make_unique<AppData>();
    data->log.store.channelCount = 4;
    for (uint32_t i = 0; i < kLogCapacity; ++i) {
        std::memcpy(data->log.store.timestamps[i].data(), "20100305142201", kTimestampLength);
        for (int c = 0; c < kChannels; ++c) {
            data->log.store.values[c][i] = static_cast<float>((i * (c + 3)) % 1000) / 10.0f - 20.0f;
        }
    }
    data->log.store.recordCount = kLogCapacity;
    return data;
}

// The pane as the main frame shows it: 450 pixels wide.
std::unique_ptr<CDataListPane> shownPane() {
    auto pane = std::make_unique<CDataListPane>();
    pane->resize(450, 600);
    pane->show();
    QApplication::processEvents();
    return pane;
}

// The Data List command on a full store: clear, fill, and the list drawn.
void openTheDataListOfAFullStore(benchmark::State& state) {
    auto data = fullLog();
    auto pane = shownPane();
    for (auto _ : state) {
        pane->clearDataList();
        pane->fillDataList(data->log.store);
        pane->list()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * kLogCapacity);
}
BENCHMARK(openTheDataListOfAFullStore)->Unit(benchmark::kMillisecond);

// One page scrolled and drawn, anywhere in a full list.
void scrollTheDataListOfAFullStore(benchmark::State& state) {
    auto data = fullLog();
    auto pane = shownPane();
    pane->fillDataList(data->log.store);
    QScrollBar* bar = pane->list()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        step = (step + 7919) % (bar->maximum() + 1);
        bar->setValue(step);
        pane->list()->repaint();
    }
}
BENCHMARK(scrollTheDataListOfAFullStore)->Unit(benchmark::kMicrosecond);

// One widget item per cell, filled as the original filled its list control:
// a tenth of a full store.
void openWithOneItemPerCellForATenth(benchmark::State& state) {
    auto data = fullLog();
    const int rows = static_cast<int>(kLogCapacity / 10);
    DataListRows snapshot;
    snapshot.append(data->log.store);
    QTableWidget table(0, kDataListColumns);
    table.resize(450, 600);
    table.show();
    QApplication::processEvents();
    for (auto _ : state) {
        table.setRowCount(0);
        for (int row = 0; row < rows; ++row) {
            table.insertRow(row);
            for (int column = 0; column < kDataListColumns; ++column) {
                const std::string text = snapshot.cellText(static_cast<std::size_t>(row), column);
                table.setItem(row, column, new QTableWidgetItem(QString::fromStdString(text)));
            }
        }
        table.repaint();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(openWithOneItemPerCellForATenth)->Unit(benchmark::kMillisecond)->Iterations(1);

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
