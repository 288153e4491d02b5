// Every payout per game in the record's section of its own.
#include <gtest/gtest.h>

#include "records/record.h"
#include "records/record_payouts.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::Play;
using testing::TempDir;
using testing::writeBytes;

TEST(PayoutRecord, LoadsWhatASaveWritesAndAnOlderRecordAsBefore) {
  const std::string games = "[data]\r\nstart_all_count=40\r\n";
  const struct {
    std::string file;
    std::optional<PayoutCounts> counts;
    const char* failingKey = nullptr;
  } rows[] = {
      {games + "[payouts]\r\nbig=1\r\nreg=2\r\np1=0,30\r\np2=8,7\r\n",
       PayoutCounts{1, 2, {{0, 30}, {8, 7}}}},
      {games + "[payouts]\r\nbig=0\r\nreg=0\r\np1=0,30\r\np3=8,7\r\n",
       PayoutCounts{0, 0, {{0, 30}}}},
      {games, std::nullopt},                                    // kept before payouts were counted
      {"[data]\r\nstart_all_count=0\r\n", PayoutCounts{}},      // a play without games lacks none
      {games + "[payouts]\r\nbig=1\r\n", std::nullopt, "reg"},  // cut short
      {games + "[payouts]\r\nbig=x\r\nreg=0\r\n", std::nullopt, "big"},
      {games + "[payouts]\r\nbig=0\r\nreg=0\r\np1=8\r\n", std::nullopt, "p1"},
      {games + "[payouts]\r\nbig=0\r\nreg=0\r\np1=8,-1\r\n", std::nullopt, "p1"},
      {games + "[payouts]\r\nbig=0\r\nreg=0\r\np1=8,1\r\np2=8,2\r\n", std::nullopt, "p2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    TempDir dir;
    writeBytes(dir / "r.log", row.file);
    Counter counter;
    try {
      LoadRecord(counter, dir / "r.log");
      EXPECT_TRUE(row.failingKey == nullptr);
      EXPECT_EQ(counter.payouts().counts(), row.counts);
    } catch (const RecordError& e) {
      EXPECT_EQ(e.key(), row.failingKey ? row.failingKey : "no failure");
    }
  }
}

// A save replaces the payouts a file held, whatever they were: fewer of them, or none.
TEST(PayoutRecord, ASaveOverOtherPayoutsLoadsAsJustThese) {
  TempDir dir;
  const auto path = dir / "r.log";
  writeBytes(path, "[payouts]\r\nbig=5\r\nreg=5\r\np1=0,9\r\np2=2,9\r\np3=8,9\r\n");
  Play play;
  play.game(3, 8);
  play.game();
  SaveRecord(play.counter, path);
  Counter loaded;
  LoadRecord(loaded, path);
  EXPECT_EQ(loaded.payouts().counts(), (PayoutCounts{0, 0, {{8, 1}}}));

  play.counter.payouts().replace(std::nullopt);
  SaveRecord(play.counter, path);
  LoadRecord(loaded, path);
  EXPECT_EQ(loaded.payouts().counts(), std::nullopt);
}

}  // namespace
}  // namespace tallix
