#include "setting_estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>

#include "base/numbers.h"

namespace tallix {

namespace {

constexpr double kImpossible = -std::numeric_limits<double>::infinity();

double chance(double odds) {
  return odds > 0 ? 1 / odds : 0;
}

// The counts of a play by outcome: BIG, REG, the small wins told apart (by coins) and the rest.
struct Outcomes {
  std::int64_t big = 0;
  std::int64_t reg = 0;
  std::map<int, std::int64_t> wins;
  std::int64_t rest = 0;
  std::int64_t games = 0;
  bool fromPayouts = false;
};

// n · log q, the log of q^n: 0 for an outcome that did not come, impossible for one that came
// where it cannot.
double logPower(double q, std::int64_t n) {
  if (n == 0) return 0;
  return q > 0 ? static_cast<double>(n) * std::log(q) : kImpossible;
}

// The log of a setting's likelihood of the counts, without the multinomial coefficient, which
// is the same for every setting.
double logLikelihood(const SettingOdds& s, const Outcomes& o) {
  const double replay = chance(s.replay);
  if (replay >= 1) return o.games == 0 ? 0 : kImpossible;  // every game a replay: none counted
  const double perCounted = 1 / (1 - replay);
  const double big = chance(s.big) * perCounted;
  const double reg = chance(s.reg) * perCounted;
  double rest = 1 - big - reg;
  double log = logPower(big, o.big) + logPower(reg, o.reg);
  for (const auto& [coins, n] : o.wins) {
    double win = 0;
    for (const SmallWin& w : s.wins) {
      if (w.coins == coins) win += chance(w.odds) * perCounted;
    }
    rest -= win;
    log += logPower(win, n);
  }
  return log + logPower(std::max(rest, 0.0), o.rest);
}

std::optional<SettingEstimate> posterior(const SettingModel& model, const Outcomes& o) {
  std::array<double, kSettingCount> log{};
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const double prior = model.prior[s];
    log[s] = prior > 0 ? std::log(prior) + logLikelihood(model.settings[s], o) : kImpossible;
  }
  const double top = *std::max_element(log.begin(), log.end());
  if (top == kImpossible || std::isnan(top)) return std::nullopt;
  SettingEstimate e;
  double sum = 0;
  for (std::size_t s = 0; s < kSettingCount; ++s) sum += e.probability[s] = std::exp(log[s] - top);
  bool rates = true;
  double rate = 0;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    e.probability[s] /= sum;
    rates = rates && model.settings[s].payout > 0;
    rate += e.probability[s] * model.settings[s].payout;
  }
  if (rates) e.payoutRate = rate;
  e.games = o.games;
  e.fromPayouts = o.fromPayouts;
  return e;
}

// The coins of every small win of the table, in any setting.
std::set<int> winCoins(const SettingModel& model) {
  std::set<int> coins;
  for (const SettingOdds& s : model.settings) {
    for (const SmallWin& w : s.wins) coins.insert(w.coins);
  }
  return coins;
}

}  // namespace

std::optional<SettingEstimate> estimateSetting(const SettingModel& model,
                                               const PayoutCounts& counts) {
  if (counts.big < 0 || counts.reg < 0) return std::nullopt;
  Outcomes o{counts.big, counts.reg, {}, 0, counts.total(), true};
  for (const int coins : winCoins(model)) o.wins[coins] = 0;
  for (const auto& [coins, n] : counts.games) {
    if (n < 0) return std::nullopt;
    const auto win = o.wins.find(coins);
    (win != o.wins.end() ? win->second : o.rest) += n;
  }
  return posterior(model, o);
}

std::optional<SettingEstimate> estimateSetting(const SettingModel& model, std::int64_t games,
                                               std::int64_t big, std::int64_t reg,
                                               const std::map<int, std::int64_t>& smallWins) {
  const std::set<int> known = winCoins(model);
  Outcomes o{big, reg, {}, games - big - reg, games, false};
  for (const auto& [coins, n] : smallWins) {
    if (known.count(coins) == 0) continue;
    o.wins[coins] = n;
    o.rest -= n;
    if (n < 0) return std::nullopt;
  }
  if (big < 0 || reg < 0 || o.rest < 0) return std::nullopt;
  return posterior(model, o);
}

std::array<std::int64_t, kSettingCount> shares(const std::array<double, kSettingCount>& probability,
                                               std::int64_t whole) {
  std::array<std::int64_t, kSettingCount> share{};
  std::array<double, kSettingCount> remainder{};
  std::int64_t given = 0;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const double exact = probability[s] * static_cast<double>(whole);
    share[s] = static_cast<std::int64_t>(std::floor(exact));
    remainder[s] = exact - static_cast<double>(share[s]);
    given += share[s];
  }
  std::array<std::size_t, kSettingCount> order{};
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return remainder[a] > remainder[b]; });
  for (std::size_t i = 0; given < whole && i < kSettingCount; ++i, ++given) ++share[order[i]];
  return share;
}

std::array<std::string, kSettingCount> percentTexts(
    const std::array<double, kSettingCount>& probability) {
  const auto tenths = shares(probability, 1000);
  std::array<std::string, kSettingCount> texts;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    texts[s] = formatFixed(static_cast<double>(tenths[s]) / 10, 1) + "%";
  }
  return texts;
}

}  // namespace tallix
