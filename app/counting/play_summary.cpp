#include "play_summary.h"

#include <algorithm>

#include "figures.h"

namespace tallix {

PlaySummary summarize(const Counters& c, const std::vector<Bonus>& bonuses) {
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
  return s;
}

}  // namespace tallix
