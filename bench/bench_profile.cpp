// Writing a record-sized profile file: the batch (one parse, one atomic replace) against the
// same 32,795 writes one by one (each one a read, parse and atomic replace of the file), as
// a save of a record with 32767 graph rows does them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/profile.h"
#include "ratio_reporter.h"

namespace {

struct Write {
  std::string section, key, value;
};

// 19 counters, 10 history entries and 32766 graph rows.
const std::vector<Write>& recordWrites() {
  static const std::vector<Write> writes = [] {
    std::vector<Write> w;
    for (int i = 0; i < 19; ++i) w.push_back({"data", "counter" + std::to_string(i), "123456"});
    for (int i = 0; i < 10; ++i) w.push_back({"data", "r" + std::to_string(i), "1■■■■■"});
    for (int row = 2; row <= 32767; ++row) {
      w.push_back({"graph", "g" + std::to_string(row), std::to_string(-150 * row)});
    }
    return w;
  }();
  return writes;
}

std::filesystem::path benchFile() {
  return std::filesystem::temp_directory_path() / "tallix-bench-profile.log";
}

void Write_Batch(benchmark::State& state) {
  const auto path = benchFile();
  for (auto _ : state) {
    tallix::ProfileFile file = tallix::ProfileFile::load(path);
    for (const Write& w : recordWrites()) file.write(w.section, w.key, w.value);
    file.save(path);
  }
  state.counters["writes"] = static_cast<double>(recordWrites().size());
  std::filesystem::remove(path);
}

void Write_OneByOne(benchmark::State& state) {
  const auto path = benchFile();
  for (auto _ : state) {
    for (const Write& w : recordWrites()) tallix::WriteProfile(w.section, w.key, w.value, path);
  }
  state.counters["writes"] = static_cast<double>(recordWrites().size());
  std::filesystem::remove(path);
}

BENCHMARK(Write_Batch)->Unit(benchmark::kMillisecond);
BENCHMARK(Write_OneByOne)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return tallix::bench::runWithRatios(argc, argv);
}
