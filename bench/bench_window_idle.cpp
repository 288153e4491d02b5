// The running window with a full record (32,767 graph rows), measured as a player's desktop
// runs it. Needs a display: bench/window_idle.sh runs it under Xvfb, at rest and beside a CPU
// load.
//
//   BM_Window        the window at rest on a port whose lines never move: the sampler's samples
//                    per second, the 99th-percentile and the longest gap between two samples,
//                    the process's share of one core and its resident memory
//   BM_ChartUpdate   how long the window's thread is held drawing the graph: its first draw,
//                    and the longest of the redraws after one more row (drawn on the spot)
//   BM_SaveHandover  how long the window's thread is held handing a save to the writer (the
//                    writer's thread then writes, flushes and renames)
//
//   bench_window_idle [--seconds=N] [benchmark options]   (30 s by default)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <QtCharts/QChartView>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "full_record.h"
#include "records/record_writer.h"
#include "window/dialogs.h"
#include "window/frm_tallix.h"

namespace {

using tallix::bench::Clock;
int seconds = 30;

// The idle port, and the dialogs and messages of a window that never asks.
class IdlePort : public tallix::bench::IdlePort,
                 public tallix::FileDialog,
                 public tallix::window::Messages {
 public:
  using tallix::bench::IdlePort::IdlePort;
  std::string showOpen(const std::string&) override { return {}; }
  std::string showSave(const std::string&) override { return {}; }
  void show(QWidget*, const QString&, const QString&) override {}
  tallix::SessionView::Answer ask(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return tallix::SessionView::Answer::none;
  }
};

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto s = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return s(usage.ru_utime) + s(usage.ru_stime);
}

double residentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

double msSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

std::filesystem::path benchDir() {
  return tallix::bench::fullRecordDir("tallix-bench-window");
}

void runFor(int ms) {
  QTimer::singleShot(ms, [] { QApplication::exit(); });
  QApplication::exec();
}

void BM_Window(benchmark::State& state) {
  const auto dir = benchDir();
  for (auto _ : state) {
    IdlePort port(static_cast<std::size_t>(seconds) * 2000);
    tallix::window::FrmTallix window(
        {{&port, nullptr, tallix::Places::in(dir.string())}, port, port});
    window.Form_Load();
    window.show();
    runFor(1000);  // the window settles

    port.noting = true;
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    runFor(seconds * 1000);
    const double wall = msSince(t0) / 1000;
    const double cpu = cpuSeconds() - cpu0;
    const double rss = residentMegabytes();
    window.close();  // the sampler has ended: its notes can be read

    const auto gaps = port.gaps(wall);
    state.counters["samples_per_s"] = gaps.samplesPerSecond;
    state.counters["p99_gap_ms"] = gaps.p99Ms;
    state.counters["max_gap_ms"] = gaps.maxMs;
    state.counters["cpu_pct"] = 100 * cpu / wall;
    state.counters["rss_MB"] = rss;
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Window)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_ChartUpdate(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "tallix-bench-chart";
  std::filesystem::create_directories(dir);
  for (auto _ : state) {
    IdlePort unused(0);
    tallix::window::FrmTallix window(
        {{nullptr, nullptr, tallix::Places::in(dir.string())}, unused, unused});
    window.show();
    QApplication::processEvents();
    auto* view = window.findChild<QChartView*>("MSChart1");
    constexpr std::int16_t kFrom = tallix::Chart::kMaxRows - 700;
    tallix::bench::fillGraph(window.counter(), kFrom);
    auto t0 = Clock::now();
    window.render();
    view->repaint();
    const double first = msSince(t0);
    double longest = 0;
    tallix::Chart& chart = window.counter().panel().chart();
    for (int rows = kFrom + 1; rows <= tallix::Chart::kMaxRows; ++rows) {
      chart.setRowCount(static_cast<std::int16_t>(rows));
      chart.setRow(static_cast<std::int16_t>(rows));
      chart.setValue(std::to_string(rows % 3000));
      t0 = Clock::now();
      window.render();
      view->repaint();
      longest = std::max(longest, msSince(t0));
    }
    state.counters["first_draw_ms"] = first;
    state.counters["longest_row_ms"] = longest;
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ChartUpdate)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveHandover(benchmark::State& state) {
  const auto dir = benchDir();
  tallix::Counter full;
  tallix::bench::fillGraph(full, tallix::Chart::kMaxRows);
  double longest = 0;
  for (auto _ : state) {
    tallix::RecordWriter writer;
    for (int i = 0; i < 50; ++i) {
      ++full.counters().in_count;
      const auto t0 = Clock::now();
      writer.save(tallix::RecordSnapshot(full), dir / "hist.log");
      longest = std::max(longest, msSince(t0));
      QApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    writer.finish();
  }
  state.counters["longest_ms"] = longest;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveHandover)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--seconds=", 10) == 0)
      seconds = std::max(1, std::atoi(argv[i] + 10));
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
