#include "tlx1.h"

#include <limits>

#include "base/numbers.h"

namespace tallix {

namespace {

constexpr std::size_t kLongestLine = 64;

// A field of a line: a whole 32-bit number of that base, or nullopt.
std::optional<std::uint32_t> field(std::string_view text, int base) {
  return wholeNumber<std::uint32_t>(text, 0, std::numeric_limits<std::uint32_t>::max(), base);
}

}  // namespace

std::optional<Tlx1Line> parseTlx1Line(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.substr(0, 6) == "#TLX1 ") {
    const auto n = field(line.substr(6), 10);
    if (!n) return {};
    return Tlx1Line{Tlx1Line::Kind::hello, 0, *n};
  }
  if (line.size() < 4 || (line[0] != 'S' && line[0] != 'E') || line[1] != ' ') return {};
  const std::string_view rest = line.substr(2);
  const std::size_t space = rest.find(' ');
  if (space == std::string_view::npos) return {};
  const std::string_view hex = rest.substr(space + 1);
  const auto ms = field(rest.substr(0, space), 10);
  const auto levels = (hex.size() == 2 || hex.size() == 4) ? field(hex, 16) : std::nullopt;
  if (!ms || !levels) return {};
  return Tlx1Line{line[0] == 'S' ? Tlx1Line::Kind::state : Tlx1Line::Kind::change, *ms, *levels};
}

std::optional<std::string> Tlx1Splitter::next() {
  for (;;) {
    const std::size_t end = buffer_.find('\n');
    if (end == std::string::npos) {
      if (buffer_.size() > kLongestLine) buffer_.clear();  // no line end in sight: not TLX1
      return {};
    }
    std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    if (line.size() <= kLongestLine) return line;
  }
}

std::int64_t BoardClock::at(std::uint32_t boardMs, std::int64_t nowMs) {
  if (!began_) {
    began_ = true;
    last_ = nowMs;
  } else {
    last_ += static_cast<std::int32_t>(boardMs - lastBoard_);
  }
  lastBoard_ = boardMs;
  return last_;
}

}  // namespace tallix
