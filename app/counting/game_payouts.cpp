#include "game_payouts.h"

#include <limits>

namespace tallix {

namespace {

// Like the counters, the counts stop at the end of their range instead of wrapping.
void increment(std::int32_t& n) {
  if (n < std::numeric_limits<std::int32_t>::max()) ++n;
}

}  // namespace

std::int64_t PayoutCounts::total() const {
  std::int64_t n = std::int64_t{big} + reg;
  for (const auto& [coins, count] : games) n += count;
  return n;
}

void GamePayouts::gameStarted(std::int32_t outCount) {
  if (counts_ && playing_ && !startedBonus_) increment(counts_->games[outCount - *playing_]);
  playing_ = outCount;
  startedBonus_ = false;
}

void GamePayouts::bonusStarted(BonusKind kind) {
  // A bonus that starts inside another one, or before any game, has no game of its own.
  if (!counts_ || !playing_ || startedBonus_) return;
  increment(kind == BonusKind::BIG ? counts_->big : counts_->reg);
  startedBonus_ = true;
}

void GamePayouts::replace(std::optional<PayoutCounts> counts) {
  counts_ = std::move(counts);
  playing_.reset();
  startedBonus_ = false;
}

}  // namespace tallix
