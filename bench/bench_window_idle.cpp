// The running window at rest: Timer1 polls a port on which no line moves, the repaint timer
// looks at the panel, the event loop runs as in a play. Measures the ticks per second reached,
// the 99th-percentile gap between two ticks, the process's share of one core and its resident
// memory. Needs a display: bench/window_idle.sh runs it under Xvfb.
//
//   bench_window_idle [--seconds=N] [benchmark options]   (30 s by default)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "port/port.h"
#include "window/dialogs.h"
#include "window/frm_tallix.h"

namespace {

using Clock = std::chrono::steady_clock;
int seconds = 30;

// A port whose lines never move; it notes the time of every read.
class IdlePort : public tallix::Port, public tallix::FileDialog, public tallix::window::Messages {
 public:
  std::vector<Clock::time_point> reads;
  std::int32_t start() override { return 0; }
  std::string lastError() override { return {}; }
  std::int32_t stop() override { return 0; }
  std::int16_t inpB(std::uint16_t) override {
    reads.push_back(Clock::now());
    return tallix::signExtendByte(0xFF);
  }
  void outB(std::uint16_t, std::int16_t) override {}
  std::string showOpen(const std::string&) override { return {}; }
  std::string showSave(const std::string&) override { return {}; }
  void show(QWidget*, const QString&, const QString&) override {}
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

void BM_IdlePolling(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "tallix-bench-window";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "tallix.ini") << "[setting]\naddr=&H378\nrate1=5\nrate2=5.6\nrate3=7.6\n";
  std::filesystem::remove(dir / "hist.log");

  for (auto _ : state) {
    IdlePort port;
    port.reads.reserve(static_cast<std::size_t>(seconds) * 2000);
    tallix::window::FrmTallix window({port, port, port, dir.string() + "/"});
    window.Form_Load();
    window.show();
    // Let the window settle before measuring.
    QTimer::singleShot(1000, [] { QApplication::exit(); });
    QApplication::exec();
    port.reads.clear();

    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    QTimer::singleShot(seconds * 1000, [] { QApplication::exit(); });
    QApplication::exec();
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;

    std::vector<double> gaps;
    for (std::size_t i = 1; i < port.reads.size(); ++i) {
      gaps.push_back(
          std::chrono::duration<double, std::milli>(port.reads[i] - port.reads[i - 1]).count());
    }
    std::sort(gaps.begin(), gaps.end());
    state.counters["ticks_per_s"] = static_cast<double>(port.reads.size()) / wall;
    state.counters["p99_gap_ms"] = gaps.empty() ? 0 : gaps[gaps.size() * 99 / 100];
    state.counters["max_gap_ms"] = gaps.empty() ? 0 : gaps.back();
    state.counters["cpu_pct"] = 100 * cpu / wall;
    state.counters["rss_MB"] = residentMegabytes();
    window.close();
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_IdlePolling)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

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
