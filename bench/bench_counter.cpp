// The 1 ms polling tick: what a tick costs when no line changes (nearly every tick of a play)
// and when a coin edge runs the statistics refresh.
#include <benchmark/benchmark.h>

#include "counting/counter.h"
#include "port/port.h"

namespace {

tallix::Counter playingCounter() {
  tallix::Settings s;
  s.rate = {5, 6, 7.6};
  s.koyaku = {8, 10, 15};
  s.koyakuG = {30, 0, 20};
  s.data5pinEnabled = true;
  tallix::Counter counter;
  counter.applySettings(s);
  return counter;
}

void BM_TickWithoutEdge(benchmark::State& state) {
  tallix::Counter counter = playingCounter();
  const std::int16_t idle = tallix::signExtendByte(0xFF);
  for (auto _ : state) {
    counter.Timer1_Timer(idle);
    benchmark::ClobberMemory();
  }
}

void BM_TickWithCoinEdges(benchmark::State& state) {
  tallix::Counter counter = playingCounter();
  const std::int16_t on = tallix::signExtendByte(0xFD);  // coin out
  const std::int16_t off = tallix::signExtendByte(0xFF);
  for (auto _ : state) {
    counter.Timer1_Timer(on);
    counter.Timer1_Timer(off);
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_TickWithoutEdge);
BENCHMARK(BM_TickWithCoinEdges);

}  // namespace

BENCHMARK_MAIN();
