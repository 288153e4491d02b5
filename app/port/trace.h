// Signal traces: what the port's data register read over time, as text lines "TIME BYTE":
// from TIME (ms, non-negative, never going back) on, the register reads BYTE (0..255, decimal
// or 0x hex). Blank lines and text after "#" are ignored. tallix-replay reads them; the
// simulated machine and the window's trace recording write them.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallix {

struct TraceLine {
  std::int64_t timeMs;
  std::uint8_t byte;
};

// A line that breaks the format; the message is "NAME:LINE: what is wrong".
class TraceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a whole trace; `name` is used in error messages. Throws TraceError.
std::vector<TraceLine> readTrace(std::istream& in, const std::string& name);

void writeTraceLine(std::ostream& out, const TraceLine& line);

}  // namespace tallix
