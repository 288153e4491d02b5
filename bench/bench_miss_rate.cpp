// How many relay pulses a counter misses, by pulse width and polling period. The simulated
// machine plays 2000 games whose coin pulses are all `width` ms long (no jitter; the gaps
// between them keep their 50 ms), and a counter polls it every `tick` ms; a pulse is seen only
// when some tick falls inside it. The counters miss_pct (coins missed, in percent) and coins
// form the table; the time column is the cost of the replay. A gap shorter than the tick is
// missed in the same way, and then two pulses count as one.
//
//   bench_miss_rate --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include "counting/counter.h"
#include "counting/tick_driver.h"
#include "simulation/machine.h"

namespace {

void BM_MissRate(benchmark::State& state) {
  tallix::MachineDescription d;
  d.pulseMs = static_cast<int>(state.range(0));
  d.jitterMs = 0;
  d.pin5 = tallix::Pin5Feature::none;
  const std::int64_t tickMs = state.range(1);
  double missed = 0;
  double coins = 0;
  for (auto _ : state) {
    tallix::Machine machine(d, 1, 1, 2000);
    tallix::Counter counter;
    counter.applySettings({});
    tallix::TickDriver driver(counter);
    for (std::int64_t now = 0; machine.nextEventTime(); now += tickMs) {
      machine.advanceTo(now);
      driver.tick({now, machine.byte()});
    }
    const tallix::GroundTruth& truth = machine.truth();
    coins = static_cast<double>(truth.coinsBet + truth.coinsPaid);
    missed = coins - counter.counters().in_count - counter.counters().out_count;
  }
  state.counters["miss_pct"] = 100 * missed / coins;
  state.counters["coins"] = coins;
}

BENCHMARK(BM_MissRate)
    ->ArgNames({"width", "tick"})
    ->ArgsProduct({benchmark::CreateDenseRange(1, 60, 1), {1, 2, 5, 10, 16}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
