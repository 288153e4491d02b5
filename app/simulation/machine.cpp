#include "machine.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace tallix {

Machine::Machine(const MachineDescription& description, std::uint64_t seed, double speed,
                 std::optional<std::int64_t> games)
    : d_(description), odds_(d_.odds(d_.setting)), rng_(seed), speed_(speed), gamesLeft_(games) {
  if (!(speed > 0) || !std::isfinite(speed)) throw std::invalid_argument("speed must be above 0");
  truth_.setting = d_.setting;
  nextStart_ = scaled(d_.pauseMs);
}

std::optional<std::int64_t> Machine::nextEventTime() {
  while (events_.empty() && (!gamesLeft_ || *gamesLeft_ > 0)) playGame();
  if (events_.empty()) return std::nullopt;
  return events_.front().time;
}

void Machine::advanceTo(std::int64_t ms) {
  for (auto t = nextEventTime(); t && *t <= ms; t = nextEventTime()) {
    apply(events_.front());
    events_.pop_front();
  }
}

// One game from its start to its end: the bet, the reels, the outcome and its payout, and a
// bonus line going on or off after it. Its events are queued in time order.
void Machine::playGame() {
  if (gamesLeft_) --*gamesLeft_;
  std::vector<Event> events;
  const std::int64_t start = nextStart_;
  const bool free = std::exchange(freeGame_, false);
  const bool inBonus = bonusGamesLeft_ > 0;

  std::int64_t t = start;
  std::int64_t end = start;
  if (!free) {
    for (int k = 0; k < d_.bet; ++k) {
      const Fact fact = k > 0 ? Fact::coinBet : inBonus ? Fact::bonusGameBet : Fact::gameBet;
      end = pulse(events, t, kCoinInBit, fact);
      t = end + jittered(d_.gapMs);
    }
  }
  const std::int64_t stop = std::max(t, start + scaled(d_.spinMs));  // the reels have stopped

  enum class Outcome { lose, replay, win, big, reg } outcome = Outcome::lose;
  int paid = 0;
  if (inBonus) {
    paid = bonus_ == Bonus::big ? d_.bigPay : d_.regPay;
    bonusNet_ += paid - (free ? 0 : d_.bet);
  } else {
    double u = chance();
    const auto hit = [&u](double odds) {
      if (odds <= 0) return false;
      u -= 1 / odds;
      return u < 0;
    };
    if (hit(odds_.big)) {
      outcome = Outcome::big;
    } else if (hit(odds_.reg)) {
      outcome = Outcome::reg;
    } else if (hit(odds_.replay)) {
      outcome = Outcome::replay;
    } else {
      for (const SmallWin& w : odds_.wins) {
        if (hit(w.odds)) {
          outcome = Outcome::win;
          paid = w.coins;
          break;
        }
      }
    }
  }

  t = stop;
  for (int i = 0; i < paid; ++i) {
    end = pulse(events, t, kCoinOutBit, Fact::coinPaid);
    t = end + jittered(d_.gapMs);
  }
  end = std::max(end, stop);
  if (outcome == Outcome::replay) freeGame_ = true;
  if ((outcome == Outcome::replay && d_.pin5 == Pin5Feature::replay) ||
      (outcome == Outcome::win && d_.pin5 == Pin5Feature::win)) {
    end = std::max(end, pulse(events, stop, kPin5Bit, Fact::pin5Pulse));
  }

  if (inBonus && --bonusGamesLeft_ == 0) {
    const bool big = bonus_ == Bonus::big;
    end += scaled(d_.lineDelayMs);
    events.push_back(
        {end, big ? kBigBit : kRegBit, false, big ? Fact::bigEnd : Fact::regEnd, bonusNet_});
    bonus_ = Bonus::none;
  }
  if (outcome == Outcome::big || outcome == Outcome::reg) {
    const bool big = outcome == Outcome::big;
    end += scaled(d_.lineDelayMs);
    events.push_back({end, big ? kBigBit : kRegBit, true, big ? Fact::bigStart : Fact::regStart});
    if (d_.pin5 == (big ? Pin5Feature::big : Pin5Feature::reg)) {
      end = pulse(events, end, kPin5Bit, Fact::pin5Pulse);
    }
    bonus_ = big ? Bonus::big : Bonus::reg;
    bonusGamesLeft_ = big ? uniform(d_.bigGamesMin, d_.bigGamesMax) : d_.regGames;
    bonusNet_ = 0;
  }
  events.push_back({end, 0, false, free ? Fact::freeGameEnd : Fact::gameEnd, paid});

  std::stable_sort(events.begin(), events.end(),
                   [](const Event& a, const Event& b) { return a.time < b.time; });
  events_.insert(events_.end(), events.begin(), events.end());

  const std::int64_t period =
      std::max(std::llround(d_.gameMs / speed_), static_cast<long long>(kShortestGameMs));
  // The player pulls the lever when the machine allows it and they are ready, after a pause.
  nextStart_ = std::max(start + period, end + jittered(d_.gapMs)) +
               scaled(uniform(0, 2 * std::int64_t{d_.pauseMs}));
}

// A relay pulse on a line from `at`; returns the time it ends.
std::int64_t Machine::pulse(std::vector<Event>& events, std::int64_t at, std::uint8_t line,
                            Fact fact) {
  const std::int64_t off = at + jittered(line == kPin5Bit ? d_.pin5Ms : d_.pulseMs);
  events.push_back({at, line, true, fact});
  events.push_back({off, line, false, Fact::none});
  return off;
}

void Machine::apply(const Event& e) {
  byte_ = e.on ? byte_ & ~e.lines : byte_ | e.lines;
  GroundTruth& g = truth_;
  switch (e.fact) {
    case Fact::none:
      break;
    case Fact::gameBet:
      ++g.countedGames;
      ++g.gamesSinceBonus;
      ++g.measuredPayouts[g.coinsPaid - g.paidAtLastCountedGame];
      if (g.countedGames - g.countedBonusGames > 1 && !g.bonusSinceLastCountedGame) {
        ++g.gamePayouts[g.coinsPaid - g.paidAtLastCountedGame];
      }
      g.bonusSinceLastCountedGame = false;
      g.paidAtLastCountedGame = g.coinsPaid;
      ++g.coinsBet;
      break;
    case Fact::bonusGameBet:
      ++g.countedGames;
      ++g.countedBonusGames;
      ++g.coinsBet;
      break;
    case Fact::coinBet:
      ++g.coinsBet;
      break;
    case Fact::coinPaid:
      ++g.coinsPaid;
      break;
    case Fact::bigStart:
      ++g.bigs;
      g.bonusSinceLastCountedGame = true;
      break;
    case Fact::bigEnd:
      g.gamesSinceBonus = 0;
      g.bestBigNet = std::max(g.bestBigNet.value_or(e.value), e.value);
      break;
    case Fact::regStart:
      ++g.regs;
      g.bonusSinceLastCountedGame = true;
      break;
    case Fact::regEnd:
      g.gamesSinceBonus = 0;
      break;
    case Fact::pin5Pulse:
      ++g.pin5Pulses;
      break;
    case Fact::gameEnd:
    case Fact::freeGameEnd:
      ++g.games;
      if (e.fact == Fact::freeGameEnd) ++g.freeGames;
      ++g.payouts[e.value];
      break;
  }
}

// A duration of the description at the play's speed. The speed never takes a duration below
// kShortestPulseMs; one that is already that short is left as it is.
std::int64_t Machine::scaled(std::int64_t ms) const {
  if (ms <= kShortestPulseMs) return ms;
  return std::max(static_cast<std::int64_t>(std::llround(ms / speed_)), kShortestPulseMs);
}

// A relay's pulse width or gap: the description's value, off by up to the jitter either way.
std::int64_t Machine::jittered(int ms) {
  const std::int64_t d = ms + (d_.jitterMs > 0 ? uniform(-d_.jitterMs, d_.jitterMs) : 0);
  return scaled(std::max<std::int64_t>(d, 1));
}

// The random draws are made from the raw output of the engine, whose sequence the language
// fixes, rather than with the library's distributions, whose algorithms it leaves open: a seed
// gives the same play with every compiler.
std::int64_t Machine::uniform(std::int64_t min, std::int64_t max) {
  return min + static_cast<std::int64_t>(rng_() % static_cast<std::uint64_t>(max - min + 1));
}

double Machine::chance() {
  return static_cast<double>(rng_() >> 11) * 0x1.0p-53;
}

std::vector<Change> playToEnd(Machine& machine) {
  std::vector<Change> trace{{0, machine.byte()}};
  while (const auto t = machine.nextEventTime()) {
    machine.advanceTo(*t);
    if (machine.byte() != trace.back().byte) trace.push_back({*t, machine.byte()});
  }
  return trace;
}

}  // namespace tallix
