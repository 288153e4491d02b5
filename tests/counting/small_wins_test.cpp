#include <gtest/gtest.h>

#include "support/play.h"

namespace tallix {
namespace {

using testing::kBig;
using testing::Play;

Settings smallWins(std::array<std::int16_t, 3> coins, std::array<std::int16_t, 3> windows) {
  Settings s;
  s.koyaku = coins;
  s.koyakuG = windows;
  return s;
}

TEST(SmallWins, TextsOfTheRedraw) {
  const struct {
    std::int32_t tally, games;
    std::int16_t window, countdown;
    const char* text;
    std::int16_t countdownAfter;
  } rows[] = {
      {0, 50, 30, 7, "0回　　1/-　　0G/30G", 7},
      {0, 50, 0, 7, "0回　　1/-　　0G/0G", 7},
      {12, 102, 30, 28, "12回　　1/8.50　　3G/30G", 28},
      {12, 102, 30, 0, "12回　　1/8.50　　0G/30G", 0},
      {12, 102, 30, -9, "12回　　1/8.50　　0G/30G", 0},
      {12, 102, 0, 5, "12回　　1/8.50", 5},
      {1, 7, 20, 25, "1回　　1/7.00　　-4G/20G", 25},
      {3, 1, 10, 10, "3回　　1/0.33　　1G/10G", 10},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    Counter counter;
    counter.applySettings(smallWins({8, 0, 0}, {row.window, 0, 0}));
    Counters& c = counter.counters();
    c.koyaku1t = row.tally;
    c.start_all_count = row.games;
    c.koyaku1g_now = row.countdown;
    counter.UpdateKoyaku(0);
    EXPECT_EQ(counter.panel().text(TextId::koyakudata0).text, row.text);
    EXPECT_EQ(c.koyaku1g_now, row.countdownAfter);
    EXPECT_EQ(c.koyaku1t, row.tally);
  }
}

TEST(SmallWins, AHitIsCountedAtTheNextGameAndItsWindowRunsOut) {
  Play play(smallWins({8, 0, 0}, {30, 0, 0}));
  play.game(3, 8);
  EXPECT_EQ(play.c().koyaku1t, 0);
  play.game(3, 0);
  EXPECT_EQ(play.c().koyaku1t, 1);
  EXPECT_EQ(play.text(TextId::koyakudata0), "1回　　1/1.00　　1G/30G");
  for (int i = 0; i < 29; ++i) play.game(3, 0);
  EXPECT_EQ(play.text(TextId::koyakudata0), "1回　　1/30.00　　30G/30G");
  play.game(3, 0);
  EXPECT_EQ(play.text(TextId::koyakudata0), "1回　　1/31.00　　0G/30G");
  EXPECT_EQ(play.c().koyaku1g_now, 0);
}

TEST(SmallWins, OnlyAnExactPayoutCountsForEverySmallWinOfThatValue) {
  Play play(smallWins({8, 8, 16}, {10, 0, 0}));
  play.game(3, 8);
  play.game(3, 8);  // counted here, and pays 8 again
  play.game(3, 16);
  play.game(3, 0);
  EXPECT_EQ(play.c().koyaku1t, 2);
  EXPECT_EQ(play.c().koyaku2t, 2);
  EXPECT_EQ(play.c().koyaku3t, 1);
  EXPECT_EQ(play.text(TextId::koyakudata0), "2回　　1/1.50　　2G/10G");
  EXPECT_EQ(play.text(TextId::koyakudata2), "1回　　1/3.00");
}

TEST(SmallWins, ASmallWinSwitchedOffIsNeverTouched) {
  Play play(smallWins({10, 0, 5}, {0, 0, 0}));
  play.game(3, 0);
  play.game(3, 10);
  play.game(3, 0);
  EXPECT_EQ(play.c().koyaku1t, 1);
  EXPECT_EQ(play.text(TextId::koyakudata1), "0回　　1/-　　0G/0G");
  EXPECT_FALSE(play.panel().text(TextId::koyakudata1).visible);
  EXPECT_EQ(play.c().koyaku2g_now, 0);
}

TEST(SmallWins, ABonusClosesTheWindowsAndItsCoinsMatchNothing) {
  Play play(smallWins({8, 0, 0}, {30, 0, 0}));
  play.game(3, 8);
  play.game(3, 0);
  EXPECT_EQ(play.c().koyaku1g_now, 30);
  play.holdLines(kBig);
  play.game(3, 8);  // bonus games paying 8 coins each
  play.game(3, 8);
  play.holdLines(0);
  play.tick();  // the BIG ends
  EXPECT_EQ(play.c().koyaku1g_now, 0);
  EXPECT_EQ(play.text(TextId::koyakudata0), "1回　　1/2.00　　0G/30G");
  play.game(3, 0);  // the payout measured here spans the whole bonus: 16 coins
  play.game(3, 0);
  EXPECT_EQ(play.c().koyaku1t, 1);
}

TEST(SmallWins, WithoutAnOpenWindowTheCountdownKeepsFalling) {
  Play play(smallWins({8, 0, 0}, {0, 0, 0}));
  for (int i = 0; i < 5; ++i) play.game(3, 0);
  EXPECT_EQ(play.c().koyaku1g_now, -5);
  EXPECT_EQ(play.text(TextId::koyakudata0), "0回　　1/-　　0G/0G");
}

}  // namespace
}  // namespace tallix
