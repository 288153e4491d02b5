// Every bonus of a play, as the counting engine sees it: the panel's history keeps the last
// ten as bars; this list keeps all of them with their run-up and their payout, for the history
// window, the record and tallix-replay --bonuses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

enum class BonusKind : std::uint8_t { BIG, REG };

struct Bonus {
  static constexpr std::int32_t kNoTime = -1;

  BonusKind kind = BonusKind::BIG;
  std::int32_t game = 0;    // start_all_count when it started
  std::int32_t run_up = 0;  // start_bonus_count when it started: the bar its history entry shows
  // Coin-out pulses minus coin-in pulses while its line was on; for a BIG its big_coin without
  // the coins credited at its start.
  std::int32_t coins = 0;
  std::int32_t start = kNoTime;  // second of the day it started, 0..86399
  std::int32_t end = kNoTime;    // second of the day it ended; kNoTime while it runs

  friend bool operator==(const Bonus&, const Bonus&) = default;
};

// The bonus as one line of comma-separated fields, as the record and the CSV export keep it:
// "BIG,123,123,312,19:30:12,19:34:40" (kind, game, run_up, coins, start, end; a time not known
// and the end of a running bonus are empty).
std::string bonusFields(const Bonus& bonus);
// The bonus of such a line, or nullopt when the line is not one.
std::optional<Bonus> parseBonusFields(std::string_view line);
// "19:30:12" for a second of the day; "" for kNoTime.
std::string timeOfDayText(std::int32_t second);

class BonusList {
 public:
  const std::vector<Bonus>& all() const { return list_; }
  // A number that changes with every change of the list, a running bonus's coins included.
  std::uint64_t revision() const { return revision_; }

  // The counting engine's calls: a bonus line's rising and falling edge, and a coin paid (+1)
  // or bet (-1), which belongs to every bonus whose line is on.
  void begin(BonusKind kind, std::int32_t game, std::int32_t runUp, std::int32_t second);
  void end(BonusKind kind, std::int32_t second);
  void addCoin(int delta) {
    for (const auto& open : open_) {
      if (open) addCoin(list_[*open], delta);
    }
  }

  // Clear and load: the list becomes `bonuses`, none of them running. A bonus whose line is
  // on at that moment goes on uncounted here, as the counters start afresh too.
  void replace(std::vector<Bonus> bonuses);

 private:
  void addCoin(Bonus& bonus, int delta);

  std::vector<Bonus> list_;
  std::optional<std::size_t> open_[2];  // the running BIG and REG, by their index
  std::uint64_t revision_ = 0;
};

}  // namespace tallix
