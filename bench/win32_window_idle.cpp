// tallix.exe's window at rest with a full record (32,767 graph rows), measured as a player's PC
// runs it; bench/win32_window_idle.sh runs it under Wine on a virtual X display. A port whose
// lines never move stands in for the port library. It prints the sampler's samples per second,
// the 99th-percentile and the longest gap between two samples, the process's share of one core
// and its memory (the working set). Google Benchmark is not built for Windows here, so this is a
// program of its own.
//
//   bench_win32_window_idle [--seconds=N]   (30 s by default)
#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frm_tallix.h"
#include "port/port.h"
#include "records/record.h"

namespace {

using Clock = std::chrono::steady_clock;

// A port whose lines never move; it notes the time of every read while asked to.
class IdlePort : public tallix::Port {
 public:
  std::vector<Clock::time_point> reads;
  std::atomic<bool> noting{false};
  std::size_t noted = 0;  // sampling thread only

  std::int32_t start() override { return 0; }
  std::string lastError() override { return {}; }
  std::int32_t stop() override { return 0; }
  std::int16_t inpB(std::uint16_t) override {
    if (noting.load(std::memory_order_relaxed) && noted < reads.size())
      reads[noted++] = Clock::now();
    return tallix::signExtendByte(0xFF);
  }
  void outB(std::uint16_t, std::int16_t) override {}
};

double cpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto s = [](FILETIME t) {
    return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e7;
  };
  return s(kernel) + s(user);
}

double workingSetMegabytes() {
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  return static_cast<double>(memory.WorkingSetSize) / (1024 * 1024);
}

// The window's messages for `ms` milliseconds.
void runFor(UINT ms) {
  const UINT_PTR timer = SetTimer(nullptr, 0, ms, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  KillTimer(nullptr, timer);
}

// A folder with the settings of a port and a record whose graph holds every row it can, of a
// play that wanders up and down.
std::filesystem::path benchDir() {
  const auto dir = std::filesystem::temp_directory_path() / "tallix-bench-win32-window";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "tallix.ini") << "[setting]\naddr=&H378\nrate1=5\nrate2=5.6\nrate3=7.6\n";
  tallix::Counter full;
  tallix::Chart& chart = full.panel().chart();
  chart.setRowCount(tallix::Chart::kMaxRows);
  for (int row = 2; row <= tallix::Chart::kMaxRows; ++row) {
    chart.setRow(static_cast<std::int16_t>(row));
    chart.setValue(std::to_string((row * 37) % 2001 - 1000 + row / 10));
  }
  full.counters().start_total_count = tallix::Chart::kMaxRows * 25;
  std::filesystem::remove(dir / "hist.log");
  tallix::SaveRecord(full, dir / "hist.log");
  return dir;
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 30;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]).rfind("--seconds=", 0) == 0) seconds = std::atoi(argv[i] + 10);
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const auto dir = benchDir();
  IdlePort port;
  port.reads.resize(static_cast<std::size_t>(seconds) * 2000);
  {
    tallix::win32::FrmTallix window({&port, nullptr, tallix::Places::in(dir.string())});
    window.Form_Load();
    window.show();
    runFor(1000);  // the window settles

    port.noting = true;
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    runFor(static_cast<UINT>(seconds) * 1000);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    const double memory = workingSetMegabytes();
    window.Form_Unload();  // the sampler has ended: its notes can be read

    std::vector<double> gaps;
    for (std::size_t i = 1; i < port.noted; ++i) {
      gaps.push_back(
          std::chrono::duration<double, std::milli>(port.reads[i] - port.reads[i - 1]).count());
    }
    std::sort(gaps.begin(), gaps.end());
    std::printf("tallix.exe at rest with a full record, %d s\n", seconds);
    std::printf("  samples_per_s %.0f\n", static_cast<double>(port.noted) / wall);
    std::printf("  p99_gap_ms    %.2f\n", gaps.empty() ? 0 : gaps[gaps.size() * 99 / 100]);
    std::printf("  max_gap_ms    %.2f\n", gaps.empty() ? 0 : gaps.back());
    std::printf("  cpu_pct       %.1f\n", 100 * cpu / wall);
    std::printf("  memory_MB     %.1f\n", memory);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
