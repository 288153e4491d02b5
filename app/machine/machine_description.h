// The description of a pachislot machine and of the player at it: how a game runs, what it
// pays and how often at each of its six settings, how long the bonuses last, what pulses the
// 5-pin line. It is read from a small INI file; every key that is absent keeps the value of a
// typical machine. The simulated machine plays it; the setting estimate reads its settings.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/say.h"
#include "counting/setting_estimate.h"

namespace tallix {

// What the machine signals on the 5-pin line: one pulse per game of that outcome.
enum class Pin5Feature { none, replay, win, big, reg };

// The keys of one setting's section, [setting1] .. [setting6]: each one given replaces that of
// [odds] or [wins] for this setting.
struct SettingKeys {
  std::optional<double> big;
  std::optional<double> reg;
  std::optional<double> replay;
  // COINS=N: the odds of the win paying COINS (a win [wins] lacks is this setting's own).
  std::vector<SmallWin> wins;
  double payout = 0;  // the published payout rate in percent; 0 when not given
};

struct MachineDescription {
  // [play] a game and the player's pace, in milliseconds
  int bet = 3;            // coins bet per game, each one coin-in pulse
  int gameMs = 4100;      // shortest time from the start of one game to the start of the next
  int spinMs = 1800;      // from the start of a game to its payout (lever, reels, three stops)
  int pauseMs = 600;      // mean pause of the player before a game can start and they start it
  int pulseMs = 50;       // width of a coin-in or coin-out relay pulse
  int gapMs = 50;         // time between two coin pulses
  int jitterMs = 3;       // widths and gaps vary by up to this much either way, never below 1
  int lineDelayMs = 400;  // from the end of a payout to a bonus line going on or off
  int setting = 1;        // the setting played, 1..6

  // [odds] one game in N outside a bonus, at every setting that does not give its own
  double bigOdds = 287;
  double regOdds = 431;
  double replayOdds = 7.3;  // a replay: the next game is played without coins
  // [wins] coins=N: a small win paying that many coins in one game in N
  std::vector<SmallWin> wins{{2, 36}, {8, 6.49}, {10, 600}, {15, 1000}};
  // [setting1] .. [setting6]: the typical machine's BIG, REG and 8-coin win grow more frequent
  // from setting 1 to 6, and its payout rate from 97.1 % to 110.6 %.
  std::array<SettingKeys, kSettingCount> settings{{
      {{}, {}, {}, {}, 97.1},
      {282, 400, {}, {{8, 6.45}}, 98.5},
      {273, 350, {}, {{8, 6.4}}, 101.2},
      {264, 310, {}, {{8, 6.35}}, 103.9},
      {252, 270, {}, {{8, 6.3}}, 107.4},
      {243, 243, {}, {{8, 6.22}}, 110.6},
  }};

  // The odds of a setting (1..6): its own keys, else those of [odds] and [wins].
  SettingOdds odds(int setting) const;
  // The odds of the six settings with how likely each is before the play, as the setting
  // estimate reads them.
  SettingModel model(
      const std::array<double, kSettingCount>& prior = EstimateSettings{}.prior) const;

  // [big], [reg] the bonus games: how many, and the coins each of them pays
  int bigGamesMin = 21;
  int bigGamesMax = 25;
  int bigPay = 15;
  int regGames = 8;
  int regPay = 15;

  // [pin5]
  Pin5Feature pin5 = Pin5Feature::replay;
  int pin5Ms = 100;
};

// A description whose value cannot be used; the message names the file, section, key, value
// and what a good value is.
class MachineError : public SaidError {
 public:
  using SaidError::SaidError;
};

// Reads a description; absent or empty keys keep their default. Odds are written N or, as tables
// write them, 1/N; a ";" in a value starts a comment. A file that gives any key of [odds] or
// [wins], or any of [setting1] .. [setting6], describes the odds itself: its settings are those
// it gives, none of the typical machine's, and it gives a section for each of the six (an empty
// one takes [odds] and [wins]). A missing file is an error (the player named it). Throws
// MachineError, naming the file, line, section, key and value, for a value that is not a clean
// number or out of range, a section or key a description does not have, a missing setting
// section, or chances that add up to one game or more; FileError when unreadable.
MachineDescription loadMachine(const std::filesystem::path& path);

// What a play's setting estimate is made against: the description `estimate.machine` names, or
// the typical machine, weighed by `estimate.prior`. Throws as loadMachine does.
SettingModel estimateModel(const EstimateSettings& estimate);

}  // namespace tallix
