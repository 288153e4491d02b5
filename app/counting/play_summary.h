// The summary of a play that the history window shows and exports, for the current play and
// for every past play alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bonuses.h"
#include "counters.h"
#include "game_payouts.h"
#include "setting_estimate.h"

namespace tallix {

struct PlaySummary {
  std::int32_t games = 0;  // start_all_count: games outside bonuses
  std::int32_t big = 0;
  std::int32_t reg = 0;
  std::optional<std::int64_t> gamesPerBig;  // the "1/N" of the BIG probability; none before one
  std::optional<std::int64_t> gamesPerReg;
  std::string payoutRate;       // "101.52%", as the panel shows it
  std::int64_t difference = 0;  // out_count − in_count
  // The longest run-up of the play: of its bonuses, and the run-up still going on.
  std::int32_t longestRunUp = 0;
  // What the estimate of its setting rests on: the tallies of small wins 1..3, and every payout
  // per game where the play has them.
  std::array<std::int32_t, 3> smallWins{};
  std::optional<PayoutCounts> payouts;
  friend bool operator==(const PlaySummary&, const PlaySummary&) = default;
};

PlaySummary summarize(const Counters& counters, const std::vector<Bonus>& bonuses,
                      const std::optional<PayoutCounts>& payouts);

// The estimate of a play's setting against a machine: from every payout per game where the play
// has them, else from its games, BIG, REG and the tallies of the small wins whose coins `koyaku`
// gives (the settings' koyaku1..3). None when no setting can give what was counted.
std::optional<SettingEstimate> estimateSetting(const SettingModel& model, const PlaySummary& play,
                                               const std::array<std::int16_t, 3>& koyaku);

}  // namespace tallix
