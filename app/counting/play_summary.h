// The summary of a play that the history window shows and exports, for the current play and
// for every past play alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bonuses.h"
#include "counters.h"

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
  friend bool operator==(const PlaySummary&, const PlaySummary&) = default;
};

PlaySummary summarize(const Counters& counters, const std::vector<Bonus>& bonuses);

}  // namespace tallix
