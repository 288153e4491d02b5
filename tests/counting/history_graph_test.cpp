#include <gtest/gtest.h>

#include "counting/chart.h"
#include "support/play.h"

namespace tallix {
namespace {

using testing::kBig;
using testing::kReg;
using testing::Play;

std::string squares(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "■";
  return s;
}

// A bonus after `runUp` games outside bonuses.
void bonusAfter(Play& play, std::int32_t runUp, std::uint8_t line) {
  play.counter.counters().start_bonus_count = runUp;
  play.tick(line);
  play.tick();
}

TEST(History, BarHasOneSquarePerStartedHundredGamesUpToTwenty) {
  const struct {
    std::int32_t games;
    int squares;
  } rows[] = {{0, 0}, {1, 1}, {100, 1}, {101, 2}, {1900, 19}, {1901, 20}, {5000, 20}, {-5, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.games);
    Play play;
    bonusAfter(play, row.games, kReg);
    EXPECT_EQ(play.panel().history(0).text, squares(row.squares));
    EXPECT_EQ(play.panel().history(0).colour, kRegColour);
  }
}

TEST(History, TheEleventhBonusPushesTheFirstOut) {
  Play play;
  for (int i = 1; i <= 11; ++i) bonusAfter(play, i * 100, i % 2 == 1 ? kBig : kReg);
  // Newest first: the 11th (BIG after 1100 games) down to the 2nd (REG after 200).
  for (std::size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const int bonus = 11 - static_cast<int>(i);
    EXPECT_EQ(play.panel().history(i).text, squares(bonus));
    EXPECT_EQ(play.panel().history(i).colour, bonus % 2 == 1 ? kBigColour : kRegColour);
  }
}

TEST(Graph, APointEveryTwentyFiveGames) {
  Play play;
  play.counter.counters().start_total_count = 23;
  play.game(3, 0);  // the 24th game
  EXPECT_EQ(play.panel().chart().rowCount(), 1);
  play.game(3, 0);  // the 25th: its first coin is in when the point is taken
  EXPECT_EQ(play.panel().chart().rows(), (std::vector<std::string>{"0", "-4"}));
  for (int i = 26; i < 50; ++i) play.game(3, 10);
  EXPECT_EQ(play.panel().chart().rowCount(), 2);
  play.game(3, 0);  // the 50th
  EXPECT_EQ(play.panel().chart().rows(), (std::vector<std::string>{"0", "-4", "161"}));
  EXPECT_EQ(play.panel().chart().row(), 3);
}

TEST(Graph, MoreRowsThanGamesWaitUntilTheGamesCatchUp) {
  Play play;
  play.counter.panel().chart().setRowCount(10);
  play.counter.counters().start_total_count = 24;
  play.game();
  EXPECT_EQ(play.panel().chart().rowCount(), 10);
  play.counter.counters().start_total_count = 249;
  play.game();
  EXPECT_EQ(play.panel().chart().rowCount(), 11);
}

TEST(Graph, AFullChartTakesNoMorePoints) {
  Play play;
  Chart& chart = play.counter.panel().chart();
  chart.setRowCount(Chart::kMaxRows);
  const std::uint64_t revision = chart.revision();
  play.counter.counters().start_total_count = Chart::kMaxRows * 25 - 1;
  play.game();
  EXPECT_EQ(chart.rowCount(), Chart::kMaxRows);
  EXPECT_EQ(chart.revision(), revision);
  EXPECT_EQ(play.c().start_total_count, Chart::kMaxRows * 25);
}

TEST(Chart, RowOperations) {
  Chart chart;
  for (std::int16_t row = 2; row <= 40; ++row) {  // the graph grows: no rewrite
    chart.setRowCount(row);
    chart.setRow(row);
    chart.setValue(std::to_string(row * -10));
  }
  EXPECT_EQ(chart.rewrites(), 0u);
  chart.setRow(39);
  chart.setValue("-390");  // a row before the last
  EXPECT_EQ(chart.rewrites(), 1u);
  for (std::int16_t row = 2; row <= 40; ++row) {
    chart.setRow(row);
    EXPECT_EQ(chart.value(), std::to_string(row * -10));
  }
  chart.setRowCount(1);
  EXPECT_EQ(chart.rewrites(), 2u);
  chart.setRow(1);
  chart.setValue("0");
  EXPECT_EQ(chart.rows(), std::vector<std::string>{"0"});
  chart.setRowCount(3);
  EXPECT_EQ(chart.rows(), (std::vector<std::string>{"0", "", ""}));
}

}  // namespace
}  // namespace tallix
