// A console reporter that ends the run with the ratio of each pair of benchmarks named
// "X_OneByOne" and "X_Batch" (or "X_KeyByKey" and "X_Once"), measured side by side.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tallix::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      std::string name = run.benchmark_name();
      name = name.substr(0, name.find('/'));
      seconds_[name] = run.GetAdjustedRealTime() * timeUnitSeconds(run.time_unit);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const std::pair<const char*, const char*> pairs[] = {{"_OneByOne", "_Batch"},
                                                         {"_KeyByKey", "_Once"}};
    for (const auto& [slowSuffix, fastSuffix] : pairs) {
      for (const auto& [name, slow] : seconds_) {
        const auto at = name.rfind(slowSuffix);
        if (at == std::string::npos || at + std::string(slowSuffix).size() != name.size()) continue;
        const std::string base = name.substr(0, at);
        const auto fast = seconds_.find(base + fastSuffix);
        if (fast == seconds_.end()) continue;
        std::printf("%s: %s %.3f s, %s %.6f s, ratio %.0f\n", base.c_str(), slowSuffix + 1, slow,
                    fastSuffix + 1, fast->second, slow / fast->second);
      }
    }
  }

 private:
  static double timeUnitSeconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond:
        return 1e-9;
      case benchmark::kMicrosecond:
        return 1e-6;
      case benchmark::kMillisecond:
        return 1e-3;
      default:
        return 1;
    }
  }
  std::map<std::string, double> seconds_;
};

// main() of a benchmark program that reports ratios.
inline int runWithRatios(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace tallix::bench
