// Recording signal traces (counting/trace.h): the simulator writes the trace of its play, and
// the window can record one from any input source, so that a session can be replayed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "port/port.h"

namespace tallix {

// Writes one trace line per moment at which the byte changes, at offsetMs + the time given;
// the first byte given is always written.
class TraceRecorder {
 public:
  explicit TraceRecorder(std::ostream& out, std::int64_t offsetMs = 0)
      : out_(out), offsetMs_(offsetMs) {}
  // True when a line was written.
  bool record(std::int64_t ms, std::uint8_t byte);

 private:
  std::ostream& out_;
  std::int64_t offsetMs_;
  std::optional<std::uint8_t> last_;
};

// The time from which a session appended to a trace file starts: 0 for a file that does not
// exist or holds no line, else 2000 ms after its last line, so that the whole file stays one
// trace and the game guard of the session before has ended when the next one begins. Throws
// TraceError for a file that is not a trace and FileError for one that cannot be read.
std::int64_t appendedSessionStart(const std::filesystem::path& path);

// A port that reads through another one and records every change of the data register's byte
// with the time of the clock (milliseconds, never going back) into a trace, flushed at once so
// that a trace of a session that ends badly holds its last moments.
class RecordingPort : public Port {
 public:
  RecordingPort(Port& port, std::function<std::int64_t()> clock, std::ostream& trace,
                std::int64_t offsetMs = 0)
      : port_(port), clock_(std::move(clock)), out_(trace), recorder_(trace, offsetMs) {}

  std::int32_t start() override { return port_.start(); }
  std::string lastError() override { return port_.lastError(); }
  std::int32_t stop() override { return port_.stop(); }
  std::int16_t inpB(std::uint16_t port) override;
  void outB(std::uint16_t port, std::int16_t value) override { port_.outB(port, value); }

 private:
  Port& port_;
  std::function<std::int64_t()> clock_;
  std::ostream& out_;
  TraceRecorder recorder_;
};

}  // namespace tallix
