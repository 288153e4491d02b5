#include "counting/counter.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/play.h"

namespace tallix {
namespace {

using testing::digits;
using testing::kBig;
using testing::kCoinIn;
using testing::kCoinOut;
using testing::kPin5;
using testing::kReg;
using testing::Play;

TEST(CounterStart, PanelIsInItsDesignState) {
  const Counter counter;
  const Panel& p = counter.panel();
  const struct {
    TextId id;
    const char* text;
    bool visible;
  } rows[] = {
      {TextId::temochiCoin, "0", true},      {TextId::dedamaritsu, "0.00%", true},
      {TextId::bigKakuritsu, "1/-", true},   {TextId::regKakuritsu, "1/-", true},
      {TextId::kankin3, "0", true},          {TextId::tosiKingaku, "0", true},
      {TextId::bigCoin, "0", true},          {TextId::bigMaxCoin, "0", true},
      {TextId::Text5pin, "0", false},        {TextId::label5pin, "AT", false},
      {TextId::koyakulabel2, "枚役", false}, {TextId::koyakudata0, "0回　　1/-　　0G/0G", false},
      {TextId::rate1Label, "5枚", true},     {TextId::rate3Label, "7.6枚", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(textName(row.id));
    EXPECT_EQ(p.text(row.id).text, row.text);
    EXPECT_EQ(p.text(row.id).visible, row.visible);
  }
  EXPECT_EQ(digits(p, GroupId::gameImage), "00000");
  EXPECT_EQ(digits(p, GroupId::saImage), "000000");
  EXPECT_EQ(p.group(GroupId::saImage).set, PictureSet::Image1g);
  EXPECT_FALSE(p.saMinusVisible());
  EXPECT_EQ(p.history(0).colour, kBigColour);
  EXPECT_EQ(p.history(9).colour, kUnusedHistoryColour);
  EXPECT_EQ(p.chart().rows(), std::vector<std::string>{"0"});
}

TEST(CounterStart, SettingsShapeCaptionsAndBoxes) {
  Settings s;
  s.rate = {5, 0, 7.6};
  s.koyaku = {10, 0, 5};
  s.koyakuG = {30, 0, 0};
  s.data5pinEnabled = true;
  s.name5pin = "";
  Counter counter;
  counter.applySettings(s);
  const Panel& p = counter.panel();
  EXPECT_EQ(p.text(TextId::rate1Label).text, "5枚");
  EXPECT_EQ(p.text(TextId::rate2Label).text, "0枚");
  EXPECT_EQ(p.text(TextId::rate3Label).text, "7.6枚");
  EXPECT_EQ(p.text(TextId::koyakulabel0).text, "10枚役");
  EXPECT_TRUE(p.text(TextId::koyakudata0).visible);
  EXPECT_EQ(p.text(TextId::koyakulabel1).text, "枚役");
  EXPECT_FALSE(p.text(TextId::koyakulabel1).visible);
  EXPECT_FALSE(p.text(TextId::koyakudata1).visible);
  EXPECT_EQ(p.text(TextId::koyakulabel2).text, "5枚役");
  EXPECT_TRUE(p.text(TextId::label5pin).visible);
  EXPECT_EQ(p.text(TextId::label5pin).text, "");
  EXPECT_TRUE(p.text(TextId::Text5pin).visible);
}

TEST(CounterTick, IdleAndInvalidBytesChangeNothing) {
  Play play;
  play.idle(10);
  play.pulse(kCoinIn);
  play.idle(3000);
  const Panel::Revisions before = play.panel().revisions();
  const std::uint64_t chartBefore = play.panel().chart().revision();
  play.idle(5000);
  // Port bit 7 low: every level is 0 or negative, so nothing can rise.
  for (int byte = 0; byte < 0x80; ++byte) play.tickByte(static_cast<std::uint8_t>(byte));
  EXPECT_EQ(play.panel().revisions(), before);
  EXPECT_EQ(play.panel().chart().revision(), chartBefore);
  EXPECT_EQ(play.c().in_count, 1);
}

TEST(CounterTick, ALineHeldOnIsCountedOnce) {
  Play play;
  for (int i = 0; i < 50; ++i) play.tick(kCoinOut);
  play.idle(5);
  EXPECT_EQ(play.c().out_count, 1);
  play.pulse(kCoinOut);
  EXPECT_EQ(play.c().out_count, 2);
  EXPECT_EQ(digits(play.panel(), GroupId::outImage), "000002");
}

TEST(CounterGames, CoinsWithinTheGuardAreOneGame) {
  Play play;
  play.pulse(kCoinIn, 3);  // ticks 0..5
  play.idle(1993);         // up to tick 1998
  play.pulse(kCoinIn);     // on at 1999: the game counted at 0 still guards
  EXPECT_EQ(play.c().in_count, 4);
  EXPECT_EQ(play.c().start_all_count, 1);
  EXPECT_EQ(play.c().start_bonus_count, 1);
  EXPECT_EQ(play.c().start_total_count, 1);
  play.pulse(kCoinIn);  // on at 2001, after the guard ran out at 2000
  EXPECT_EQ(play.c().in_count, 5);
  EXPECT_EQ(play.c().start_all_count, 2);
  EXPECT_EQ(play.c().start_total_count, 2);
  EXPECT_EQ(digits(play.panel(), GroupId::gameImage), "00002");
  EXPECT_EQ(digits(play.panel(), GroupId::totalImage), "00002");
  EXPECT_EQ(digits(play.panel(), GroupId::inImage), "000005");
}

TEST(CounterGames, CoinsOutNeverCountGames) {
  Play play;
  play.pulse(kCoinOut, 5);
  play.idle(2500);
  play.pulse(kCoinOut);
  EXPECT_EQ(play.c().start_total_count, 0);
  EXPECT_FALSE(play.counter.timer2Enabled());
}

TEST(CounterCoins, LotsAreBoughtWhenNoCoinIsLeft) {
  Play play;
  play.pulse(kCoinIn);
  EXPECT_EQ(play.c().tosi_kingaku, 1);
  EXPECT_EQ(play.c().tosi_coin, 49);
  EXPECT_EQ(play.text(TextId::tosiKingaku), "¥1000");
  play.pulse(kCoinIn, 49);
  EXPECT_EQ(play.c().tosi_coin, 0);
  EXPECT_EQ(play.text(TextId::tosiKingaku), "¥1000");
  play.pulse(kCoinIn);  // the fiftieth coin after the first buys the next lot
  EXPECT_EQ(play.c().tosi_kingaku, 2);
  EXPECT_EQ(play.c().tosi_coin, 49);
  EXPECT_EQ(play.text(TextId::tosiKingaku), "¥2000");
  EXPECT_EQ(play.text(TextId::temochiCoin), "49");
}

TEST(CounterCoins, CoinsWonAreBetFirst) {
  Play play;
  play.pulse(kCoinOut, 10);
  EXPECT_EQ(play.c().temochi_coin, 10);
  play.pulse(kCoinIn, 10);
  EXPECT_EQ(play.c().temochi_coin, 0);
  EXPECT_EQ(play.c().tosi_coin, 0);
  EXPECT_EQ(play.c().tosi_kingaku, 0);
  EXPECT_EQ(play.text(TextId::tosiKingaku), "0");
  play.pulse(kCoinIn);
  EXPECT_EQ(play.c().tosi_kingaku, 1);
}

TEST(CounterBonus, BigAndRegTogetherCountTheBigAndARegLeftOn) {
  Play play;
  play.counter.counters().start_bonus_count = 150;
  play.tick(kBig | kReg);
  EXPECT_EQ(play.c().big_count, 1);
  EXPECT_EQ(play.c().reg_count, 0);
  EXPECT_EQ(play.panel().history(0).text, "■■");
  play.tick(kReg);  // the BIG line goes off while REG is still on
  EXPECT_EQ(play.c().big_count, 1);
  EXPECT_EQ(play.c().reg_count, 1);
  EXPECT_EQ(digits(play.panel(), GroupId::regImage), "001");
  EXPECT_EQ(play.panel().history(0).colour, kRegColour);
  EXPECT_EQ(play.panel().history(0).text, "");  // the BIG end reset the run-up
  EXPECT_EQ(play.panel().history(1).colour, kBigColour);
  EXPECT_EQ(play.panel().history(1).text, "■■");
  play.idle(2);
  EXPECT_EQ(play.c().reg_count, 1);
  // A BIG edge alone does not refresh the probabilities; the next coin does.
  EXPECT_EQ(play.text(TextId::bigKakuritsu), "1/-");
  play.pulse(kCoinOut);
  EXPECT_EQ(play.text(TextId::bigKakuritsu), "1/0");
  EXPECT_EQ(play.text(TextId::regKakuritsu), "1/0");
}

TEST(CounterBonus, PortByte7FReleasesFourLatchesButNotTheFivePin) {
  Settings s;
  s.data5pinEnabled = true;
  Play play(s);
  play.tickByte(0x80);  // every line on
  EXPECT_EQ(play.c().no5, 1);
  EXPECT_EQ(play.c().big_count, 1);
  EXPECT_EQ(play.c().reg_count, 0);  // REG rose in the tick the BIG rose
  EXPECT_EQ(play.c().in_count, 1);
  EXPECT_EQ(play.c().out_count, 1);
  play.tickByte(0x7F);
  play.tickByte(0x80);  // all on again: four lines rise again, the 5-pin latch still holds
  EXPECT_EQ(play.c().no5, 1);
  EXPECT_EQ(play.c().big_count, 2);
  EXPECT_EQ(play.c().in_count, 2);
  EXPECT_EQ(play.c().out_count, 2);
  EXPECT_EQ(play.text(TextId::Text5pin), "1");
}

TEST(CounterBonus, BigCoinsCountDuringTheBigAndSetTheBest) {
  Settings s;
  s.bigSetCoin = 0;
  Play play(s);
  play.counter.counters().big_max_coin = 5;
  play.holdLines(kBig);
  play.tick();
  play.game(3, 15);
  EXPECT_EQ(play.c().big_coin, 12);
  EXPECT_EQ(play.text(TextId::bigCoin), "12");
  EXPECT_EQ(play.text(TextId::bigMaxCoin), "0");
  play.holdLines(0);
  play.tick();
  EXPECT_EQ(play.c().big_max_coin, 12);
  EXPECT_EQ(play.text(TextId::bigMaxCoin), "12");
  // A REG moves no BIG coins.
  play.holdLines(kReg);
  play.game(3, 15);
  EXPECT_EQ(play.c().big_coin, 12);
}

TEST(CounterBonus, BigStartsFromTheCoinsCredited) {
  Settings s;
  s.bigSetCoin = 100;
  Play play(s);
  play.tick(kBig);
  EXPECT_EQ(play.text(TextId::bigCoin), "100");
}

TEST(CounterBonus, GamesInABonusCountOnlyTowardTheTotal) {
  Settings s;
  s.koyaku = {8, 0, 0};
  Play play(s);
  play.game(3, 0);
  play.holdLines(kBig);
  play.idle(1);
  play.counter.counters().start_total_count = 24;
  play.game(3, 0);
  EXPECT_EQ(play.c().start_all_count, 1);
  EXPECT_EQ(play.c().start_bonus_count, 1);
  EXPECT_EQ(play.c().start_total_count, 25);
  EXPECT_EQ(digits(play.panel(), GroupId::gameImage), "00001");
  EXPECT_EQ(play.panel().chart().rowCount(), 2);  // the graph counts bonus games
  EXPECT_EQ(play.text(TextId::koyakudata0), "0回　　1/-　　0G/0G");
}

TEST(CounterFivePin, CountedOnlyWhenEnabled) {
  Play off;
  const Panel::Revisions before = off.panel().revisions();
  off.pulse(kPin5);
  off.pulse(0x70);
  EXPECT_EQ(off.c().no5, 0);
  EXPECT_EQ(off.panel().revisions(), before);

  Settings s;
  s.data5pinEnabled = true;
  Play on(s);
  on.pulse(kPin5);
  on.pulse(0x40);
  EXPECT_EQ(on.c().no5, 2);
  EXPECT_EQ(on.text(TextId::Text5pin), "2");
  EXPECT_EQ(on.text(TextId::temochiCoin), "0");  // a 5-pin edge refreshes no statistics
}

TEST(CounterLimits, CountersStopAtTheEndsOfTheirRange) {
  Settings s;
  s.koyaku = {8, 0, 0};
  Play play(s);
  Counters& c = play.counter.counters();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  c.in_count = kMax;
  c.out_count = kMax;
  c.tosi_kingaku = kMax;
  c.koyaku1g_now = std::numeric_limits<std::int16_t>::min();
  play.game(1, 1);
  EXPECT_EQ(c.in_count, kMax);
  EXPECT_EQ(c.out_count, kMax);
  EXPECT_EQ(c.tosi_kingaku, kMax);
  EXPECT_EQ(c.koyaku1g_now, std::numeric_limits<std::int16_t>::min());
  EXPECT_EQ(play.text(TextId::tosiKingaku), "¥2147483647");
  EXPECT_EQ(digits(play.panel(), GroupId::inImage), "483647");
}

}  // namespace
}  // namespace tallix
