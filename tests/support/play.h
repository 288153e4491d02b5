// Plays a counter through port bytes at 1 ms ticks, as a machine wired to the port would.
#pragma once

#include <cstdint>

#include "counting/counter.h"
#include "counting/tick_driver.h"
#include "port/port.h"

namespace tallix::testing {

// Bits of the port byte; a line that is on reads 0 (active low).
inline constexpr std::uint8_t kCoinIn = kCoinInBit, kCoinOut = kCoinOutBit, kReg = kRegBit,
                              kBig = kBigBit, kPin5 = kPin5Bit;

class Play {
 public:
  explicit Play(const Settings& settings = {}) { counter.applySettings(settings); }

  // The time of day (ms since midnight) of the play's first tick.
  void startAt(std::int64_t timeOfDayMs) { driver_.setTimeOfDayAtZero(timeOfDayMs); }

  // The lines held on from now on (a bonus line), under every later tick.
  void holdLines(std::uint8_t lines) { held_ = lines; }
  // One tick with these lines on besides the held ones.
  void tick(std::uint8_t lines = 0) { tickByte(static_cast<std::uint8_t>(~(lines | held_))); }
  void tickByte(std::uint8_t byte) { driver_.tick(now_++, signExtendByte(byte)); }
  void idle(int ms) {
    for (int i = 0; i < ms; ++i) tick();
  }
  // A pulse of one tick on and one tick off.
  void pulse(std::uint8_t lines, int count = 1) {
    for (int i = 0; i < count; ++i) {
      tick(lines);
      tick();
    }
  }
  // A game as a machine plays it: the game guard has run out, coins are bet, coins are paid.
  void game(int coinsIn = 3, int coinsOut = 0) {
    idle(2000);
    pulse(kCoinIn, coinsIn);
    pulse(kCoinOut, coinsOut);
  }

  const Counters& c() const { return counter.counters(); }
  const Panel& panel() const { return counter.panel(); }
  const std::string& text(TextId id) const { return panel().text(id).text; }

  Counter counter;

 private:
  TickDriver driver_{counter};
  std::int64_t now_ = 0;
  std::uint8_t held_ = 0;
};

// The digits of a group as a string, element 0 first ("000050").
inline std::string digits(const Panel& panel, GroupId id) {
  std::string s;
  const DigitGroup& g = panel.group(id);
  for (std::size_t k = 0; k < g.size; ++k) s += static_cast<char>('0' + g.digits[k]);
  return s;
}

}  // namespace tallix::testing
