// Signal traces: text lines "TIME BYTE", from TIME (milliseconds) on the port's data register
// reads BYTE. This is the input of tallix-replay; the simulator writes one, and the window can
// record one from any input source.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "shell/port.h"

namespace tallix {

// Writes a trace with one line per moment at which the byte changes, "1234 0xFE"; the first
// byte given is always written.
class TraceWriter {
 public:
  explicit TraceWriter(std::ostream& out) : out_(out) {}
  void record(std::int64_t ms, std::uint8_t byte);

 private:
  std::ostream& out_;
  std::optional<std::uint8_t> last_;
};

// A port that reads through another one and writes every change of the data register byte
// into a trace, with the time of the clock.
class RecordingPort : public Port {
 public:
  RecordingPort(Port& port, std::function<std::int64_t()> clock, std::ostream& trace)
      : port_(port), clock_(std::move(clock)), writer_(trace) {}

  std::int32_t start() override { return port_.start(); }
  std::string lastError() override { return port_.lastError(); }
  std::int32_t stop() override { return port_.stop(); }
  std::int16_t inpB(std::uint16_t port) override;
  void outB(std::uint16_t port, std::int16_t value) override { port_.outB(port, value); }

 private:
  Port& port_;
  std::function<std::int64_t()> clock_;
  TraceWriter writer_;
};

}  // namespace tallix
