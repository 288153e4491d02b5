// The simulated pachislot machine: a seeded model of a play that says, for any moment, which
// of the five signal lines are on, and keeps the ground truth of what it played.
//
//   description + seed -> one game at a time: bet pulses, reels, outcome, payout pulses,
//       bonus lines, 5-pin pulses -> events in time order -> port byte and ground truth
//
// Games are made lazily, one ahead of the time asked for, so a machine can run for ever.
// Time is given from outside in milliseconds and never read here.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <vector>

#include "ground_truth.h"
#include "machine/machine_description.h"
#include "port/port_byte.h"

namespace tallix {

// A counter tells games apart by a 2000 ms guard after each counted game, so the first coins of
// two games stay this far apart however fast the play runs.
inline constexpr std::int64_t kShortestGameMs = 2200;
// No pulse or gap is shortened below this by the speed factor.
inline constexpr std::int64_t kShortestPulseMs = 5;

class Machine {
 public:
  // The machine plays the description's setting (std::out_of_range unless it is 1..6). speed 1
  // plays at the pace of the description; a higher speed shortens the player's pauses,
  // the reels, the pulses and the gaps by that factor, but never below kShortestGameMs between
  // two games nor kShortestPulseMs for a pulse or gap. games: the number of games to play;
  // without it the machine plays for ever.
  Machine(const MachineDescription& description, std::uint64_t seed, double speed = 1,
          std::optional<std::int64_t> games = std::nullopt);

  // The time of the next event (a line going on or off, or the end of a game), or nullopt
  // once the last game has ended.
  std::optional<std::int64_t> nextEventTime();
  // Applies every event up to and including `ms`. A time before the last one changes nothing.
  void advanceTo(std::int64_t ms);
  // The port byte at the time last advanced to.
  std::uint8_t byte() const { return byte_; }
  // The play up to the time last advanced to.
  const GroundTruth& truth() const { return truth_; }

 private:
  enum class Fact : std::uint8_t {
    none,
    coinBet,       // a coin of a bet other than its first
    gameBet,       // the first coin of a game outside a bonus
    bonusGameBet,  // the first coin of a bonus game
    coinPaid,
    bigStart,
    bigEnd,  // value: coins paid minus coins bet during the BIG
    regStart,
    regEnd,
    pin5Pulse,
    gameEnd,      // value: coins paid by the game
    freeGameEnd,  // the same for a game after a replay
  };
  struct Event {
    std::int64_t time;
    std::uint8_t lines;  // the bits that change; 0 for a game end
    bool on;
    Fact fact;
    std::int64_t value = 0;
  };
  enum class Bonus : std::uint8_t { none, big, reg };

  void playGame();
  std::int64_t pulse(std::vector<Event>& events, std::int64_t at, std::uint8_t line, Fact fact);
  void apply(const Event& e);
  std::int64_t scaled(std::int64_t ms) const;
  std::int64_t jittered(int ms);
  std::int64_t uniform(std::int64_t min, std::int64_t max);
  double chance();

  MachineDescription d_;
  SettingOdds odds_;  // of the setting played
  std::mt19937_64 rng_;
  double speed_;
  std::optional<std::int64_t> gamesLeft_;
  std::deque<Event> events_;
  std::uint8_t byte_ = kAllOff;
  GroundTruth truth_;

  std::int64_t nextStart_;  // when the next game may start
  bool freeGame_ = false;   // the next game was won by a replay
  Bonus bonus_ = Bonus::none;
  std::int64_t bonusGamesLeft_ = 0;
  std::int64_t bonusNet_ = 0;  // coins paid minus coins bet in the bonus so far
};

// Plays the machine to the end of its games and gives its trace: the byte at 0, then every
// moment at which it changes. This is the play tallix-sim writes and the simulated source
// hands on.
std::vector<Change> playToEnd(Machine& machine);

}  // namespace tallix
