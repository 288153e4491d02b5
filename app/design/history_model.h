// The history window as every view draws it: the plays' table (the current play, then the past
// plays newest first, each with its summary and the likeliest setting of the machine), the play
// picked with its bonuses (the bonus table and the chart's bars), the estimate of its setting and
// why it could not be read, and the CSV files it exports. The model reads the past plays and a
// picked play's record and never writes one; a view draws the rows and writes a CSV file where
// the player says.
//
//   refresh() -> playRow(0 .. rowCount() - 1)
//   a play picked, or the view's timer -> pick(row): true when bonusRows() and bonuses() are to
//   be drawn again -> estimateLine(), problem(), playRow(0) as the current play stands now
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/say.h"
#include "counting/counter.h"
#include "counting/panel.h"
#include "counting/play_summary.h"
#include "records/past_plays.h"

namespace tallix::design {

// A row of a table as drawn: a text for every column, all in one colour.
struct TableRow {
  std::vector<Said> cells;
  Rgb colour;
};

// The headings of the plays' table and of the bonus table.
std::vector<Said> playColumns();
std::vector<Said> bonusColumns();

// "6 (48.9%)": the likeliest setting and its probability; "-" without an estimate.
Said likeliestSetting(const std::optional<SettingEstimate>& estimate);
// Every setting's probability, the expected payout rate where the machine has one and the games
// the estimate rests on, in a line; "" without an estimate.
Said estimateLine(const std::optional<SettingEstimate>& estimate);

// A CSV file for the player to save: the path offered and what it holds.
struct CsvFile {
  std::filesystem::path suggested;
  std::string contents;
};

class HistoryModel {
 public:
  // `pastPlays` is the folder of the past plays; the CSV files are offered in the folder above
  // it, the one of the play's record.
  HistoryModel(const Counter& counter, std::filesystem::path pastPlays);

  // Lists the past plays afresh; "" when they are listed, else why the folder cannot be (and
  // none is listed). The row picked stays picked where it still is, else the last row is, and
  // its bonuses are read and drawn again at the next pick().
  Said refresh();
  std::size_t rowCount() const { return past_.size() + 1; }
  // A row of the plays' table: 0 the current play as it stands now, 1 the newest past play and
  // so on. A past play that cannot be read shows its date and "Unreadable", its other cells
  // empty: every row has a text for every column, so none keeps a text of the row before.
  TableRow playRow(std::size_t row) const;

  // Picks a row (one past the last picks the last). A past play's bonuses are read from its
  // file when it is picked; a file that cannot be read leaves it none, and problem() says why.
  // True when the bonuses are to be drawn again: another play than the one drawn, or the
  // current play's bonuses changed since they were drawn.
  bool pick(std::size_t row);
  std::size_t picked() const { return picked_; }

  // The bonuses of the play picked, oldest first: the chart's bars.
  const std::vector<Bonus>& bonuses() const;
  // The bonus table of the play picked, a row per bonus in its kind's colour.
  std::vector<TableRow> bonusRows() const;
  // Why the past play picked cannot be read; "" when it can.
  const Said& problem() const { return problem_; }
  // The setting estimate of the play picked, the current one as it stands now.
  Said estimateLine() const;

  // The bonuses of the play picked: bonuses_current.csv, or bonuses_2026-12-07_193012.csv after
  // a past play's date.
  CsvFile bonusCsv() const;
  // summaries.csv: the current play and every past play that can be read.
  CsvFile summaryCsv() const;

 private:
  std::optional<SettingEstimate> estimateOf(const PlaySummary& play) const;
  std::optional<PlaySummary> summaryOf(std::size_t row) const;
  std::filesystem::path offered(const std::string& name) const;

  const Counter& counter_;
  std::filesystem::path pastPlays_;
  std::vector<PastPlay> past_;
  std::size_t picked_ = 0;
  std::vector<Bonus> pickedBonuses_;  // of the past play picked
  Said problem_;
  // The play whose bonuses were drawn, by its row, and the current play's bonus revision then.
  std::optional<std::pair<std::size_t, std::uint64_t>> drawn_;
};

}  // namespace tallix::design
