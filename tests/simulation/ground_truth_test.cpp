#include "simulation/ground_truth.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::readBytes;
using testing::TempDir;

GroundTruth sampleTruth() {
  GroundTruth t;
  t.setting = 4;
  t.games = 120;
  t.freeGames = 15;
  t.countedGames = 105;
  t.countedBonusGames = 27;
  t.gamesSinceBonus = 40;
  t.coinsBet = 315;
  t.coinsPaid = 520;
  t.bigs = 1;
  t.regs = 2;
  t.pin5Pulses = 16;
  t.bestBigNet = 324;
  t.payouts = {{0, 70}, {8, 10}, {15, 40}};
  t.measuredPayouts = {{0, 60}, {8, 9}, {16, 1}, {400, 2}};
  t.gamePayouts = {{0, 56}, {8, 9}, {16, 1}};
  return t;
}

TEST(ExpectedRecord, FollowsTheSettingsOfTheCounter) {
  const GroundTruth t = sampleTruth();
  struct Row {
    const char* name;
    std::array<std::int16_t, 3> koyaku;
    std::int32_t bigSetCoin;
    bool pin5;
    std::array<std::int32_t, 3> tallies;
    std::int32_t bigMaxCoin;
    std::int32_t no5;
  };
  const Row rows[] = {
      {"no settings", {0, 0, 0}, 0, false, {0, 0, 0}, 324, 0},
      {"small wins 8, 16, 2", {8, 16, 2}, 0, false, {9, 1, 0}, 324, 0},
      {"a switched-off small win", {-8, 0, 400}, 0, false, {0, 0, 2}, 324, 0},
      {"credit at the BIG start", {0, 0, 0}, 50, true, {0, 0, 0}, 374, 16},
      {"a debit larger than the BIG", {0, 0, 0}, -400, true, {0, 0, 0}, 0, 16},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Settings s;
    s.koyaku = row.koyaku;
    s.bigSetCoin = row.bigSetCoin;
    s.data5pinEnabled = row.pin5;
    const Counters c = expectedRecord(t, s);
    EXPECT_EQ(c.in_count, 315);
    EXPECT_EQ(c.out_count, 520);
    EXPECT_EQ(c.big_count, 1);
    EXPECT_EQ(c.reg_count, 2);
    EXPECT_EQ(c.start_all_count, 78);
    EXPECT_EQ(c.start_total_count, 105);
    EXPECT_EQ(c.start_bonus_count, 40);
    EXPECT_EQ(c.no5, row.no5);
    EXPECT_EQ(c.big_max_coin, row.bigMaxCoin);
    EXPECT_EQ((std::array{c.koyaku1t, c.koyaku2t, c.koyaku3t}), row.tallies);
  }
}

TEST(ExpectedRecord, HasNoBestBigBeforeABigEndsAndSaturatesLikeTheCounter) {
  GroundTruth t;
  t.bigs = 1;
  t.coinsBet = 5'000'000'000;
  EXPECT_EQ(expectedRecord(t, Settings{}).big_max_coin, 0);
  EXPECT_EQ(expectedRecord(t, Settings{}).in_count, 2147483647);
}

TEST(GroundTruthFile, HoldsTheRecordThePlayAndThePayoutTables) {
  TempDir dir;
  Settings s;
  s.koyaku = {8, 0, 0};
  writeGroundTruth(sampleTruth(), s, dir / "truth.ini");
  EXPECT_EQ(readBytes(dir / "truth.ini"),
            "; The ground truth of a simulated play. [data]: what a counter's record must hold "
            "after\r\n"
            "; seeing it from an empty record; [play]: the machine's own figures; [payouts]: "
            "coins paid\r\n"
            "; in one game = games; [measured]: coins from the first coin of a counted game "
            "outside a\r\n"
            "; bonus to that of the next (what a counter takes as a game's payout) = how "
            "often;\r\n"
            "; [counted]: the games a counter counts as starting a BIG or a REG, then the "
            "measured\r\n"
            "; payouts of the other games = how often (the game in play left out).\r\n"
            "[data]\r\nin_count=315\r\nout_count=520\r\nbig_count=1\r\nreg_count=2\r\n"
            "start_all_count=78\r\nstart_total_count=105\r\nstart_bonus_count=40\r\nno5=0\r\n"
            "big_max_coin=324\r\nkoyaku1t=9\r\nkoyaku2t=0\r\nkoyaku3t=0\r\n"
            "[play]\r\nsetting=4\r\ngames=120\r\nfree_games=15\r\ncounted_games=105\r\n"
            "counted_bonus_games=27\r\ncoins_bet=315\r\ncoins_paid=520\r\nbigs=1\r\nregs=2\r\n"
            "pin5_pulses=16\r\n"
            "[payouts]\r\n0=70\r\n8=10\r\n15=40\r\n"
            "[measured]\r\n0=60\r\n8=9\r\n16=1\r\n400=2\r\n"
            "[counted]\r\nbig=1\r\nreg=2\r\n0=56\r\n8=9\r\n16=1\r\n");
}

}  // namespace
}  // namespace tallix
