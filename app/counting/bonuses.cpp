#include "bonuses.h"

#include <limits>

#include "base/numbers.h"

namespace tallix {

namespace {

constexpr std::int32_t kSecondsPerDay = 86400;

std::string_view kindName(BonusKind kind) {
  return kind == BonusKind::BIG ? "BIG" : "REG";
}

// "HH:MM:SS" within a day, or "" for kNoTime; nullopt for anything else.
std::optional<std::int32_t> timeOfDay(std::string_view text) {
  if (text.empty()) return Bonus::kNoTime;
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  const auto h = wholeNumber<std::int32_t>(text.substr(0, 2), 0, 23);
  const auto m = wholeNumber<std::int32_t>(text.substr(3, 2), 0, 59);
  const auto s = wholeNumber<std::int32_t>(text.substr(6, 2), 0, 59);
  if (!h || !m || !s) return std::nullopt;
  return (*h * 60 + *m) * 60 + *s;
}

}  // namespace

std::string timeOfDayText(std::int32_t second) {
  if (second < 0 || second >= kSecondsPerDay) return "";
  char text[9];
  const auto two = [&text](int at, std::int32_t n) {
    text[at] = static_cast<char>('0' + n / 10);
    text[at + 1] = static_cast<char>('0' + n % 10);
  };
  two(0, second / 3600);
  text[2] = ':';
  two(3, second / 60 % 60);
  text[5] = ':';
  two(6, second % 60);
  return std::string(text, 8);
}

std::string bonusFields(const Bonus& b) {
  return std::string(kindName(b.kind)) + ',' + std::to_string(b.game) + ',' +
         std::to_string(b.run_up) + ',' + std::to_string(b.coins) + ',' + timeOfDayText(b.start) +
         ',' + timeOfDayText(b.end);
}

std::optional<Bonus> parseBonusFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t from = 0;;) {
    const std::size_t comma = line.find(',', from);
    fields.push_back(line.substr(from, comma - from));
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
  if (fields.size() != 6 || (fields[0] != "BIG" && fields[0] != "REG")) return std::nullopt;
  const auto game = wholeNumber<std::int32_t>(fields[1]);
  const auto runUp = wholeNumber<std::int32_t>(fields[2]);
  const auto coins = wholeNumber<std::int32_t>(fields[3]);
  const auto start = timeOfDay(fields[4]);
  const auto end = timeOfDay(fields[5]);
  if (!game || !runUp || !coins || !start || !end) return std::nullopt;
  return Bonus{
      fields[0] == "BIG" ? BonusKind::BIG : BonusKind::REG, *game, *runUp, *coins, *start, *end};
}

void BonusList::begin(BonusKind kind, std::int32_t game, std::int32_t runUp, std::int32_t second) {
  open_[static_cast<int>(kind)] = list_.size();
  list_.push_back({kind, game, runUp, 0, second, Bonus::kNoTime});
  ++revision_;
}

void BonusList::end(BonusKind kind, std::int32_t second) {
  auto& open = open_[static_cast<int>(kind)];
  if (!open) return;
  list_[*open].end = second;
  open.reset();
  ++revision_;
}

void BonusList::addCoin(Bonus& bonus, int delta) {
  // Like the counters, the coins stop at the ends of their range instead of wrapping.
  const std::int64_t coins = std::int64_t{bonus.coins} + delta;
  if (coins < std::numeric_limits<std::int32_t>::min() ||
      coins > std::numeric_limits<std::int32_t>::max()) {
    return;
  }
  bonus.coins = static_cast<std::int32_t>(coins);
  ++revision_;
}

void BonusList::replace(std::vector<Bonus> bonuses) {
  list_ = std::move(bonuses);
  open_[0].reset();
  open_[1].reset();
  ++revision_;
}

}  // namespace tallix
