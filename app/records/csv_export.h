// The CSV files a player exports for a spreadsheet: every bonus of a play, and the summaries of
// plays. Comma-separated, a header row, lines ending in CRLF, text in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "counting/bonuses.h"
#include "counting/play_summary.h"

namespace tallix {

// "kind,game,run_up,coins,start,end" and a row per bonus, oldest first.
std::string bonusCsv(const std::vector<Bonus>& bonuses);

struct SummaryRow {
  std::string play;  // which play: its date, or "current"
  PlaySummary summary;
};

// "play,games,big,reg,games_per_big,games_per_reg,payout_rate,difference,longest_run_up" and a
// row per play. A probability is written as its games per bonus (246 for 1/246, which a
// spreadsheet would take for a date), empty before the first bonus of its kind.
std::string summaryCsv(const std::vector<SummaryRow>& rows);

}  // namespace tallix
