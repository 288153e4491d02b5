// Every bonus in the record, and the CSV exports.
#include <gtest/gtest.h>

#include "base/files.h"
#include "records/csv_export.h"
#include "records/record.h"
#include "records/record_bonuses.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::kBig;
using testing::kReg;
using testing::Play;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// A play of two bonuses, the second still running at its end.
void playTwoBonuses(Play& play) {
  play.startAt(19 * 3600 * 1000);
  play.game();
  play.holdLines(kReg);
  play.game(1, 8);
  play.holdLines(0);
  play.game();
  play.game();
  play.holdLines(kBig);
  play.game(3, 15);
}

TEST(BonusRecord, SavedAfterTheOriginalKeysAndLoadedBack) {
  TempDir dir;
  Play play;
  playTwoBonuses(play);
  SaveRecord(play.counter, dir / "with.log");
  RecordSnapshot without(play.counter);
  without.bonuses.clear();
  without.payouts.reset();
  SaveRecord(without, dir / "without.log");

  // The original keys stay byte for byte; the sections follow them.
  EXPECT_EQ(readBytes(dir / "with.log"),
            readBytes(dir / "without.log") +
                "[bonuses]\r\nb1=REG,1,1,7,19:00:02,19:00:04\r\nb2=BIG,3,2,12,19:00:08,\r\n"
                "[payouts]\r\nbig=1\r\nreg=1\r\np1=0,1\r\n");

  Counter loaded;
  loaded.bonuses().replace({Bonus{}});
  LoadRecord(loaded, dir / "with.log");
  EXPECT_EQ(loaded.bonuses().all(), play.counter.bonuses().all());
  LoadRecord(loaded, dir / "without.log");  // a record from before the list: no bonus
  EXPECT_TRUE(loaded.bonuses().all().empty());
}

TEST(BonusRecord, ASaveOfFewerBonusesOverALongerListLoadsAsJustThose) {
  TempDir dir;
  const auto path = dir / "r.log";
  writeBytes(path, "[bonuses]\r\nb1=BIG,1,1,1,,\r\nB2=BIG,2,1,1,,\r\nb3=REG,3,1,1,,\r\n");
  Play play;
  play.holdLines(kReg);
  play.tick();
  SaveRecord(play.counter, path);
  Counter loaded;
  LoadRecord(loaded, path);
  EXPECT_EQ(loaded.bonuses().all(), play.counter.bonuses().all());
  EXPECT_EQ(ProfileFile::load(path).value(kBonusSection, "b1"), "REG,0,0,0,00:00:00,");
}

TEST(BonusRecord, AValueThatIsNoBonusFailsTheLoadNamingIt) {
  TempDir dir;
  const auto path = dir / "r.log";
  writeBytes(path, "[data]\r\n[bonuses]\r\nb1=BIG,1,1,1,,\r\nb2=BIG,2,one,1,,\r\n");
  Counter counter;
  try {
    LoadRecord(counter, path);
    FAIL();
  } catch (const RecordError& e) {
    EXPECT_EQ(e.key(), "b2");
    EXPECT_EQ(e.value(), "BIG,2,one,1,,");
  }
  EXPECT_TRUE(counter.bonuses().all().empty());  // not even the first bonus was applied
}

TEST(CsvExport, HeaderAndARowPerBonus) {
  EXPECT_EQ(bonusCsv({{BonusKind::BIG, 120, 120, 312, 70212, 70480},
                      {BonusKind::REG, 130, 10, -4, 70600, Bonus::kNoTime}}),
            "kind,game,run_up,coins,start,end\r\n"
            "BIG,120,120,312,19:30:12,19:34:40\r\n"
            "REG,130,10,-4,19:36:40,\r\n");
}

}  // namespace
}  // namespace tallix
