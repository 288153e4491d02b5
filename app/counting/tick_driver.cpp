#include "tick_driver.h"

namespace tallix {

void replayTrace(Counter& counter, const std::vector<Change>& trace, std::int64_t tickMs,
                 std::int64_t timeOfDayAtZero) {
  if (trace.empty()) return;
  TickDriver driver(counter);
  driver.setTimeOfDayAtZero(timeOfDayAtZero);
  std::size_t next = 0;  // the first line not yet in force
  std::int16_t value = 0;
  for (std::int64_t t = trace.front().ms; t <= trace.back().ms; t += tickMs) {
    while (next < trace.size() && trace[next].ms <= t) value = signExtendByte(trace[next++].byte);
    driver.tick(t, value);
  }
}

}  // namespace tallix
