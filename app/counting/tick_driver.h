// The one driver of the counter's two timers, in the samples' own time: the polling tick
// (Timer1) with the byte the port reads, and before it the end of the 2000 ms game guard
// (Timer2) once those 2000 ms have passed. The program counts the changes its sampler hands
// on through it, tallix-replay and the tests their traces, so every one of them counts alike.
//
// A tick that reads the same byte as the tick before it changes nothing but the end of the
// guard, which the next tick that reads a new byte sees just as well (the guard is only looked
// at when a coin goes in). So ticking only at the changes counts exactly what ticking every
// millisecond counts.
#pragma once

#include <cstdint>
#include <vector>

#include "counter.h"
#include "port/port_byte.h"

namespace tallix {

class TickDriver {
 public:
  static constexpr std::int64_t kTimer2Ms = 2000;

  explicit TickDriver(Counter& counter) : counter_(counter) {}

  // The time of day (ms since midnight) at the samples' time 0; 0 unless told.
  void setTimeOfDayAtZero(std::int64_t ms) { timeOfDayAtZero_ = ms; }

  // One polling tick at timeMs (never earlier than the last) with the value InpB returned.
  void tick(std::int64_t timeMs, std::int16_t inpB) {
    if (counter_.timer2Enabled() && timeMs >= timer2Start_ + kTimer2Ms) counter_.Timer2_Timer();
    const bool wasEnabled = counter_.timer2Enabled();
    counter_.setTimeOfDay(timeOfDayAtZero_ + timeMs);
    counter_.Timer1_Timer(inpB);
    if (!wasEnabled && counter_.timer2Enabled()) timer2Start_ = timeMs;
  }
  // The tick at the moment of a change, with the byte from then on.
  void tick(const Change& change) { tick(change.ms, signExtendByte(change.byte)); }

 private:
  Counter& counter_;
  std::int64_t timer2Start_ = 0;
  std::int64_t timeOfDayAtZero_ = 0;
};

// Replays a trace: ticks at the first line's time and every tickMs after it, up to and
// including the last line's time, each with the byte in force at that time. The trace's time 0
// is the time of day timeOfDayAtZero (ms since midnight).
void replayTrace(Counter& counter, const std::vector<Change>& trace, std::int64_t tickMs,
                 std::int64_t timeOfDayAtZero = 0);

}  // namespace tallix
