// The charts' axes: the round ranges and their ticks, the coin graph's floors and least games,
// the expected-value line kept in sight, the range that moves only when the line leaves it, and
// the bonus chart's axis.
#include "design/chart_axes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "counting/chart.h"

namespace tallix::design {
namespace {

void expectAxis(const Axis& axis, const Axis& expected) {
  EXPECT_DOUBLE_EQ(axis.min, expected.min);
  EXPECT_DOUBLE_EQ(axis.max, expected.max);
  EXPECT_EQ(axis.ticks, expected.ticks);
}

void append(Chart& chart, const std::string& value) {
  chart.setRowCount(static_cast<std::int16_t>(chart.rowCount() + 1));
  chart.setRow(chart.rowCount());
  chart.setValue(value);
}

// The design state's row "0", then `values`.
Chart chartOf(const std::vector<std::string>& values) {
  Chart chart;
  for (const std::string& value : values) append(chart, value);
  return chart;
}

TEST(ChartAxes, ARangeWidensToWholeStepsOfARoundNumberFromTheTicksItHad) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    double low, high;
    int ticksBefore;
    Axis expected;
  } rows[] = {
      {"a step of 100 that 250 fills two and a half times", 0, 250, 5, {0, 300, 4}},
      {"the floors, exactly four steps", -100, 100, 5, {-100, 100, 5}},
      {"one coin past a step", -100, 101, 5, {-100, 200, 4}},
      {"both ends rounded outwards", -37, 1234, 5, {-500, 1500, 5}},
      {"fewer ticks before: a larger step", -100, 100, 2, {-200, 200, 3}},
      {"more ticks before: the same step", -100, 100, 7, {-100, 100, 5}},
      {"an empty range is one wide", 0, 0, 5, {0, 1, 6}},
      {"a reversed range is one wide from its low", 5, 3, 5, {5, 6, 6}},
      {"beyond a billion coins: held there", -inf, 3e9, 2, {-2e9, 2e9, 3}},
      {"no number is 0", std::numeric_limits<double>::quiet_NaN(), 100, 5, {0, 100, 6}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Axis axis = niceAxis(row.low, row.high, Axis{0, 1, row.ticksBefore});
    expectAxis(axis, row.expected);
    EXPECT_DOUBLE_EQ(axis.tick(0), axis.min);
    EXPECT_DOUBLE_EQ(axis.tick(axis.ticks - 1), axis.max);
  }
}

TEST(ChartAxes, AValueIsPlacedAlongThePixelsAndFarOutsideHeldWithinReach) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const Axis axis{-100, 200, 4};
  const struct {
    const char* name;
    double value;
    int pixels, expected;
  } rows[] = {
      {"the low end", -100, 300, 0},
      {"the high end", 200, 300, 300},
      {"zero, rounded to the nearest pixel", 0, 200, 67},
      {"outside, beyond the high end", 350, 300, 450},
      {"an infinity", inf, 300, 1000000},
      {"minus an infinity", -inf, 300, -1000000},
      {"no number", std::numeric_limits<double>::quiet_NaN(), 300, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(axis.at(row.value, row.pixels), row.expected);
  }
}

TEST(ChartAxes, TheCoinGraphShowsAtLeastTenRowsAndAHundredCoinsEitherWay) {
  const struct {
    const char* name;
    std::vector<std::string> values;  // after the design state's row "0"
    Axis games, coins;
  } rows[] = {
      {"an empty chart", {}, {0, 300, 4}, {-100, 100, 5}},
      {"one row", {"40"}, {0, 300, 4}, {-100, 100, 5}},
      {"a value right at the floor", {"100"}, {0, 300, 4}, {-100, 100, 5}},
      {"one coin above the floor", {"101"}, {0, 300, 4}, {-100, 200, 4}},
      {"one coin below the floor", {"-101"}, {0, 300, 4}, {-200, 100, 4}},
      {"five rows take the games of ten", {"1", "2", "3", "4"}, {0, 300, 4}, {-100, 100, 5}},
      {"fourteen rows, 325 games",
       std::vector<std::string>(13, "-37"),
       {0, 400, 5},
       {-100, 100, 5}},
      {"far beyond the floors", {"-37", "1234"}, {0, 300, 4}, {-500, 1500, 5}},
      {"beyond a billion coins: held there", {"3E9"}, {0, 300, 4}, {-5e8, 1e9, 4}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Chart chart = chartOf(row.values);
    CoinLine line;
    CoinAxes axes;
    EXPECT_EQ(axes.update(line, line.update(chart), 0), CoinAxes::Redraw::all);
    expectAxis(axes.games(), row.games);
    expectAxis(axes.coins(), row.coins);
    EXPECT_FALSE(axes.hasExpected());
    for (const CoinLine::Point& point : line.points()) {
      EXPECT_GE(point.coins, axes.coins().min);
      EXPECT_LE(point.coins, axes.coins().max);
    }
  }
}

TEST(ChartAxes, TheExpectedLineStaysInSightUpToTheLastRow) {
  const struct {
    const char* name;
    std::vector<std::string> values;
    double payout;
    Axis coins;
    double end;  // where the expected line ends, at the games axis' end
  } rows[] = {
      {"far above the data", {}, 200, {-200, 800, 6}, 900},
      {"far below the data", {}, 50, {-400, 100, 6}, -450},
      {"within the data", {"300"}, 101.5, {-100, 300, 5}, 300 * 3 * 0.015},
      {"no payout rate, no line", {}, 0, {-100, 100, 5}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Chart chart = chartOf(row.values);
    CoinLine line;
    CoinAxes axes;
    axes.update(line, line.update(chart), row.payout);
    expectAxis(axes.games(), {0, 300, 4});
    expectAxis(axes.coins(), row.coins);
    EXPECT_EQ(axes.hasExpected(), row.payout > 0);
    EXPECT_DOUBLE_EQ(axes.expectedEnd(), row.end);
  }
}

// What happens to the chart after it was drawn: a row appended with `value`, row `row` given it,
// the chart cleared, or nothing.
struct Step {
  enum { none, add, set, clear } kind;
  int row = 0;
  const char* value = "";
  void apply(Chart& chart) const {
    if (kind == add) append(chart, value);
    if (kind == set) {
      chart.setRow(static_cast<std::int16_t>(row));
      chart.setValue(value);
    }
    if (kind == clear) chart.reset();
  }
};

TEST(ChartAxes, AGrowingGraphMovesOnlyTheAxisItLeaves) {
  using enum CoinAxes::Redraw;
  const std::vector<std::string> thirteenRows(12, "10");
  const struct {
    const char* name;
    std::vector<std::string> before;  // drawn first, with no payout rate
    Step step;
    double payout;
    CoinAxes::Redraw redraw;
    Axis games, coins;
  } rows[] = {
      {"nothing changed", {"50"}, {Step::none}, 0, nothing, {0, 300, 4}, {-100, 100, 5}},
      {"a row within", {"50"}, {Step::add, 0, "80"}, 0, lineEnd, {0, 300, 4}, {-100, 100, 5}},
      {"last row", {"50"}, {Step::set, 2, "-99"}, 0, lineEnd, {0, 300, 4}, {-100, 100, 5}},
      // The games axis keeps its range: taken again from its 4 ticks it would be 0 to 400.
      {"left upwards", {"50"}, {Step::add, 0, "150"}, 0, all, {0, 300, 4}, {-100, 200, 4}},
      {"left downwards", {"50"}, {Step::add, 0, "-150"}, 0, all, {0, 300, 4}, {-200, 100, 4}},
      {"games left", thirteenRows, {Step::add, 0, "20"}, 0, all, {0, 400, 3}, {-100, 100, 5}},
      // Both axes afresh, the coins' narrower.
      {"drawn before", {"150", "20"}, {Step::set, 2, "50"}, 0, all, {0, 400, 3}, {-100, 100, 5}},
      {"cleared", {"-150"}, {Step::clear}, 0, all, {0, 400, 3}, {-100, 100, 5}},
      {"a payout rate given", {"50"}, {Step::none}, 200, all, {0, 400, 3}, {-200, 800, 6}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Chart chart = chartOf(row.before);
    CoinLine line;
    CoinAxes axes;
    axes.update(line, line.update(chart), 0);
    row.step.apply(chart);
    EXPECT_EQ(axes.update(line, line.update(chart), row.payout), row.redraw);
    expectAxis(axes.games(), row.games);
    expectAxis(axes.coins(), row.coins);
  }
}

TEST(ChartAxes, TheBonusChartShowsItsBarsAndAtLeastZeroToAHundred) {
  const Bonus big{BonusKind::BIG, 120, 120, 312}, lostReg{BonusKind::REG, 300, 300, -40};
  const Bonus longRunUp{BonusKind::REG, 600, 529, 96};
  const struct {
    const char* name;
    std::vector<std::vector<Bonus>> before;  // drawn first
    std::vector<Bonus> bonuses;
    Axis expected;
  } rows[] = {
      {"no bonus yet", {}, {}, {0, 100, 6}},
      {"a run-up right at 100", {}, {{BonusKind::REG, 100, 100, 90}}, {0, 100, 6}},
      {"one bonus", {}, {big}, {0, 400, 5}},
      {"a bonus that lost coins", {}, {big, lostReg}, {-100, 400, 6}},
      {"from the ticks of the play shown before", {{longRunUp}}, {big}, {0, 400, 3}},
      {"the same bonuses again", {{longRunUp}, {longRunUp}}, {longRunUp}, {0, 600, 4}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    BonusAxis axis;
    for (const std::vector<Bonus>& bonuses : row.before) axis.update(bonuses);
    expectAxis(axis.update(row.bonuses), row.expected);
    expectAxis(axis.axis(), row.expected);
  }
}

}  // namespace
}  // namespace tallix::design
