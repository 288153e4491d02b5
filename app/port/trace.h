// Signal traces: what the port's data register read over time, as text lines "TIME BYTE":
// from TIME (ms, non-negative, never going back) on, the register reads BYTE (0..255, decimal
// or 0x hex). Blank lines and text after "#" are ignored. tallix-replay reads them; tallix-sim
// writes the trace of its play, and the program records the changes it counts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/say.h"
#include "port_byte.h"

namespace tallix {

// A line that breaks the format; the message is "NAME:LINE: what is wrong".
class TraceError : public SaidError {
 public:
  using SaidError::SaidError;
};

// Reads a whole trace; `name` is used in error messages. Throws TraceError.
std::vector<Change> readTrace(std::istream& in, const std::string& name);

// Writes one line per moment at which the byte changes, at offsetMs + the time given; the
// first byte given is always written.
class TraceRecorder {
 public:
  explicit TraceRecorder(std::ostream& out, std::int64_t offsetMs = 0)
      : out_(out), offsetMs_(offsetMs) {}
  // True when a line was written.
  bool record(const Change& change);
  // A comment line, for what the trace must say besides the bytes.
  void comment(const std::string& text);
  void flush() { out_.flush(); }

 private:
  std::ostream& out_;
  std::int64_t offsetMs_;
  std::optional<std::uint8_t> last_;
};

// The time from which a session appended to a trace file starts: 0 for a file that does not
// exist or holds no line, else gapMs after its last line, so that the whole file stays one
// trace and whatever the session before left running has ended when the next one begins.
// Throws TraceError for a file that is not a trace and FileError for one that cannot be read.
std::int64_t appendedSessionStart(const std::filesystem::path& path, std::int64_t gapMs);

}  // namespace tallix
