// The value axes of the charts every window draws (the coin graph, the history window's bonus
// chart): which range each axis shows and where its ticks stand. A window only draws them.
//
// An axis widens the range it is asked for to whole steps of a round number (1, 2 or 5 times a
// power of ten). The step comes from the number of ticks the axis had before, and the ticks it
// ends up with are where the next range starts from: the same draws give the same axes in every
// window.
#pragma once

#include <optional>
#include <vector>

#include "counting/bonuses.h"
#include "design/coin_line.h"

namespace tallix::design {

struct Axis {
  double min = 0, max = 10;
  int ticks = 5;  // evenly spaced from min to max, both ends included; at least 2
  friend bool operator==(const Axis&, const Axis&) = default;

  // The value of tick i (0 at min, ticks - 1 at max).
  double tick(int i) const;
  // The place of a value along `pixels`, from min at 0 to max at pixels; values far outside
  // the range are held at a million pixels either way, which no drawing reaches.
  int at(double value, int pixels) const;
};

// The axis showing low to high, after `before`. Values beyond a billion either way are held there
// and one that is no number is 0; a range left empty or reversed is made one wide from its low,
// so that the axis always has a step.
Axis niceAxis(double low, double high, const Axis& before = {});

// The coin graph's axes: the games from 0 to the last row's game, at least 10 rows' worth; the
// coin difference at least 100 coins either way, so that a flat start does not magnify single
// coins, with the expected-value line of the machine's payout rate in sight up to the last row.
// Laying out the labels costs more than the line, so a growing graph moves the axes only when
// it leaves their range.
class CoinAxes {
 public:
  static constexpr int kLeastRows = 10;
  static constexpr double kLeastCoins = 100;

  enum class Redraw {
    nothing,  // neither the line nor the payout rate changed
    lineEnd,  // rows appended within the axes: only the line from the first changed point on
    all,      // the axes, the zero and expected-value lines and the whole line
  };
  // Follows `line` after its last update, which changed it as `change` says (nullopt: not at
  // all), with the machine's payout rate `payout` in percent (0 for no expected-value line).
  Redraw update(const CoinLine& line, const std::optional<CoinLine::Change>& change, double payout);

  const Axis& games() const { return games_; }
  const Axis& coins() const { return coins_; }
  double payout() const { return payout_; }
  // The expected-value line runs from (0, 0) to (games().max, expectedEnd()); there is none
  // without a payout rate.
  bool hasExpected() const { return payout_ > 0; }
  double expectedEnd() const;

 private:
  Axis games_, coins_;
  double payout_ = 0;
};

// The bonus chart's value axis: the run-ups and coins of the bonuses, with 0 to 100 always in
// range, taken from the axis shown before. The same bonuses drawn again keep their axis, so that
// a play's chart looks the same however often the window refreshes it.
class BonusAxis {
 public:
  const Axis& update(const std::vector<Bonus>& bonuses);
  const Axis& axis() const { return axis_; }

 private:
  std::optional<std::vector<Bonus>> bonuses_;  // those of the axis; none before the first
  Axis axis_;
};

}  // namespace tallix::design
