// Recording signal traces (counting/trace.h): the simulator writes the trace of its play, and
// the window can record one from any input source, so that a session can be replayed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "shell/port.h"

namespace tallix {

// Writes one trace line per moment at which the byte changes; the first byte given is always
// written.
class TraceRecorder {
 public:
  explicit TraceRecorder(std::ostream& out) : out_(out) {}
  void record(std::int64_t ms, std::uint8_t byte);

 private:
  std::ostream& out_;
  std::optional<std::uint8_t> last_;
};

// A port that reads through another one and records every change of the data register's
// byte, with the time of the clock (milliseconds, never going back).
class RecordingPort : public Port {
 public:
  RecordingPort(Port& port, std::function<std::int64_t()> clock, std::ostream& trace)
      : port_(port), clock_(std::move(clock)), recorder_(trace) {}

  std::int32_t start() override { return port_.start(); }
  std::string lastError() override { return port_.lastError(); }
  std::int32_t stop() override { return port_.stop(); }
  std::int16_t inpB(std::uint16_t port) override;
  void outB(std::uint16_t port, std::int16_t value) override { port_.outB(port, value); }

 private:
  Port& port_;
  std::function<std::int64_t()> clock_;
  TraceRecorder recorder_;
};

}  // namespace tallix
