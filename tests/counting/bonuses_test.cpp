#include "counting/bonuses.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/play.h"

namespace tallix {
namespace {

using testing::kBig;
using testing::kCoinIn;
using testing::kCoinOut;
using testing::kReg;
using testing::Play;

// The bonuses as "kind,game,run_up,coins" and "+" while one runs.
std::vector<std::string> listed(const Play& play) {
  std::vector<std::string> rows;
  for (const Bonus& b : play.counter.bonuses().all()) {
    const std::string fields = bonusFields(b);
    rows.push_back(fields.substr(0, fields.rfind(',', fields.rfind(',') - 1)) +
                   (b.end == Bonus::kNoTime ? "+" : ""));
  }
  return rows;
}

TEST(BonusList, EveryBonusWithItsGameRunUpAndCoins) {
  Settings s;
  s.bigSetCoin = 10;
  const struct {
    const char* play;
    std::function<void(Play&)> script;
    std::vector<std::string> bonuses;
  } rows[] = {
      {"a BIG: its coins are big_coin without the credit",
       [](Play& p) {
         p.game();
         p.game();
         p.holdLines(kBig);
         p.game(3, 15);
         p.game(2, 0);
         p.holdLines(0);
         p.game();
         EXPECT_EQ(p.c().big_coin, 20);
       },
       {"BIG,2,2,10"}},
      {"a BIG starting while a REG line is on: both its own, both take the shared coins",
       [](Play& p) {
         p.game();
         p.holdLines(kReg);
         p.game(1, 5);
         p.holdLines(kReg | kBig);
         p.game(3, 15);
         p.holdLines(kBig);
         p.game(3, 1);
         p.holdLines(0);
         p.game();
         p.holdLines(kReg);
         p.tick();
         p.holdLines(0);
         p.tick();
       },
       {"REG,1,1,16", "BIG,1,1,10", "REG,2,1,0"}},
      {"a REG line rising during a BIG is no bonus; still on at the BIG's end it is a REG",
       [](Play& p) {
         p.holdLines(kBig);
         p.game(3, 9);
         p.holdLines(kBig | kReg);
         p.game(3, 9);
         p.holdLines(kReg);
         p.pulse(kCoinOut, 4);
         p.holdLines(0);
         p.tick();
       },
       {"BIG,0,0,12", "REG,0,0,4"}},
      {"a bonus at the end of the play has its coins so far",
       [](Play& p) {
         p.game();
         p.holdLines(kBig);
         p.game(3, 8);
         p.tick(kCoinOut);
       },
       {"BIG,1,1,6+"}},
      {"a coin in the tick of the bonus's start is its own, in that of its end not",
       [](Play& p) {
         p.holdLines(kReg);
         p.tick(kCoinIn);
         p.tick();
         p.holdLines(0);
         p.tick(kCoinOut);
       },
       {"REG,0,0,-1"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.play);
    Play play(s);
    row.script(play);
    EXPECT_EQ(listed(play), row.bonuses);
  }
}

TEST(BonusList, StartAndEndAreTimesOfDayAcrossMidnight) {
  Play play;
  play.startAt(((23 * 60 + 59) * 60 + 58) * 1000 + 400);
  play.idle(1000);
  play.holdLines(kBig);
  play.idle(1000);
  play.holdLines(0);
  play.tick();
  ASSERT_EQ(play.counter.bonuses().all().size(), 1u);
  const Bonus& b = play.counter.bonuses().all()[0];
  EXPECT_EQ(timeOfDayText(b.start), "23:59:59");
  EXPECT_EQ(timeOfDayText(b.end), "00:00:00");
}

}  // namespace
}  // namespace tallix
