#include "ground_truth.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/profile.h"

namespace tallix {

namespace {

// A counter saturates at the ends of its signed 32-bit range.
std::int32_t saturated(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int64_t countOf(const std::map<std::int64_t, std::int64_t>& map, std::int64_t key) {
  const auto it = map.find(key);
  return it == map.end() ? 0 : it->second;
}

}  // namespace

Counters expectedRecord(const GroundTruth& truth, const Settings& settings) {
  Counters c;
  c.in_count = saturated(truth.coinsBet);
  c.out_count = saturated(truth.coinsPaid);
  c.big_count = saturated(truth.bigs);
  c.reg_count = saturated(truth.regs);
  c.start_all_count = saturated(truth.countedGames - truth.countedBonusGames);
  c.start_total_count = saturated(truth.countedGames);
  c.start_bonus_count = saturated(truth.gamesSinceBonus);
  c.no5 = settings.data5pinEnabled ? saturated(truth.pin5Pulses) : 0;
  // big_max_coin starts at 0 and is raised at the end of a BIG to the BIG's coins, which start
  // at the coins credited at its start.
  if (truth.bestBigNet)
    c.big_max_coin = std::max(0, saturated(settings.bigSetCoin + *truth.bestBigNet));
  std::int32_t* tallies[] = {&c.koyaku1t, &c.koyaku2t, &c.koyaku3t};
  for (int i = 0; i < 3; ++i) {
    const int coins = settings.koyaku[i];
    if (coins > 0) *tallies[i] = saturated(countOf(truth.measuredPayouts, coins));
  }
  return c;
}

void writeGroundTruth(const GroundTruth& truth, const Settings& settings,
                      const std::filesystem::path& path) {
  ProfileFile ini(
      "; The ground truth of a simulated play. [data]: what a counter's record must hold after\r\n"
      "; seeing it from an empty record; [play]: the machine's own figures; [payouts]: coins "
      "paid\r\n"
      "; in one game = games; [measured]: coins from the first coin of a counted game outside a\r\n"
      "; bonus to that of the next (what a counter takes as a game's payout) = how often;\r\n"
      "; [counted]: the games a counter counts as starting a BIG or a REG, then the measured\r\n"
      "; payouts of the other games = how often (the game in play left out).\r\n");
  const Counters c = expectedRecord(truth, settings);
  for (const CounterField& f : kRecordCounters) {
    if (std::find(kTruthKeys.begin(), kTruthKeys.end(), f.key) != kTruthKeys.end()) {
      ini.write("data", f.key, std::to_string(f.get(c)));
    }
  }
  const std::pair<const char*, std::int64_t> play[] = {
      {"setting", truth.setting},
      {"games", truth.games},
      {"free_games", truth.freeGames},
      {"counted_games", truth.countedGames},
      {"counted_bonus_games", truth.countedBonusGames},
      {"coins_bet", truth.coinsBet},
      {"coins_paid", truth.coinsPaid},
      {"bigs", truth.bigs},
      {"regs", truth.regs},
      {"pin5_pulses", truth.pin5Pulses},
  };
  for (const auto& [key, value] : play) ini.write("play", key, std::to_string(value));
  for (const auto& [coins, games] : truth.payouts) {
    ini.write("payouts", std::to_string(coins), std::to_string(games));
  }
  for (const auto& [coins, times] : truth.measuredPayouts) {
    ini.write("measured", std::to_string(coins), std::to_string(times));
  }
  ini.write("counted", "big", std::to_string(truth.bigs));
  ini.write("counted", "reg", std::to_string(truth.regs));
  for (const auto& [coins, times] : truth.gamePayouts) {
    ini.write("counted", std::to_string(coins), std::to_string(times));
  }
  ini.save(path);
}

}  // namespace tallix
