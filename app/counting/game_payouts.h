// Every payout of a play, game by game: how many counted games outside bonuses paid each number
// of coins, which the setting estimate rests on.
//
// A counter measures a game's payout from the first coin bet of the game to the first coin of
// the next game outside a bonus. So the payout of a replay's free game, which has no coin bet
// and which no counter sees as a game, falls into the game before it. A game after which a
// bonus starts is counted as that bonus instead: its payout would hold the whole bonus. The
// game in play is counted when the next one starts.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "bonuses.h"

namespace tallix {

struct PayoutCounts {
  std::int32_t big = 0;  // games that started a BIG
  std::int32_t reg = 0;  // games that started a REG
  // Games by the coins they paid (0 included).
  std::map<std::int32_t, std::int32_t> games;

  // The games counted: the BIG and REG games and those of every payout.
  std::int64_t total() const;
  friend bool operator==(const PayoutCounts&, const PayoutCounts&) = default;
};

class GamePayouts {
 public:
  // None for a play whose record was kept without them: counting them from the middle of a
  // play would leave its earlier games out. A clear starts afresh.
  const std::optional<PayoutCounts>& counts() const { return counts_; }

  // The counting engine's calls: a counted game outside a bonus starts, with out_count at that
  // moment; a BIG or REG is counted.
  void gameStarted(std::int32_t outCount);
  void bonusStarted(BonusKind kind);

  // Clear and load: the counts become `counts`; the game in play is not counted.
  void replace(std::optional<PayoutCounts> counts);

 private:
  std::optional<PayoutCounts> counts_{PayoutCounts{}};
  std::optional<std::int32_t> playing_;  // out_count at the start of the game in play
  bool startedBonus_ = false;            // the game in play started a bonus: counted as it
};

}  // namespace tallix
