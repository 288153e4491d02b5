#include "trace.h"

#include <cstdio>

namespace tallix {

void TraceWriter::record(std::int64_t ms, std::uint8_t byte) {
  if (last_ == byte) return;
  last_ = byte;
  char line[40];
  const int n = std::snprintf(line, sizeof line, "%lld 0x%02X\n", static_cast<long long>(ms), byte);
  out_.write(line, n);
}

std::int16_t RecordingPort::inpB(std::uint16_t port) {
  const std::int16_t value = port_.inpB(port);
  writer_.record(clock_(), static_cast<std::uint8_t>(value));
  return value;
}

}  // namespace tallix
