// What a simulated play really was, kept by the simulated machine itself as its lines change,
// and what a counter that saw every pulse must therefore show.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>

#include "base/settings.h"
#include "counting/counters.h"

namespace tallix {

struct GroundTruth {
  int setting = 1;         // the setting the machine played
  std::int64_t games = 0;  // games played to their end
  std::int64_t freeGames =
      0;  // of those, games after a replay: no coin bet, so no counter sees them
  std::int64_t countedGames = 0;       // games started by a coin bet: what a counter counts
  std::int64_t countedBonusGames = 0;  // of those, games played while a bonus line is on
  std::int64_t gamesSinceBonus = 0;    // counted games outside bonuses since the last bonus ended
  std::int64_t coinsBet = 0;
  std::int64_t coinsPaid = 0;
  std::int64_t bigs = 0;
  std::int64_t regs = 0;
  std::int64_t pin5Pulses = 0;
  // The most coins won in one BIG that has ended: coins paid minus coins bet while its line was
  // on. Empty until the first BIG ends.
  std::optional<std::int64_t> bestBigNet;
  // Games by the coins each paid (free and bonus games included).
  std::map<std::int64_t, std::int64_t> payouts;
  // What a counter measures as a game's payout: the coins paid from the first coin of a counted
  // game outside a bonus to the first coin of the next one (a replay's free game and a whole
  // bonus fall into the game before them), by how often each sum was measured. The first game
  // of a play measures 0.
  std::map<std::int64_t, std::int64_t> measuredPayouts;
  std::int64_t paidAtLastCountedGame = 0;  // coinsPaid at the latest counted game outside a bonus
  // What a counter counts of every payout (counting/game_payouts.h): the measured payouts of
  // the counted games outside bonuses after which no bonus started, by how often each sum was
  // measured, the game in play left out. Every bonus starts after such a game, so the games
  // counted as a BIG or a REG are `bigs` and `regs`.
  std::map<std::int64_t, std::int64_t> gamePayouts;
  bool bonusSinceLastCountedGame = false;
};

// The record keys whose values the ground truth fixes.
inline constexpr std::array<std::string_view, 12> kTruthKeys = {
    "in_count",        "out_count",         "big_count",         "reg_count",
    "start_all_count", "start_total_count", "start_bonus_count", "no5",
    "big_max_coin",    "koyaku1t",          "koyaku2t",          "koyaku3t"};

// The record a counter with these settings holds after seeing the play from an empty record,
// in the fields of kTruthKeys; the other fields stay 0.
Counters expectedRecord(const GroundTruth& truth, const Settings& settings);

// Writes the ground truth as an INI file: section [data] holds expectedRecord() under the
// record's key names; [play] the setting and the machine's own figures; [payouts], [measured]
// and [counted] the three maps as coins=games, [counted] after big= and reg=. Throws FileError when
// the file cannot be written.
void writeGroundTruth(const GroundTruth& truth, const Settings& settings,
                      const std::filesystem::path& path);

}  // namespace tallix
