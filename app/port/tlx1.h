// TLX1, the line protocol of the serial bridge: ASCII lines ending in "\n" at 115200 baud 8N1.
//   board to PC:  "#TLX1 <n>"      hello: the board has n inputs
//                 "S <ms> <hex>"   the inputs' state (at start, every 1000 ms, and on "?")
//                 "E <ms> <hex>"   the inputs changed
//   PC to board:  "?"              asks for the state
// <ms> is the board's millisecond clock, decimal, 32 bits, wrapping; <hex> is 2 or 4 hex
// digits, bit k set while input k reads high. Other lines are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

struct Tlx1Line {
  enum class Kind { hello, state, change };
  Kind kind;
  std::uint32_t ms = 0;      // state and change
  std::uint32_t levels = 0;  // state and change; the number of inputs for hello
};

// One line without its line end ("\r" before it is allowed); nullopt for any other line.
std::optional<Tlx1Line> parseTlx1Line(std::string_view line);

// Splits the bytes as they arrive into lines. A line longer than any TLX1 line is dropped.
class Tlx1Splitter {
 public:
  // Appends bytes; then next() gives the complete lines one by one.
  void feed(std::string_view bytes) { buffer_.append(bytes); }
  std::optional<std::string> next();
  void clear() { buffer_.clear(); }

 private:
  std::string buffer_;
};

// The board's wrapping 32-bit clock as ms of the session: the first time seen after a reset
// is taken as now, and every later one moves on from there by the step of the board's clock
// (a step of more than 2^31 ms is taken as going back).
class BoardClock {
 public:
  std::int64_t at(std::uint32_t boardMs, std::int64_t nowMs);
  void reset() { began_ = false; }

 private:
  bool began_ = false;
  std::uint32_t lastBoard_ = 0;
  std::int64_t last_ = 0;
};

}  // namespace tallix
