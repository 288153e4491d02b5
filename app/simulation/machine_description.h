// The description of a simulated pachislot machine and of the player at it: how a game runs,
// what it pays and how often, how long the bonuses last, what pulses the 5-pin line. It is
// read from a small INI file; every key that is absent keeps the value of a typical machine.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallix {

// What the machine signals on the 5-pin line: one pulse per game of that outcome.
enum class Pin5Feature { none, replay, win, big, reg };

struct SmallWin {
  int coins;    // coins the win pays
  double odds;  // one game in `odds` outside a bonus
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

  // [odds] one game in N outside a bonus
  double bigOdds = 300;
  double regOdds = 400;
  double replayOdds = 7.3;  // a replay: the next game is played without coins
  // [wins] coins=N: a small win paying that many coins in one game in N
  std::vector<SmallWin> wins{{2, 36}, {8, 6.5}, {10, 600}, {15, 1000}};

  // [big], [reg] the bonus games: how many, and the coins each of them pays
  int bigGamesMin = 25;
  int bigGamesMax = 30;
  int bigPay = 15;
  int regGames = 8;
  int regPay = 15;

  // [pin5]
  Pin5Feature pin5 = Pin5Feature::replay;
  int pin5Ms = 100;
};

// A description whose value cannot be used; the message names the file, section, key, value
// and what a good value is.
class MachineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a description; absent keys keep their default. A missing file is an error (the player
// named it). Throws MachineError for a value out of range and FileError when unreadable.
MachineDescription loadMachine(const std::filesystem::path& path);

}  // namespace tallix
