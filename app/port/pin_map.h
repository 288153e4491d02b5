// From the raw inputs of a source to the port byte that the counting reads: the pin map, the
// polarity and the debounce of [input]. Raw levels have bit k set while input k reads high.
// Without [input] the port's byte is taken as it is.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "input_settings.h"
#include "source.h"

namespace tallix {

class PinMap {
 public:
  explicit PinMap(const InputSettings& input);
  // The port byte for these raw levels: bit 7 high, each line's bit low while the line is on;
  // without a pin map (asRead), the low 8 levels themselves.
  std::uint8_t byte(std::uint32_t levels) const;
  // The inputs that carry a line, as a mask.
  std::uint32_t inputs() const;
  // The lines (kLineKeys order) that input k carries, as a mask of line indexes.
  unsigned linesOf(int input) const;
  // Their keys, "coin_in, coin_out", or "" for an input that carries no line.
  std::string lineNames(int input) const;
  // How many inputs are worth showing: the 8 bits of a port byte taken as read; else 16, or
  // all 32 when the map gives a line to one beyond 15.
  int shownInputs() const;

 private:
  std::array<std::uint32_t, 5> masks_{};  // the inputs of each line
  bool activeLow_;
  bool asRead_;
};

// Debounces the raw levels of one source and hands on the port byte of each moment its
// debounced levels change. An input's new level counts once it has held debounceMs; a bounce
// back within that time is as if it never happened. Times handed on never go back.
class InputMapper {
 public:
  explicit InputMapper(const InputSettings& input) : map_(input), debounceMs_(input.debounceMs) {}

  // The raw levels read from `ms` on.
  void level(std::int64_t ms, std::uint32_t raw, ChangeSink& out);
  // The source's clock has reached `ms`: levels that have held long enough by then count.
  void advance(std::int64_t ms, ChangeSink& out);

 private:
  void handOn(std::int64_t ms, ChangeSink& out);

  PinMap map_;
  std::int64_t debounceMs_;
  std::optional<std::uint32_t> counted_;  // the levels counted so far
  std::uint32_t latest_ = 0;              // the levels last read
  std::array<std::int64_t, 32> since_{};  // when each input took its latest level
  std::int64_t last_ = std::numeric_limits<std::int64_t>::min();
};

}  // namespace tallix
