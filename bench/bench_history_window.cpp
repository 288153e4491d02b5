// How long the history window takes to open over many past plays: from the shortcut to the
// window shown with every play's summary listed, with 0, 500 and 2,000 past plays of 3,000
// games each. "first" opens it on plays that have no index of summaries yet (copied into the
// folder, or kept by an older version), which it then makes; "again" on the same plays with
// their index, as the plays that クリア and 読込み keep always are. Runs without a display (the
// offscreen platform).
//
//   bench_history_window [benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <string>

#include "records/record.h"
#include "window/dialogs.h"
#include "window/history_window.h"

namespace {

using Clock = std::chrono::steady_clock;

class NoMessages : public tallix::window::Messages {
 public:
  void show(QWidget*, const QString&, const QString&) override {}
  tallix::SessionView::Answer ask(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return tallix::SessionView::Answer::none;
  }
};

// A play of 3,000 games with a bonus every 150: its counters, bars, graph and bonus list.
tallix::Counter aPlay() {
  tallix::Counter counter;
  tallix::Counters& c = counter.counters();
  c.start_all_count = c.start_total_count = 3000;
  c.in_count = 9000;
  c.out_count = 8700;
  c.big_count = 12;
  c.reg_count = 8;
  tallix::Chart& chart = counter.panel().chart();
  for (int row = 2; row <= 121; ++row) {
    chart.setRowCount(static_cast<std::int16_t>(row));
    chart.setRow(static_cast<std::int16_t>(row));
    chart.setValue(std::to_string(row * 7 % 400 - 200));
  }
  std::vector<tallix::Bonus> bonuses;
  for (int i = 0; i < 20; ++i) {
    bonuses.push_back({i % 3 == 0 ? tallix::BonusKind::REG : tallix::BonusKind::BIG, 150 * i, 150,
                       i % 3 == 0 ? 100 : 330, 36000 + 600 * i, 36000 + 600 * i + 120});
  }
  counter.bonuses().replace(bonuses);
  return counter;
}

std::filesystem::path pastPlays(int count) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("tallix-bench-history-" + std::to_string(count));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  if (count == 0) return folder;
  const auto first = folder / "2026-01-01_000000.log";
  tallix::SaveRecord(aPlay(), first);
  for (int i = 1; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "2026-%02d-%02d_%06d.log", 1 + i / 28 % 12, 1 + i % 28, i);
    std::filesystem::copy_file(first, folder / name);
  }
  return folder;
}

double openMs(const tallix::Counter& current, const std::filesystem::path& folder) {
  NoMessages messages;
  const auto t0 = Clock::now();
  tallix::window::HistoryWindow window(nullptr, current, folder, messages);
  window.show();
  QApplication::processEvents();
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void BM_OpenHistory(benchmark::State& state) {
  const auto folder = pastPlays(static_cast<int>(state.range(0)));
  const tallix::Counter current = aPlay();
  double first = 0, again = 0;
  for (auto _ : state) {
    first = openMs(current, folder);
    again = openMs(current, folder);
  }
  state.counters["first_ms"] = first;
  state.counters["again_ms"] = again;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenHistory)
    ->Arg(0)
    ->Arg(500)
    ->Arg(2000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
