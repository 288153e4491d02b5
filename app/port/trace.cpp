#include "trace.h"

#include <charconv>
#include <sstream>

#include "base/files.h"

namespace tallix {

namespace {

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A whole field as an unsigned number, decimal or (when allowed) 0x hex; false otherwise.
bool parseField(std::string_view field, std::uint64_t& value, bool allowHex) {
  int base = 10;
  if (allowHex && field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
    field.remove_prefix(2);
    base = 16;
  }
  if (field.empty() || field[0] == '+' || field[0] == '-') return false;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value, base);
  return ec == std::errc() && end == field.data() + field.size();
}

}  // namespace

std::vector<Change> readTrace(std::istream& in, const std::string& name) {
  std::vector<Change> lines;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    auto fail = [&](const std::string& what) {
      throw TraceError(name + ":" + std::to_string(number) + ": " + what);
    };
    std::string_view line = text;
    line = trimmed(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    const auto gap = line.find_first_of(" \t");
    if (gap == std::string_view::npos) fail("expected TIME BYTE, got \"" + text + "\"");
    const std::string_view timeField = line.substr(0, gap);
    const std::string_view byteField = trimmed(line.substr(gap));
    std::uint64_t time = 0;
    std::uint64_t byte = 0;
    if (byteField.find_first_of(" \t") != std::string_view::npos ||
        !parseField(timeField, time, false) || time > INT64_MAX) {
      fail("expected TIME BYTE, got \"" + text + "\"");
    }
    if (!parseField(byteField, byte, true) || byte > 255) {
      fail("byte \"" + std::string(byteField) + "\" is not a number from 0 to 255");
    }
    const auto timeMs = static_cast<std::int64_t>(time);
    if (!lines.empty() && timeMs < lines.back().ms) {
      fail("time " + std::to_string(timeMs) + " goes back from " + std::to_string(lines.back().ms));
    }
    lines.push_back({timeMs, static_cast<std::uint8_t>(byte)});
  }
  return lines;
}

bool TraceRecorder::record(const Change& change) {
  if (last_ == change.byte) return false;
  last_ = change.byte;
  out_ << offsetMs_ + change.ms << ' ' << static_cast<unsigned>(change.byte) << '\n';
  return true;
}

void TraceRecorder::comment(const std::string& text) {
  out_ << "# " << text << '\n';
}

std::int64_t appendedSessionStart(const std::filesystem::path& path, std::int64_t gapMs) {
  const std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) return 0;
  std::istringstream in(*bytes);
  const std::vector<Change> lines = readTrace(in, path.string());
  return lines.empty() ? 0 : lines.back().ms + gapMs;
}

}  // namespace tallix
