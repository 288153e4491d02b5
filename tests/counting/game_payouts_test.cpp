// Every payout per game, as the counter measures it: from the first coin of a counted game to
// the first coin of the next one outside a bonus, a game after which a bonus starts counted as
// that bonus.
#include "counting/game_payouts.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/play.h"

namespace tallix {
namespace {

using testing::kBig;
using testing::kCoinOut;
using testing::kReg;
using testing::Play;

TEST(GamePayouts, EachCountedGameIsCountedOnceByWhatItPaidOrTheBonusItStarted) {
  const struct {
    const char* name;
    std::function<void(Play&)> play;
    std::optional<PayoutCounts> counts;
  } rows[] = {
      {"a game is counted when the next one starts",
       [](Play& p) {
         p.game(3, 8);
         p.game(3, 0);
         p.game(3, 2);
       },
       PayoutCounts{0, 0, {{0, 1}, {8, 1}}}},
      {"coins paid without a bet (a replay's free game) fall into the game before",
       [](Play& p) {
         p.game(3, 0);
         p.idle(2500);
         p.pulse(kCoinOut, 10);
         p.game(3, 0);
       },
       PayoutCounts{0, 0, {{10, 1}}}},
      {"a game after which a BIG starts is the BIG, and its bonus games are none",
       [](Play& p) {
         p.game();
         p.holdLines(kBig);
         p.game(3, 15);
         p.game(3, 15);
         p.holdLines(0);
         p.game();
         p.game(3, 2);
         p.game();
       },
       PayoutCounts{1, 0, {{0, 1}, {2, 1}}}},
      {"a BIG that starts during a REG has no game of its own",
       [](Play& p) {
         p.game();
         p.holdLines(kReg);
         p.game(3, 15);
         p.holdLines(kReg | kBig);
         p.game(3, 15);
         p.holdLines(0);
         p.game();
         p.game();
       },
       PayoutCounts{0, 1, {{0, 1}}}},
      {"nor does a bonus before the first game",
       [](Play& p) {
         p.holdLines(kBig);
         p.tick();
         p.holdLines(0);
         p.game();
         p.game();
       },
       PayoutCounts{0, 0, {{0, 1}}}},
      {"after a clear or a load the game in play is not counted",
       [](Play& p) {
         p.game(3, 0);
         p.pulse(kCoinOut, 4);
         p.counter.payouts().replace(PayoutCounts{0, 0, {{15, 3}}});
         p.game(3, 5);
         p.game();
       },
       PayoutCounts{0, 0, {{5, 1}, {15, 3}}}},
      {"a play whose record kept none counts none",
       [](Play& p) {
         p.counter.payouts().replace(std::nullopt);
         p.game(3, 8);
         p.game();
       },
       std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Play play;
    row.play(play);
    EXPECT_EQ(play.counter.payouts().counts(), row.counts);
  }
}

}  // namespace
}  // namespace tallix
