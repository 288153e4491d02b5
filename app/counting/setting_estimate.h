// The setting estimate: how likely each of its six settings is for the machine played, from
// every outcome a counter saw, exactly.
//
//   the machine's table (odds of each setting) + prior ─┐
//   the play's counts (payouts per game, game_payouts.h) ┴─► multinomial likelihood per setting,
//       in log space ─► posterior over the six settings ─► expected payout rate
//
// A counted game is a game with a coin bet. A replay's free game has none, so a counter sees its
// outcome as that of the counted game before it: the chance that a counted game ends in outcome
// X is the table's chance of X per game divided by (1 − the replay's chance). The outcomes told
// apart are BIG, REG, each small win of the table (by its coins) and the rest (every other
// payout, 0 included). A record kept without the payouts is estimated from its games, BIG, REG
// and the small wins it tallied; the rest then holds the other small wins too.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "game_payouts.h"

namespace tallix {

struct SmallWin {
  int coins;    // coins the win pays
  double odds;  // one game in `odds` outside a bonus; 0 never
};

// One setting of a machine as its published table gives it: one game outside a bonus in N
// (0: never).
struct SettingOdds {
  double big = 0;
  double reg = 0;
  double replay = 0;  // a replay: the next game is played without coins
  std::vector<SmallWin> wins;
  double payout = 0;  // the published payout rate in percent; 0 when not known
};

// What the estimate is made against: the machine's settings 1..6 and how likely each is before
// the play (weights, any scale).
struct SettingModel {
  std::array<SettingOdds, kSettingCount> settings;
  std::array<double, kSettingCount> prior{1, 1, 1, 1, 1, 1};
  // The machine's description as the player knows it (its file); "" for the built-in typical
  // machine.
  std::string machine;
};

struct SettingEstimate {
  std::array<double, kSettingCount> probability{};  // of settings 1..6; they add up to 1
  // The mean of the published payout rates under that posterior; none unless every setting
  // has one.
  std::optional<double> payoutRate;
  std::int64_t games = 0;    // the counted games it rests on
  bool fromPayouts = false;  // false: from the games, BIG, REG and small-win tallies alone
};

// From the payouts of every game. None when no setting of positive weight can give the counts
// (an outcome the table makes impossible for all of them).
std::optional<SettingEstimate> estimateSetting(const SettingModel& model,
                                               const PayoutCounts& counts);

// From `games` counted games outside bonuses, `big` and `reg` of them starting a bonus, and the
// tallies of small wins by their coins (wins the table does not know are left out). None as
// above, and for counts that do not fit in their games.
std::optional<SettingEstimate> estimateSetting(const SettingModel& model, std::int64_t games,
                                               std::int64_t big, std::int64_t reg,
                                               const std::map<int, std::int64_t>& smallWins);

// The probabilities as whole shares of `whole` that add up to it exactly: each is rounded down,
// and the shares left over go to the largest remainders. Texts made of them add up as the
// probabilities do.
std::array<std::int64_t, kSettingCount> shares(const std::array<double, kSettingCount>& probability,
                                               std::int64_t whole);

// The probabilities as the windows show them, in percent with one decimal ("72.4%"), adding up
// to 100.0%.
std::array<std::string, kSettingCount> percentTexts(
    const std::array<double, kSettingCount>& probability);

}  // namespace tallix
