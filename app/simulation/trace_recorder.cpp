#include "trace_recorder.h"

#include "counting/trace.h"

namespace tallix {

void TraceRecorder::record(std::int64_t ms, std::uint8_t byte) {
  if (last_ == byte) return;
  last_ = byte;
  writeTraceLine(out_, {ms, byte});
}

std::int16_t RecordingPort::inpB(std::uint16_t port) {
  const std::int16_t value = port_.inpB(port);
  recorder_.record(clock_(), static_cast<std::uint8_t>(value));
  return value;
}

}  // namespace tallix
