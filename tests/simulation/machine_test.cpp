#include "simulation/machine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tallix {
namespace {

struct Pulse {
  std::int64_t on, off;
};

// The times a line (active low) was on.
std::vector<Pulse> pulses(const std::vector<Change>& trace, std::uint8_t bit) {
  std::vector<Pulse> out;
  bool on = false;
  for (const Change& c : trace) {
    const bool now = (c.byte & bit) == 0;
    if (now && !on) out.push_back({c.ms, -1});
    if (!now && on) out.back().off = c.ms;
    on = now;
  }
  return out;
}

// The first coins of the bets: coin-in pulses that follow a second without one.
std::vector<std::int64_t> betStarts(const std::vector<Change>& trace) {
  std::vector<std::int64_t> out;
  std::int64_t last = -10000;
  for (const Pulse& p : pulses(trace, kCoinInBit)) {
    if (p.on - last > 1000) out.push_back(p.on);
    last = p.on;
  }
  return out;
}

TEST(Machine, TheSameSeedPlaysTheSameGame) {
  Machine a({}, 42, 1, 300), b({}, 42, 1, 300), c({}, 43, 1, 300);
  const std::vector<Change> trace = playToEnd(a);
  EXPECT_EQ(trace, playToEnd(b));
  EXPECT_NE(trace, playToEnd(c));
  EXPECT_EQ(a.truth().games, 300);
}

TEST(Machine, PlaysAtThePaceOfItsDescription) {
  Machine machine({}, 5, 1, 3000);
  const std::vector<Change> trace = playToEnd(machine);
  for (const Change& c : trace) ASSERT_EQ(c.byte & 0x80, 0x80) << c.ms;
  for (const Change& c : trace) ASSERT_NE(c.byte & (kBigBit | kRegBit), 0) << c.ms;
  for (std::uint8_t bit : {kCoinInBit, kCoinOutBit}) {
    SCOPED_TRACE(bit);
    const std::vector<Pulse> p = pulses(trace, bit);
    for (std::size_t i = 0; i < p.size(); ++i) {
      ASSERT_GE(p[i].off - p[i].on, 47) << p[i].on;
      ASSERT_LE(p[i].off - p[i].on, 53) << p[i].on;
      if (i > 0 && p[i].on - p[i - 1].off < 1000) {
        ASSERT_GE(p[i].on - p[i - 1].off, 47) << p[i].on;
        ASSERT_LE(p[i].on - p[i - 1].off, 53) << p[i].on;
      }
    }
  }
  const std::vector<std::int64_t> starts = betStarts(trace);
  ASSERT_EQ(static_cast<std::int64_t>(starts.size()), machine.truth().countedGames);
  std::int64_t shortest = 1'000'000;
  for (std::size_t i = 1; i < starts.size(); ++i) {
    shortest = std::min(shortest, starts[i] - starts[i - 1]);
  }
  EXPECT_GE(shortest, 4100);
  EXPECT_LE(shortest, 4110);
  // A game lasts 4.1 s and a pause of 0 to 1.2 s.
  EXPECT_NEAR(static_cast<double>(trace.back().ms) / 3000, 4700, 100);
}

TEST(Machine, SpeedNeverGoesBelowWhatACounterNeeds) {
  for (double speed : {2.0, 100.0, 1e9}) {
    SCOPED_TRACE(speed);
    Machine machine({}, 9, speed, 2000);
    const std::vector<Change> trace = playToEnd(machine);
    const std::vector<std::int64_t> starts = betStarts(trace);
    std::int64_t shortestGame = 1'000'000;
    for (std::size_t i = 1; i < starts.size(); ++i) {
      shortestGame = std::min(shortestGame, starts[i] - starts[i - 1]);
    }
    EXPECT_EQ(shortestGame, 2200);
    std::int64_t shortestPulse = 1'000'000;
    for (std::uint8_t bit : {kCoinInBit, kCoinOutBit, kPin5Bit}) {
      const std::vector<Pulse> p = pulses(trace, bit);
      for (std::size_t i = 0; i < p.size(); ++i) {
        shortestPulse = std::min(shortestPulse, p[i].off - p[i].on);
        if (i > 0) shortestPulse = std::min(shortestPulse, p[i].on - p[i - 1].off);
      }
    }
    EXPECT_EQ(shortestPulse, speed == 2.0 ? 24 : 5);  // 47 ms at twice the speed
  }
}

TEST(Machine, BonusesHoldTheirLineForTheirGamesAndPayEach) {
  Machine machine({}, 11, 1, 60000);
  const std::vector<Change> trace = playToEnd(machine);
  const std::vector<std::int64_t> starts = betStarts(trace);
  const std::vector<Pulse> paid = pulses(trace, kCoinOutBit);
  for (const auto& [bit, fewest, most] : {std::tuple{kBigBit, 21, 25}, std::tuple{kRegBit, 8, 8}}) {
    SCOPED_TRACE(bit);
    const std::vector<Pulse> bonuses = pulses(trace, bit);
    ASSERT_GT(bonuses.size(), 100u);
    for (const Pulse& b : bonuses) {
      if (b.off < 0) continue;  // still on at the end
      const auto games = std::count_if(starts.begin(), starts.end(),
                                       [&](std::int64_t s) { return s > b.on && s < b.off; });
      ASSERT_GE(games, fewest) << b.on;
      ASSERT_LE(games, most) << b.on;
      const auto coins = std::count_if(
          paid.begin(), paid.end(), [&](const Pulse& p) { return p.on > b.on && p.off < b.off; });
      ASSERT_EQ(coins, 15 * games) << b.on;
    }
  }
  const GroundTruth& t = machine.truth();
  const double outside = static_cast<double>(t.games - t.countedBonusGames);
  EXPECT_NEAR(outside / static_cast<double>(t.bigs), 287, 29);
  EXPECT_NEAR(outside / static_cast<double>(t.regs), 431, 43);
  EXPECT_NEAR(outside / static_cast<double>(t.freeGames), 7.3, 0.3);
  // The default 5-pin feature is the replay; the last game's replay has no free game.
  EXPECT_NEAR(t.pin5Pulses, t.freeGames, 1);
}

TEST(Machine, TheGroundTruthIsWhatTheLinesShow) {
  MachineDescription d;
  d.pin5 = Pin5Feature::big;
  Machine machine(d, 12, 1, 20000);
  const std::vector<Change> trace = playToEnd(machine);
  const GroundTruth& t = machine.truth();
  EXPECT_EQ(t.games, 20000);
  EXPECT_EQ(static_cast<std::int64_t>(pulses(trace, kCoinInBit).size()), t.coinsBet);
  EXPECT_EQ(static_cast<std::int64_t>(pulses(trace, kCoinOutBit).size()), t.coinsPaid);
  EXPECT_EQ(static_cast<std::int64_t>(pulses(trace, kBigBit).size()), t.bigs);
  EXPECT_EQ(static_cast<std::int64_t>(pulses(trace, kRegBit).size()), t.regs);
  EXPECT_EQ(static_cast<std::int64_t>(pulses(trace, kPin5Bit).size()), t.bigs);
  EXPECT_EQ(t.pin5Pulses, t.bigs);
  EXPECT_EQ(t.coinsBet, 3 * t.countedGames);
  EXPECT_EQ(t.countedGames + t.freeGames, t.games);

  // Bonus games are the bets made while a bonus line is on; the games since the last bonus
  // are the bets after the last line went off.
  const std::vector<std::int64_t> starts = betStarts(trace);
  std::int64_t bonusGames = 0;
  std::int64_t lastBonusEnd = 0;
  for (std::uint8_t bit : {kBigBit, kRegBit}) {
    for (const Pulse& b : pulses(trace, bit)) {
      bonusGames += std::count_if(starts.begin(), starts.end(), [&](std::int64_t s) {
        return s > b.on && (b.off < 0 || s < b.off);
      });
      lastBonusEnd = std::max(lastBonusEnd, b.off);
    }
  }
  EXPECT_EQ(t.countedBonusGames, bonusGames);
  EXPECT_EQ(t.gamesSinceBonus, std::count_if(starts.begin(), starts.end(),
                                             [&](std::int64_t s) { return s > lastBonusEnd; }));

  // Every coin paid before the latest counted game outside a bonus is in one measured payout.
  std::int64_t measured = 0, games = 0;
  for (const auto& [coins, times] : t.measuredPayouts) {
    measured += coins * times;
    games += times;
  }
  EXPECT_EQ(measured, t.paidAtLastCountedGame);
  EXPECT_EQ(games, t.countedGames - t.countedBonusGames);
  std::int64_t paid = 0, played = 0;
  for (const auto& [coins, n] : t.payouts) {
    paid += coins * n;
    played += n;
  }
  EXPECT_EQ(paid, t.coinsPaid);
  EXPECT_EQ(played, t.games);
}

// A machine without randomness in its timing: the game starts at 0 and runs like a clock.
MachineDescription clockwork() {
  MachineDescription d;
  d.pauseMs = 0;
  d.jitterMs = 0;
  return d;
}

TEST(Machine, AReplayMakesTheNextGameFreeAndTheCounterBlindToIt) {
  MachineDescription d = clockwork();
  d.bigOdds = d.regOdds = 0;
  d.replayOdds = 2;
  d.wins = {{8, 2}};  // every game is a replay or pays 8
  Machine machine(d, 3, 1, 1000);
  const std::vector<Change> trace = playToEnd(machine);
  const GroundTruth& t = machine.truth();
  EXPECT_NEAR(t.pin5Pulses, t.freeGames, 1);
  EXPECT_NEAR(static_cast<double>(t.freeGames), 500, 60);
  EXPECT_EQ(t.countedGames, 1000 - t.freeGames);
  EXPECT_EQ(t.payouts.size(), 2u);  // 0 for a replay, 8 for a win
  // A counted game that wins a replay pays nothing itself, but the coins of the free games
  // after it are measured with it: only the first game of the play measures 0.
  EXPECT_EQ(t.measuredPayouts,
            (std::map<std::int64_t, std::int64_t>{{0, 1}, {8, t.countedGames - 1}}));
  EXPECT_EQ(betStarts(trace).size(), static_cast<std::size_t>(t.countedGames));
}

TEST(Machine, PlaysTheSettingOfItsDescription) {
  MachineDescription d = clockwork();
  d.settings[5] = {0, 0, 0, {{2, 0}, {8, 1}}, 0};  // at setting 6 every game pays 8
  for (const int setting : {1, 6}) {
    SCOPED_TRACE(setting);
    d.setting = setting;
    Machine machine(d, 2, 1, 50);
    playToEnd(machine);
    EXPECT_EQ(machine.truth().setting, setting);
    EXPECT_EQ(machine.truth().payouts.at(8) == 50, setting == 6);
  }
}

TEST(Machine, TheTruthIsThatOfTheMomentAdvancedTo) {
  Machine machine(clockwork(), 1, 1, 1);
  // The bet: coins at 0..50, 100..150 and 200..250.
  machine.advanceTo(120);
  EXPECT_EQ(machine.byte(), 0xFE);
  EXPECT_EQ(machine.truth().coinsBet, 2);
  EXPECT_EQ(machine.truth().countedGames, 1);
  EXPECT_EQ(machine.truth().games, 0);
  machine.advanceTo(60);  // time does not go back
  EXPECT_EQ(machine.byte(), 0xFE);
  machine.advanceTo(150);
  EXPECT_EQ(machine.byte(), 0xFF);
  EXPECT_EQ(machine.nextEventTime(), 200);
  machine.advanceTo(1'000'000);
  EXPECT_EQ(machine.truth().coinsBet, 3);
  EXPECT_EQ(machine.truth().games, 1);
  EXPECT_EQ(machine.nextEventTime(), std::nullopt);
}

TEST(Machine, ABonusCutOffByTheLastGameKeepsItsLineOn) {
  MachineDescription d = clockwork();
  d.bigOdds = 1;
  d.regOdds = d.replayOdds = 0;
  d.wins.clear();
  Machine machine(d, 1, 1, 10);  // a BIG at the first game, then 9 of its games
  playToEnd(machine);
  EXPECT_EQ(machine.byte(), 0xF7);
  EXPECT_EQ(machine.truth().bigs, 1);
  EXPECT_EQ(machine.truth().countedBonusGames, 9);
  EXPECT_EQ(machine.truth().bestBigNet, std::nullopt);
}

}  // namespace
}  // namespace tallix
