// What the live view costs the window's thread: the figures it compares every tenth of a second,
// and the coin graph it writes out when the graph changed (a point every 25 games; at most
// 32767 points).
#include <benchmark/benchmark.h>

#include <QJsonDocument>

#include "counting/counter.h"
#include "serve/figures_json.h"

namespace {

void BM_Figures(benchmark::State& state) {
  const tallix::Counter counter;
  for (auto _ : state) benchmark::DoNotOptimize(tallix::figuresJson(counter));
}

void BM_GraphMessage(benchmark::State& state) {
  tallix::Chart chart;
  chart.setRowCount(static_cast<std::int16_t>(state.range(0)));
  for (int row = 1; row <= chart.rowCount(); ++row) {
    chart.setRow(static_cast<std::int16_t>(row));
    chart.setValue(std::to_string(row % 2000 - 1000));
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        QJsonDocument(tallix::graphJson(chart)).toJson(QJsonDocument::Compact));
  }
}

}  // namespace

BENCHMARK(BM_Figures);
BENCHMARK(BM_GraphMessage)->Arg(320)->Arg(tallix::Chart::kMaxRows)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
