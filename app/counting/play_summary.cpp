#include "play_summary.h"

#include <algorithm>

#include "figures.h"

namespace tallix {

PlaySummary summarize(const Counters& c, const std::vector<Bonus>& bonuses,
                      const std::optional<PayoutCounts>& payouts) {
  PlaySummary s;
  s.games = c.start_all_count;
  s.big = c.big_count;
  s.reg = c.reg_count;
  if (c.big_count > 0) s.gamesPerBig = gamesPerBonus(c.start_all_count, c.big_count);
  if (c.reg_count > 0) s.gamesPerReg = gamesPerBonus(c.start_all_count, c.reg_count);
  s.payoutRate = payoutRateText(c.out_count, c.in_count);
  s.difference = std::int64_t{c.out_count} - c.in_count;
  s.longestRunUp = c.start_bonus_count;
  for (const Bonus& b : bonuses) s.longestRunUp = std::max(s.longestRunUp, b.run_up);
  s.smallWins = {c.koyaku1t, c.koyaku2t, c.koyaku3t};
  s.payouts = payouts;
  return s;
}

std::optional<SettingEstimate> estimateSetting(const SettingModel& model, const PlaySummary& play,
                                               const std::array<std::int16_t, 3>& koyaku) {
  if (play.payouts) return estimateSetting(model, *play.payouts);
  std::map<int, std::int64_t> smallWins;
  for (std::size_t i = 0; i < koyaku.size(); ++i) {
    if (koyaku[i] > 0) smallWins[koyaku[i]] = play.smallWins[i];  // a win kept twice counts once
  }
  return estimateSetting(model, play.games, play.big, play.reg, smallWins);
}

}  // namespace tallix
