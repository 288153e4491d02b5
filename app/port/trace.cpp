#include "trace.h"

#include <optional>
#include <sstream>

#include "base/files.h"
#include "base/numbers.h"

namespace tallix {

namespace {

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The byte field: 0..255, decimal or 0x hex.
std::optional<std::uint8_t> byteField(std::string_view field) {
  int base = 10;
  if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
    field.remove_prefix(2);
    base = 16;
  }
  return wholeNumber<std::uint8_t>(field, 0, 255, base);
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
    const std::string_view timeText = line.substr(0, gap);
    const std::string_view byteText = trimmed(line.substr(gap));
    const auto time = wholeNumber<std::int64_t>(timeText, 0);
    if (byteText.find_first_of(" \t") != std::string_view::npos || !time) {
      fail("expected TIME BYTE, got \"" + text + "\"");
    }
    const auto byte = byteField(byteText);
    if (!byte) fail("byte \"" + std::string(byteText) + "\" is not a number from 0 to 255");
    if (!lines.empty() && *time < lines.back().ms) {
      fail("time " + std::to_string(*time) + " goes back from " + std::to_string(lines.back().ms));
    }
    lines.push_back({*time, *byte});
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
