#include "chart_axes.h"

#include <algorithm>
#include <cmath>

#include "counting/chart.h"
#include "counting/figures.h"

namespace tallix::design {

namespace {

// Past the largest value an axis shows (and for a value that is no number) the axis stays at its
// edge, and its labels stay whole numbers that every window can write in 32 bits.
double shown(double value) {
  constexpr double kLargest = CoinLine::kLargestCoins;
  return std::isnan(value) ? 0 : std::clamp(value, -kLargest, kLargest);
}

// A round number near x > 0: the next at or above x for `up`, else the nearest.
double nice(double x, bool up) {
  const double power = std::pow(10.0, std::floor(std::log10(x)));
  const double q = x / power;
  if (up) return power * (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10);
  return power * (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10);
}

}  // namespace

double Axis::tick(int i) const {
  return min + i * (max - min) / (ticks - 1);
}

int Axis::at(double value, int pixels) const {
  const double place = (value - min) / (max - min) * pixels;
  if (std::isnan(place)) return 0;
  return static_cast<int>(std::lround(std::clamp(place, -1e6, 1e6)));
}

Axis niceAxis(double low, double high, const Axis& before) {
  low = shown(low);
  high = shown(high);
  if (!(high > low)) high = low + 1;
  const double step = nice(nice(high - low, true) / (std::max(before.ticks, 2) - 1), false);
  const double first = std::floor(low / step), last = std::ceil(high / step);
  return {first * step, last * step, static_cast<int>(last - first) + 1};
}

CoinAxes::Redraw CoinAxes::update(const CoinLine& line,
                                  const std::optional<CoinLine::Change>& change, double payout) {
  if (!change && payout == payout_) return Redraw::nothing;
  const bool grew = change && change->appended && payout == payout_;
  payout_ = payout;
  const std::size_t rows = std::max<std::size_t>(line.rows(), 1);
  const double lastGame =
      static_cast<double>(std::max<std::size_t>(rows - 1, kLeastRows)) * Chart::kGamesPerRow;
  const double expected = hasExpected() ? expectedDifference(lastGame, payout_) : 0;
  const double low = std::min({line.low(), expected, -kLeastCoins});
  const double high = std::max({line.high(), expected, kLeastCoins});
  const bool gamesLeft = lastGame > games_.max;
  const bool coinsLeft = low < coins_.min || high > coins_.max;
  if (grew && !gamesLeft && !coinsLeft) return Redraw::lineEnd;
  if (!grew || gamesLeft) games_ = niceAxis(0, lastGame, games_);
  if (!grew || coinsLeft) coins_ = niceAxis(low, high, coins_);
  return Redraw::all;
}

double CoinAxes::expectedEnd() const {
  return hasExpected() ? expectedDifference(games_.max, payout_) : 0;
}

const Axis& BonusAxis::update(const std::vector<Bonus>& bonuses) {
  if (bonuses_ == bonuses) return axis_;
  double low = 0, high = 100;
  for (const Bonus& b : bonuses) {
    low = std::min<double>({low, static_cast<double>(b.run_up), static_cast<double>(b.coins)});
    high = std::max<double>({high, static_cast<double>(b.run_up), static_cast<double>(b.coins)});
  }
  bonuses_ = bonuses;
  axis_ = niceAxis(low, high, axis_);
  return axis_;
}

}  // namespace tallix::design
