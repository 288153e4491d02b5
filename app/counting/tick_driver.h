// Drives a counter from port values at given times, as the window's two timers do: before the
// polling tick at time t, the game-guard tick runs when its 2000 ms have passed. Used by
// tallix-replay and by tests, so both see exactly what the window would.
#pragma once

#include <cstdint>
#include <vector>

#include "counter.h"
#include "port/trace.h"

namespace tallix {

class TickDriver {
 public:
  static constexpr std::int64_t kTimer2Ms = 2000;

  explicit TickDriver(Counter& counter) : counter_(counter) {}

  // One polling tick at timeMs (never earlier than the last) with the value InpB returned.
  void tick(std::int64_t timeMs, std::int16_t inpB) {
    if (counter_.timer2Enabled() && timeMs >= timer2Start_ + kTimer2Ms) counter_.Timer2_Timer();
    const bool wasEnabled = counter_.timer2Enabled();
    counter_.Timer1_Timer(inpB);
    if (!wasEnabled && counter_.timer2Enabled()) timer2Start_ = timeMs;
  }

 private:
  Counter& counter_;
  std::int64_t timer2Start_ = 0;
};

// Replays a trace: ticks at the first line's time and every tickMs after it, up to and
// including the last line's time, each with the byte in force at that time.
void replayTrace(Counter& counter, const std::vector<TraceLine>& trace, std::int64_t tickMs);

}  // namespace tallix
