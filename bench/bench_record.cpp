// Saving and loading a record with a full graph (32767 chart rows): one parse and one atomic
// replace of the file, against the same keys written and read one at a time, each write a
// rewrite of the whole file and each read a parse of it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "counting/counter.h"
#include "ratio_reporter.h"
#include "records/record.h"

namespace {

const std::filesystem::path& recordPath() {
  static const auto path = std::filesystem::temp_directory_path() / "tallix-bench-record.log";
  return path;
}

// A long play: every counter set, ten history entries and a full graph.
const tallix::Counter& fullCounter() {
  static const tallix::Counter counter = [] {
    tallix::Counter c;
    c.counters() = tallix::Counters{819150, 780000, 2700, 2000, 760000, 819175, 57,   40, 712, 388,
                                    20000,  25,     266,  -3,   28,     0,      1200, 90, 10};
    tallix::Panel& p = c.panel();
    for (std::size_t i = 0; i < 10; ++i) p.setHistoryText(i, "■■■■■");
    tallix::Chart& chart = p.chart();
    chart.setRowCount(tallix::Chart::kMaxRows);
    for (int row = 2; row <= tallix::Chart::kMaxRows; ++row) {
      chart.setRow(static_cast<std::int16_t>(row));
      chart.setValue(std::to_string(-150 * (row % 300)));
    }
    return c;
  }();
  return counter;
}

void Save_Batch(benchmark::State& state) {
  std::filesystem::remove(recordPath());
  for (auto _ : state) tallix::SaveRecord(fullCounter(), recordPath());
}

void Save_OneByOne(benchmark::State& state) {
  std::filesystem::remove(recordPath());
  for (auto _ : state) {
    tallix::forEachRecordWrite(fullCounter(), {}, [](const tallix::ProfileWrite& w) {
      tallix::WriteProfile(w, recordPath());
    });
  }
}

void Load_Once(benchmark::State& state) {
  tallix::SaveRecord(fullCounter(), recordPath());
  for (auto _ : state) {
    tallix::Counter counter;
    tallix::LoadRecord(counter, recordPath());
  }
}

void Load_KeyByKey(benchmark::State& state) {
  tallix::SaveRecord(fullCounter(), recordPath());
  for (auto _ : state) {
    tallix::Counter counter;
    tallix::LoadRecord(counter, tallix::readRecord(recordPath(), [](std::string_view section,
                                                                    std::string_view key) {
                         return tallix::ReadProfile(section, key, recordPath());
                       }));
  }
}

BENCHMARK(Save_Batch)->Unit(benchmark::kMillisecond);
BENCHMARK(Save_OneByOne)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Load_Once)->Unit(benchmark::kMillisecond);
BENCHMARK(Load_KeyByKey)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return tallix::bench::runWithRatios(argc, argv);
}
