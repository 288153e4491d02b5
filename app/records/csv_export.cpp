#include "csv_export.h"

namespace tallix {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string optionalNumber(const std::optional<std::int64_t>& n) {
  return n ? std::to_string(*n) : "";
}

}  // namespace

std::string bonusCsv(const std::vector<Bonus>& bonuses) {
  std::string csv = std::string("kind,game,run_up,coins,start,end") + kLineEnd;
  for (const Bonus& b : bonuses) csv += bonusFields(b) + kLineEnd;
  return csv;
}

std::string summaryCsv(const std::vector<SummaryRow>& rows) {
  std::string csv =
      std::string(
          "play,games,big,reg,games_per_big,games_per_reg,payout_rate,difference,longest_run_up") +
      kLineEnd;
  for (const auto& [play, s] : rows) {
    csv += play + ',' + std::to_string(s.games) + ',' + std::to_string(s.big) + ',' +
           std::to_string(s.reg) + ',' + optionalNumber(s.gamesPerBig) + ',' +
           optionalNumber(s.gamesPerReg) + ',' + s.payoutRate + ',' + std::to_string(s.difference) +
           ',' + std::to_string(s.longestRunUp) + kLineEnd;
  }
  return csv;
}

}  // namespace tallix
