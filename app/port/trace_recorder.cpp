#include "trace_recorder.h"

#include <sstream>

#include "base/files.h"
#include "counting/tick_driver.h"
#include "port/trace.h"

namespace tallix {

bool TraceRecorder::record(std::int64_t ms, std::uint8_t byte) {
  if (last_ == byte) return false;
  last_ = byte;
  writeTraceLine(out_, {offsetMs_ + ms, byte});
  return true;
}

std::int64_t appendedSessionStart(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) return 0;
  std::istringstream in(*bytes);
  const std::vector<TraceLine> lines = readTrace(in, path.string());
  return lines.empty() ? 0 : lines.back().timeMs + TickDriver::kTimer2Ms;
}

std::int16_t RecordingPort::inpB(std::uint16_t port) {
  const std::int16_t value = port_.inpB(port);
  if (recorder_.record(clock_(), static_cast<std::uint8_t>(value))) out_.flush();
  return value;
}

}  // namespace tallix
