// tallix.exe's window at rest with a full record (32,767 graph rows), measured as a player's PC
// runs it; bench/window_idle.sh --wine runs it under Wine on a virtual X display. A port whose
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
#include "full_record.h"
#include "records/record.h"

namespace {

using tallix::bench::Clock;

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

}  // namespace

int main(int argc, char** argv) {
  int seconds = 30;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]).rfind("--seconds=", 0) == 0) seconds = std::atoi(argv[i] + 10);
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const auto dir = tallix::bench::fullRecordDir("tallix-bench-win32-window");
  tallix::bench::IdlePort port(static_cast<std::size_t>(seconds) * 2000);
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

    const auto gaps = port.gaps(wall);
    std::printf("tallix.exe at rest with a full record, %d s\n", seconds);
    std::printf("  samples_per_s %.0f\n", gaps.samplesPerSecond);
    std::printf("  p99_gap_ms    %.2f\n", gaps.p99Ms);
    std::printf("  max_gap_ms    %.2f\n", gaps.maxMs);
    std::printf("  cpu_pct       %.1f\n", 100 * cpu / wall);
    std::printf("  memory_MB     %.1f\n", memory);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
