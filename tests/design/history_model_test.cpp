// The history window's model: the plays' table cell by cell, the likeliest setting and the
// estimate line, the play picked and when its bonuses are drawn again, the CSV files offered.
#include "design/history_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "design/design.h"
#include "records/csv_export.h"
#include "records/record.h"
#include "support/history_plays.h"
#include "support/temp_dir.h"

namespace tallix::design {
namespace {

using testing::kBig;
using testing::kReg;
using testing::Play;

std::vector<std::string> english(const std::vector<Said>& texts) {
  std::vector<std::string> all;
  for (const Said& t : texts) all.push_back(t.english());
  return all;
}

class HistoryModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::playWithPastPlays(play, past, dir / "plays");
    EXPECT_TRUE(model.refresh().empty());
  }

  testing::TempDir dir;
  Play play, past;
  HistoryModel model{play.counter, dir / "plays"};
};

TEST_F(HistoryModelTest, EachPlayIsARowOfEveryColumnInItsColour) {
  const struct {
    const char* name;
    std::size_t row;
    std::vector<std::string> cells;
    Rgb colour;
  } rows[] = {
      {"the current play first",
       0,
       {"Current play", "2", "1", "1", "1/2", "1/2", "490.00%", "39", "1", "-"},
       kLightYellow},
      {"a past play that cannot be read: its date and why, the rest empty",
       1,
       {"2026-12-07 10:00:00", "Unreadable", "", "", "", "", "", "", "", ""},
       kOrange},
      {"a past play from the index, no BIG yet",
       2,
       {"2026-12-06 21:00:00", "5", "0", "1", "1/-", "1/5", "0.00%", "-15", "3", "-"},
       kWhite},
  };
  ASSERT_EQ(model.rowCount(), 3u);
  EXPECT_EQ(english(playColumns()),
            (std::vector<std::string>{"Play", "Total", "BIG", "REG", "BIG odds", "REG odds",
                                      "Payout", "Difference", "Max run-up", "Likeliest setting"}));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const TableRow shown = model.playRow(row.row);
    EXPECT_EQ(english(shown.cells), row.cells);
    EXPECT_EQ(shown.colour, row.colour);
  }
}

SettingEstimate estimate(std::array<double, kSettingCount> p, std::optional<double> payout,
                         std::int64_t games) {
  return {p, payout, games, true};
}

TEST(HistoryEstimate, TheLikeliestSettingAndTheLineOfEverySettingsChance) {
  const struct {
    const char* name;
    std::optional<SettingEstimate> estimate;
    const char* likeliest;
    const char* line;
  } rows[] = {
      {"no machine to estimate against", std::nullopt, "-", ""},
      {"setting 6 likeliest, with the machine's payout rates",
       estimate({0.1, 0.1, 0.1, 0.1, 0.1, 0.5}, 104.256, 1234), "6 (50.0%)",
       "Setting estimate:   1: 10.0%   2: 10.0%   3: 10.0%   4: 10.0%   5: 10.0%   6: 50.0%"
       "   Expected payout rate: 104.26%   (1234 games)"},
      {"a tie goes to the lower setting; no payout rates known",
       estimate({0.3, 0.3, 0.1, 0.1, 0.1, 0.1}, std::nullopt, 0), "1 (30.0%)",
       "Setting estimate:   1: 30.0%   2: 30.0%   3: 10.0%   4: 10.0%   5: 10.0%   6: 10.0%"
       "   (0 games)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(likeliestSetting(row.estimate).english(), row.likeliest);
    EXPECT_EQ(estimateLine(row.estimate).english(), row.line);
  }
}

// Picking a play reads its bonuses; they are to be drawn again only for another play, after a
// refresh, or when the current play's bonuses change.
TEST_F(HistoryModelTest, TheBonusesOfThePlayPickedAreDrawnAgainOnlyWhenTheyChange) {
  const auto nothing = [] {};
  const auto aGame = [&] { play.game(3, 15); };
  const auto refresh = [&] { model.refresh(); };
  const auto newBonus = [&] {
    play.holdLines(0);
    play.tick();
    play.holdLines(kBig);
    play.tick();
  };
  const struct {
    const char* name;
    std::function<void()> before;
    std::size_t pick;
    bool redraw;
    std::vector<std::string> kinds;  // of the bonus rows
    bool problem;
  } rows[] = {
      {"the current play at first", nothing, 0, true, {"BIG", "REG"}, false},
      {"the same again", nothing, 0, false, {"BIG", "REG"}, false},
      {"the current play's REG ends and a BIG starts",
       newBonus,
       0,
       true,
       {"BIG", "REG", "BIG"},
       false},
      {"a past play, read from its file", nothing, 2, true, {"REG"}, false},
      {"the current play going on meanwhile", aGame, 2, false, {"REG"}, false},
      {"after a refresh, the same play", refresh, 2, true, {"REG"}, false},
      {"a file that cannot be read: none, and why", nothing, 1, true, {}, true},
      {"past the last row: the last", nothing, 7, true, {"REG"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.before();
    EXPECT_EQ(model.pick(row.pick), row.redraw);
    std::vector<std::string> kinds;
    for (const TableRow& bonus : model.bonusRows()) {
      kinds.push_back(bonus.cells.at(1).english());
      EXPECT_EQ(bonus.colour, bonus.cells[1].english() == "BIG" ? kBigColour : kRegColour);
    }
    EXPECT_EQ(kinds, row.kinds);
    EXPECT_EQ(model.bonuses().size(), kinds.size());  // the chart's bars
    EXPECT_EQ(model.problem().english().find("koyaku1g_now=1e9") != std::string::npos, row.problem);
  }
}

TEST_F(HistoryModelTest, TheCsvFilesAreOfferedBesideTheRecordNamedAfterThePlay) {
  const std::string summaries =
      "play,games,big,reg,games_per_big,games_per_reg,payout_rate,difference,longest_run_up\r\n"
      "current,2,1,1,2,2,490.00%,39,1\r\n"
      "2026-12-06 21:00:00,5,0,1,,5,0.00%,-15,3\r\n";
  const struct {
    const char* name;
    std::size_t pick;
    const char* bonusFile;
    std::string bonuses;
  } rows[] = {
      {"the current play", 0, "bonuses_current.csv", bonusCsv(play.counter.bonuses().all())},
      {"a past play, after its date", 2, "bonuses_2026-12-06_210000.csv",
       bonusCsv(past.counter.bonuses().all())},
      {"a past play that cannot be read: no bonus", 1, "bonuses_2026-12-07_100000.csv",
       bonusCsv({})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    model.pick(row.pick);
    const CsvFile bonuses = model.bonusCsv();
    EXPECT_EQ(bonuses.suggested, dir / row.bonusFile);
    EXPECT_EQ(bonuses.contents, row.bonuses);
    const CsvFile all = model.summaryCsv();  // the plays that can be read, whichever is picked
    EXPECT_EQ(all.suggested, dir / "summaries.csv");
    EXPECT_EQ(all.contents, summaries);
  }
}

}  // namespace
}  // namespace tallix::design
