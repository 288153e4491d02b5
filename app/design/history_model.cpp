#include "history_model.h"

#include <algorithm>
#include <stdexcept>

#include "base/files.h"
#include "base/numbers.h"
#include "design/design.h"
#include "records/csv_export.h"

namespace tallix::design {

namespace {

// A summary's cells after the play's name: games, BIG, REG, their probabilities, payout rate,
// difference and longest run-up.
std::vector<Said> summaryCells(const PlaySummary& s) {
  const auto probability = [](const std::optional<std::int64_t>& n) {
    return Said("1/" + (n ? std::to_string(*n) : std::string("-")));
  };
  return {std::to_string(s.games),      std::to_string(s.big),         std::to_string(s.reg),
          probability(s.gamesPerBig),   probability(s.gamesPerReg),    s.payoutRate,
          std::to_string(s.difference), std::to_string(s.longestRunUp)};
}

}  // namespace

std::vector<Said> playColumns() {
  return {Say::tr("Play"),
          "Total",
          "BIG",
          "REG",
          Say::tr("BIG odds"),
          Say::tr("REG odds"),
          Say::tr("Payout"),
          Say::tr("Difference"),
          Say::tr("Max run-up"),
          Say::tr("Likeliest setting")};
}

std::vector<Said> bonusColumns() {
  return {"No.",
          Say::tr("Kind"),
          "Total",
          Say::tr("Run-up"),
          Say::tr("Coins"),
          Say::tr("Start"),
          Say::tr("End")};
}

Said likeliestSetting(const std::optional<SettingEstimate>& estimate) {
  if (!estimate) return "-";
  const auto& p = estimate->probability;
  const auto best = static_cast<std::size_t>(std::max_element(p.begin(), p.end()) - p.begin());
  return std::to_string(best + 1) + " (" + percentTexts(p)[best] + ")";
}

Said estimateLine(const std::optional<SettingEstimate>& estimate) {
  if (!estimate) return {};
  const auto percents = percentTexts(estimate->probability);
  std::string settings;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    settings += (s > 0 ? "   " : "") + std::to_string(s + 1) + ": " + percents[s];
  }
  const std::string games = std::to_string(estimate->games);
  if (!estimate->payoutRate)
    return Say::tr("Setting estimate:   %1   (%2 games)", {settings, games});
  return Say::tr("Setting estimate:   %1   Expected payout rate: %2%   (%3 games)",
                 {settings, formatFixed2(*estimate->payoutRate), games});
}

HistoryModel::HistoryModel(const Counter& counter, std::filesystem::path pastPlays)
    : counter_(counter), pastPlays_(std::move(pastPlays)) {}

Said HistoryModel::refresh() {
  past_.clear();
  drawn_.reset();
  Said why;
  try {
    past_ = listPastPlays(pastPlays_);
  } catch (const FileError& e) {
    why = saidOf(e);
  }
  picked_ = std::min(picked_, past_.size());
  return why;
}

TableRow HistoryModel::playRow(std::size_t row) const {
  const std::optional<PlaySummary> summary = summaryOf(row);
  TableRow shown{{row == 0 ? Say::tr("Current play") : Said(past_[row - 1].date)},
                 row == 0  ? kLightYellow
                 : summary ? kWhite
                           : kOrange};
  if (!summary) {
    shown.cells.push_back(Say::tr("Unreadable"));
    shown.cells.resize(playColumns().size());
    return shown;
  }
  for (Said& cell : summaryCells(*summary)) shown.cells.push_back(std::move(cell));
  shown.cells.push_back(likeliestSetting(estimateOf(*summary)));
  return shown;
}

bool HistoryModel::pick(std::size_t row) {
  picked_ = std::min(row, past_.size());
  const std::pair drawn{picked_, picked_ == 0 ? counter_.bonuses().revision() : 0};
  if (drawn_ == drawn) return false;
  const bool anotherPlay = !drawn_ || drawn_->first != picked_;
  drawn_ = drawn;
  if (!anotherPlay) return true;
  pickedBonuses_.clear();
  problem_ = {};
  if (picked_ == 0) return true;
  try {
    pickedBonuses_ = readPlay(past_[picked_ - 1].path).bonuses;
  } catch (const std::runtime_error& e) {  // RecordError or FileError
    problem_ = saidOf(e);
  }
  return true;
}

const std::vector<Bonus>& HistoryModel::bonuses() const {
  return picked_ == 0 ? counter_.bonuses().all() : pickedBonuses_;
}

std::vector<TableRow> HistoryModel::bonusRows() const {
  std::vector<TableRow> rows;
  const std::vector<Bonus>& all = bonuses();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Bonus& b = all[i];
    const bool big = b.kind == BonusKind::BIG;
    rows.push_back({{std::to_string(i + 1), big ? "BIG" : "REG", std::to_string(b.game),
                     std::to_string(b.run_up), std::to_string(b.coins), timeOfDayText(b.start),
                     timeOfDayText(b.end)},
                    big ? kBigColour : kRegColour});
  }
  return rows;
}

Said HistoryModel::estimateLine() const {
  const std::optional<PlaySummary> summary = summaryOf(picked_);
  return summary ? design::estimateLine(estimateOf(*summary)) : Said();
}

CsvFile HistoryModel::bonusCsv() const {
  std::string name = "current";
  if (picked_ > 0) {
    name = past_[picked_ - 1].date;
    std::erase(name, ':');
    std::replace(name.begin(), name.end(), ' ', '_');
  }
  return {offered("bonuses_" + name + ".csv"), tallix::bonusCsv(bonuses())};
}

CsvFile HistoryModel::summaryCsv() const {
  std::vector<SummaryRow> rows{{"current", counter_.summary()}};
  for (const PastPlay& play : past_) {
    if (play.summary) rows.push_back({play.date, *play.summary});
  }
  return {offered("summaries.csv"), tallix::summaryCsv(rows)};
}

std::optional<SettingEstimate> HistoryModel::estimateOf(const PlaySummary& play) const {
  const std::optional<SettingModel>& model = counter_.settingModel();
  if (!model) return std::nullopt;
  return estimateSetting(*model, play, counter_.settings().koyaku);
}

std::optional<PlaySummary> HistoryModel::summaryOf(std::size_t row) const {
  return row == 0 ? counter_.summary() : past_.at(row - 1).summary;
}

std::filesystem::path HistoryModel::offered(const std::string& name) const {
  return pastPlays_.parent_path() / pathOf(name);
}

}  // namespace tallix::design
