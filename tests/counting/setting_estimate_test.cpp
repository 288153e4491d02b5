// The setting estimate: exactly the posterior worked out by hand from what the simulated machine
// really played, for short and long plays and extreme counts; calibrated on a fast sample.
#include "counting/setting_estimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "counting/counter.h"
#include "counting/tick_driver.h"
#include "simulation/machine.h"

namespace tallix {
namespace {

using Probabilities = std::array<double, kSettingCount>;

// What a counted game can end in, counted: BIG, REG, each small win of the table by its coins,
// and the rest.
struct Tally {
  std::int64_t big = 0;
  std::int64_t reg = 0;
  std::map<int, std::int64_t> wins;
  std::int64_t rest = 0;
};

// The chance that a counted game ends in each outcome of `tally` at a setting: the table's
// chance per game over the chance that the game is not a replay, whose free game falls into it.
struct Chances {
  long double big, reg, rest;
  std::map<int, long double> wins;
};

Chances chancesOf(const SettingOdds& s, const Tally& tally) {
  const auto per = [](double odds) { return odds > 0 ? 1.0L / odds : 0.0L; };
  const long double counted = 1 - per(s.replay);
  Chances c{per(s.big) / counted, per(s.reg) / counted, 0, {}};
  c.rest = 1 - c.big - c.reg;
  for (const auto& [coins, n] : tally.wins) {
    for (const SmallWin& w : s.wins) {
      if (w.coins == coins) c.wins[coins] += per(w.odds) / counted;
    }
    c.rest -= c.wins[coins];
  }
  return c;
}

// The posterior worked out on paper: each setting's likelihood relative to that of the setting
// `reference` (which can give the tally) as a product of powers of the ratios of their chances,
// times its weight, and the six divided by their sum.
Probabilities byHand(const SettingModel& model, const Tally& tally, std::size_t reference) {
  const Chances r = chancesOf(model.settings[reference], tally);
  const auto power = [](long double q, long double qr, std::int64_t n) {
    return n == 0 ? 1.0L : std::pow(q / qr, static_cast<long double>(n));
  };
  std::array<long double, kSettingCount> weight{};
  long double sum = 0;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const Chances c = chancesOf(model.settings[s], tally);
    long double w = static_cast<long double>(model.prior[s]) / model.prior[reference] *
                    power(c.big, r.big, tally.big) * power(c.reg, r.reg, tally.reg) *
                    power(c.rest, r.rest, tally.rest);
    for (const auto& [coins, n] : tally.wins) w *= power(c.wins.at(coins), r.wins.at(coins), n);
    sum += weight[s] = w;
  }
  Probabilities p{};
  for (std::size_t s = 0; s < kSettingCount; ++s) p[s] = static_cast<double>(weight[s] / sum);
  return p;
}

// The tally of a counter's payouts against the table's small wins.
Tally tallyOf(const PayoutCounts& counts, const SettingModel& model) {
  Tally t{counts.big, counts.reg, {}, 0};
  for (const SettingOdds& s : model.settings) {
    for (const SmallWin& w : s.wins) t.wins[w.coins] = 0;
  }
  for (const auto& [coins, n] : counts.games) (t.wins.count(coins) ? t.wins[coins] : t.rest) += n;
  return t;
}

void expectNear(const Probabilities& got, const Probabilities& expected) {
  double sum = 0;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    EXPECT_NEAR(got[s], expected[s], 1e-6) << "setting " << s + 1;
    sum += got[s];
  }
  EXPECT_NEAR(sum, 1, 1e-12);
}

// The counter that counted a play of the machine, and the machine with its ground truth.
struct CountedPlay {
  CountedPlay(MachineDescription description, std::uint64_t seed, std::int64_t games)
      : machine(description, seed, 1, games) {
    counter.setSettingModel(description.model());
    TickDriver driver(counter);
    for (const Change& c : playToEnd(machine)) driver.tick(c);
  }
  Machine machine;
  Counter counter;
};

TEST(SettingEstimate, IsThePosteriorWorkedOutByHandFromTheGroundTruth) {
  const struct {
    std::int64_t games;
    int setting;
    Probabilities prior;
  } rows[] = {
      {0, 1, {1, 1, 1, 1, 1, 1}},
      {1, 2, {1, 2, 3, 4, 5, 6}},
      {1000, 5, {1, 1, 1, 1, 1, 1}},
      {100000, 3, {6, 1, 1, 1, 1, 2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.games);
    MachineDescription description;
    description.setting = row.setting;
    CountedPlay play(description, 28, row.games);
    SettingModel model = description.model(row.prior);
    play.counter.setSettingModel(model);

    // The counter counted what the machine played.
    const GroundTruth& truth = play.machine.truth();
    const PayoutCounts& counted = play.counter.payouts().counts().value();
    EXPECT_EQ(counted.big, truth.bigs);
    EXPECT_EQ(counted.reg, truth.regs);
    const std::map<std::int64_t, std::int64_t> games(counted.games.begin(), counted.games.end());
    EXPECT_EQ(games, truth.gamePayouts);

    PayoutCounts real{
        static_cast<std::int32_t>(truth.bigs), static_cast<std::int32_t>(truth.regs), {}};
    for (const auto& [coins, n] : truth.gamePayouts) {
      real.games[static_cast<std::int32_t>(coins)] = static_cast<std::int32_t>(n);
    }
    const std::optional<SettingEstimate> e = play.counter.settingEstimate();
    ASSERT_TRUE(e);
    expectNear(e->probability,
               byHand(model, tallyOf(real, model), static_cast<std::size_t>(row.setting - 1)));
    EXPECT_EQ(e->games, real.total());
    EXPECT_TRUE(e->fromPayouts);
    double rate = 0;
    for (std::size_t s = 0; s < kSettingCount; ++s) {
      rate += e->probability[s] * model.settings[s].payout;
    }
    EXPECT_NEAR(e->payoutRate.value(), rate, 1e-9);
  }
}

TEST(SettingEstimate, StaysExactAtExtremeCounts) {
  MachineDescription machine;
  machine.settings[5].wins.push_back({20, 50});  // a win only setting 6 has
  const SettingModel typical = machine.model();
  SettingModel withoutBonuses = typical;
  for (SettingOdds& s : withoutBonuses.settings) s.big = s.reg = 0;
  SettingModel onlySix = typical;
  onlySix.prior = {0, 0, 0, 0, 0, 1};
  SettingModel allButSix = typical;
  allButSix.prior = {1, 1, 1, 1, 1, 0};

  // A play of two thousand million games that went exactly as setting 4 goes.
  const Chances four = chancesOf(typical.settings[3], tallyOf({}, typical));
  constexpr long double kGames = 2e9L;
  PayoutCounts likeFour{static_cast<std::int32_t>(std::lround(four.big * kGames)),
                        static_cast<std::int32_t>(std::lround(four.reg * kGames)),
                        {{0, static_cast<std::int32_t>(std::lround(four.rest * kGames))}}};
  for (const auto& [coins, q] : four.wins) {
    likeFour.games[coins] = static_cast<std::int32_t>(std::lround(q * kGames));
  }

  const struct {
    const char* name;
    const SettingModel& model;
    PayoutCounts counts;
    std::optional<Probabilities> expected;  // none: worked out by hand
    std::size_t reference = 0;
  } rows[] = {
      {"every game a BIG", typical, {1000, 0, {}}, std::nullopt},
      {"no game a bonus", typical, {0, 0, {{0, 3000}, {8, 900}}}, std::nullopt},
      {"a win only setting 6 has",
       typical,
       {1, 1, {{0, 80}, {20, 1}}},
       Probabilities{0, 0, 0, 0, 0, 1}},
      {"only setting 6 weighs", onlySix, {0, 0, {{0, 30}}}, Probabilities{0, 0, 0, 0, 0, 1}},
      {"the tally of setting 4 over two thousand million games", typical, likeFour,
       Probabilities{0, 0, 0, 1, 0, 0}},
      {"payouts of a record edited by hand", typical, {0, 0, {{-3, 2}, {100000, 1}}}, std::nullopt},
      {"a machine without bonuses and no bonus",
       withoutBonuses,
       {0, 0, {{0, 70}, {8, 12}}},
       std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<SettingEstimate> e = estimateSetting(row.model, row.counts);
    ASSERT_TRUE(e);
    expectNear(e->probability, row.expected.value_or(byHand(
                                   row.model, tallyOf(row.counts, row.model), row.reference)));
  }

  // What no setting can give has no estimate, nor have counts below zero.
  EXPECT_EQ(estimateSetting(withoutBonuses, PayoutCounts{1, 0, {{0, 5}}}), std::nullopt);
  EXPECT_EQ(estimateSetting(allButSix, PayoutCounts{0, 0, {{0, 5}, {20, 1}}}), std::nullopt);
  EXPECT_EQ(estimateSetting(typical, PayoutCounts{0, 0, {{8, -1}}}), std::nullopt);
  EXPECT_EQ(estimateSetting(typical, 10, 2, 1, {{8, 8}}), std::nullopt);  // 11 of 10 games
}

// A record kept without payouts: its games, BIG, REG and the small wins the settings name, the
// rest holding every other game; a win kept twice counts once and one the table lacks not at
// all.
TEST(SettingEstimate, ARecordWithoutPayoutsRestsOnItsBonusesAndSmallWins) {
  Counter counter;
  Settings settings;
  settings.koyaku = {8, 7, 8};
  counter.applySettings(settings);
  const SettingModel model = MachineDescription{}.model();
  counter.setSettingModel(model);
  counter.payouts().replace(std::nullopt);
  Counters& c = counter.counters();
  c.start_all_count = 6000;
  c.big_count = 25;
  c.reg_count = 20;
  c.koyaku1t = c.koyaku3t = 950;
  c.koyaku2t = 400;
  const std::optional<SettingEstimate> e = counter.settingEstimate();
  ASSERT_TRUE(e);
  expectNear(e->probability, byHand(model, {25, 20, {{8, 950}}, 6000 - 25 - 20 - 950}, 0));
  EXPECT_EQ(e->games, 6000);
  EXPECT_FALSE(e->fromPayouts);
}

TEST(SettingEstimate, SharesAndPercentsAddUpToTheWhole) {
  const Probabilities third{1.0 / 3, 1.0 / 3, 1.0 / 3, 0, 0, 0};
  EXPECT_EQ(shares(third, 1000), (std::array<std::int64_t, kSettingCount>{334, 333, 333, 0, 0, 0}));
  EXPECT_EQ(percentTexts(third), (std::array<std::string, kSettingCount>{"33.4%", "33.3%", "33.3%",
                                                                         "0.0%", "0.0%", "0.0%"}));
  const Probabilities eighths{0.0625, 0.0625, 0.0625, 0.0625, 0.375, 0.375};
  EXPECT_EQ(percentTexts(eighths), (std::array<std::string, kSettingCount>{
                                       "6.3%", "6.3%", "6.2%", "6.2%", "37.5%", "37.5%"}));
  EXPECT_EQ(shares(eighths, 1'000'000),
            (std::array<std::int64_t, kSettingCount>{62500, 62500, 62500, 62500, 375000, 375000}));
}

// Over plays at settings drawn uniformly, a calibrated estimate gives the true setting on average
// the probability it expects to give it (the mean sum of its squared probabilities), and every
// payout tells more than BIG and REG alone. bench/setting_calibration.sh measures the same over
// longer plays through tallix-sim and tallix-replay.
TEST(SettingEstimate, IsCalibratedOnAFastSampleAndKnowsMoreThanBigAndRegAlone) {
  const SettingModel model = MachineDescription{}.model();
  std::mt19937 draw(28);
  double truePayouts = 0, squaresPayouts = 0, trueBonuses = 0, squaresBonuses = 0;
  constexpr int kPlays = 120;
  for (int play = 0; play < kPlays; ++play) {
    MachineDescription description;
    description.setting = static_cast<int>(draw() % kSettingCount) + 1;
    Machine machine(description, static_cast<std::uint64_t>(play), 1, 1500);
    playToEnd(machine);
    const GroundTruth& t = machine.truth();
    PayoutCounts counts{static_cast<std::int32_t>(t.bigs), static_cast<std::int32_t>(t.regs), {}};
    for (const auto& [coins, n] : t.gamePayouts) {
      counts.games[static_cast<std::int32_t>(coins)] = static_cast<std::int32_t>(n);
    }
    const auto truth = static_cast<std::size_t>(description.setting - 1);
    const auto add = [truth](const SettingEstimate& e, double& trueP, double& squares) {
      trueP += e.probability[truth];
      for (double p : e.probability) squares += p * p;
    };
    add(estimateSetting(model, counts).value(), truePayouts, squaresPayouts);
    add(estimateSetting(model, counts.total(), t.bigs, t.regs, {}).value(), trueBonuses,
        squaresBonuses);
  }
  EXPECT_NEAR(truePayouts / kPlays, squaresPayouts / kPlays, 0.05);
  EXPECT_NEAR(trueBonuses / kPlays, squaresBonuses / kPlays, 0.05);
  EXPECT_GT(truePayouts, trueBonuses);
}

}  // namespace
}  // namespace tallix
