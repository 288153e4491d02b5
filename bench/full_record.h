// What the benchmarks of both windows and of the live view share: a play whose graph is full,
// saved with the settings of a port in a folder of its own, and a port whose lines never move
// that notes the time of each read, with the gaps between the reads it noted.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "counting/counter.h"
#include "port/port.h"
#include "port/port_byte.h"
#include "records/record.h"

namespace tallix::bench {

using Clock = std::chrono::steady_clock;

// A counter whose graph holds `rows` rows of a play that wanders up and down.
inline void fillGraph(Counter& counter, std::int16_t rows) {
  Chart& chart = counter.panel().chart();
  chart.setRowCount(rows);
  for (int row = 2; row <= rows; ++row) {
    chart.setRow(static_cast<std::int16_t>(row));
    chart.setValue(std::to_string((row * 37) % 2001 - 1000 + row / 10));
  }
  counter.counters().start_total_count = rows * Chart::kGamesPerRow;
}

// The folder `name` in the temporary folder, with the settings of a port and a hist.log whose
// graph holds every row it can.
inline std::filesystem::path fullRecordDir(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "tallix.ini") << "[setting]\naddr=&H378\nrate1=5\nrate2=5.6\nrate3=7.6\n";
  Counter full;
  fillGraph(full, Chart::kMaxRows);
  std::filesystem::remove(dir / "hist.log");
  SaveRecord(full, dir / "hist.log");
  return dir;
}

// A port whose lines never move; it notes the time of every read while asked to, up to
// `capacity` reads.
class IdlePort : public Port {
 public:
  explicit IdlePort(std::size_t capacity) : reads_(capacity) {}

  std::atomic<bool> noting{false};

  std::int32_t start() override { return 0; }
  std::string lastError() override { return {}; }
  std::int32_t stop() override { return 0; }
  std::int16_t inpB(std::uint16_t) override {
    if (noting.load(std::memory_order_relaxed) && noted_ < reads_.size())
      reads_[noted_++] = Clock::now();
    return signExtendByte(0xFF);
  }
  void outB(std::uint16_t, std::int16_t) override {}

  // The sampler's reads over `wallSeconds` of noting, read once the sampler has ended.
  struct Gaps {
    double samplesPerSecond;
    double p99Ms;
    double maxMs;
  };
  Gaps gaps(double wallSeconds) const {
    std::vector<double> ms;
    for (std::size_t i = 1; i < noted_; ++i) {
      ms.push_back(std::chrono::duration<double, std::milli>(reads_[i] - reads_[i - 1]).count());
    }
    std::sort(ms.begin(), ms.end());
    return {static_cast<double>(noted_) / wallSeconds, ms.empty() ? 0 : ms[ms.size() * 99 / 100],
            ms.empty() ? 0 : ms.back()};
  }

 private:
  std::vector<Clock::time_point> reads_;
  std::size_t noted_ = 0;  // sampling thread only
};

}  // namespace tallix::bench
