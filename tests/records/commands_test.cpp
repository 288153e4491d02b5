#include "records/commands.h"

#include <gtest/gtest.h>

#include "records/record.h"
#include "support/panel_state.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::digits;
using testing::kBig;
using testing::panelState;
using testing::Play;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

// Answers the dialog with a fixed path ("" is a cancel) and remembers how it was shown.
class DialogDouble : public FileDialog {
 public:
  explicit DialogDouble(std::string answer) : answer_(std::move(answer)) {}
  std::string showOpen(const std::string& directory) override { return show("open", directory); }
  std::string showSave(const std::string& directory) override { return show("save", directory); }
  std::string shown;

 private:
  std::string show(const std::string& mode, const std::string& directory) {
    shown = mode + " " + directory;
    return answer_;
  }
  std::string answer_;
};

Settings smallWin() {
  Settings s;
  s.rate = {5, 6, 7.6};
  s.koyaku = {8, 0, 0};
  s.koyakuG = {30, 0, 0};
  return s;
}

TEST(Clear, ResetsThePlayAndDeletesTheAutomaticRecord) {
  TempDir dir;
  writeBytes(dir / "hist.log", "[data]\r\nin_count=5\r\n");
  Play play(smallWin());
  for (int i = 0; i < 30; ++i) play.game(3, i == 3 ? 8 : 1);
  play.tick(testing::kReg);
  play.tick();
  Command3_Click(play.counter, dir.path().string() + "/");
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));
  const Panel& p = play.panel();
  for (const CounterField& f : kRecordCounters) EXPECT_EQ(f.get(play.c()), 0) << f.key;
  for (TextId id : {TextId::tosiKingaku, TextId::kankin1, TextId::kankin2, TextId::kankin3}) {
    EXPECT_EQ(p.text(id).text, "¥0");
  }
  EXPECT_EQ(p.text(TextId::temochiCoin).text, "0");
  EXPECT_EQ(p.text(TextId::dedamaritsu).text, "0.00%");
  EXPECT_EQ(p.text(TextId::regKakuritsu).text, "1/-");
  EXPECT_EQ(p.text(TextId::koyakudata0).text, "0回　　1/-　　0G/30G");
  EXPECT_EQ(digits(p, GroupId::inImage), "000000");
  EXPECT_FALSE(p.saMinusVisible());
  EXPECT_EQ(p.history(0).text, "");
  EXPECT_EQ(p.history(0).colour, kRegColour);  // colours stay
  EXPECT_EQ(p.chart().rows(), std::vector<std::string>{"0"});
  // No record to delete is no failure either.
  Command3_Click(play.counter, dir.path().string() + "/");
}

TEST(Clear, DuringABigTheBigGoesOnFromZero) {
  TempDir dir;
  Settings s;
  s.bigSetCoin = 0;
  Play play(s);
  play.counter.counters().big_max_coin = 400;
  play.holdLines(kBig);
  play.game(3, 15);
  Command3_Click(play.counter, dir.path().string() + "/");
  play.game(3, 10);
  EXPECT_EQ(play.c().big_coin, 7);
  play.holdLines(0);
  play.tick();
  EXPECT_EQ(play.c().big_max_coin, 7);
  EXPECT_EQ(play.c().big_count, 0);
}

TEST(Clear, ThenSaveGivesZerosWithTheKeptMarkers) {
  TempDir dir;
  Play play;
  play.tick(testing::kReg);
  play.tick();
  play.tick(kBig);
  play.tick();
  Command3_Click(play.counter, dir.path().string() + "/");
  SaveRecord(play.counter, dir / "hist.log");
  const ProfileFile file = ProfileFile::load(dir / "hist.log");
  for (const CounterField& f : kRecordCounters) EXPECT_EQ(file.value("data", f.key), "0");
  EXPECT_EQ(file.value("data", "r0"), "1");
  EXPECT_EQ(file.value("data", "r1"), "2");
  EXPECT_EQ(file.value("data", "r2"), "1");  // the design colour of entry 0, moved down twice
  EXPECT_EQ(file.value("data", "r3"), "2");
  EXPECT_TRUE(file.keys("graph").empty());
}

TEST(LoadAndSave, CancelChangesNothing) {
  Play play;
  play.game(3, 2);
  const std::string before = panelState(play.counter);
  DialogDouble cancel("");
  EXPECT_EQ(Command4_Click(play.counter, cancel, "/opt/tallix"), std::nullopt);
  EXPECT_EQ(cancel.shown, "open /opt/tallix");
  EXPECT_EQ(Command5_Click(play.counter, cancel, "/opt/tallix"), std::nullopt);
  EXPECT_EQ(cancel.shown, "save /opt/tallix");
  EXPECT_EQ(panelState(play.counter), before);
}

TEST(LoadAndSave, SaveThenLoadBringsThePlayBack) {
  TempDir dir;
  Play play(smallWin());
  for (int i = 0; i < 80; ++i) play.game(3, i % 9 == 0 ? 8 : 0);
  play.tick(kBig);
  play.game(3, 15);
  DialogDouble save((dir / "mine").string());  // no extension is added
  EXPECT_EQ(Command5_Click(play.counter, save, dir.path().string()), std::nullopt);
  EXPECT_TRUE(std::filesystem::exists(dir / "mine"));

  Counter loaded;
  loaded.applySettings(smallWin());
  DialogDouble open((dir / "mine").string());
  EXPECT_EQ(Command4_Click(loaded, open, dir.path().string()), std::nullopt);
  for (const CounterField& f : kRecordCounters) {
    EXPECT_EQ(f.get(loaded.counters()), f.get(play.c())) << f.key;
  }
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(loaded.panel().history(i).text, play.panel().history(i).text);
  }
  EXPECT_EQ(loaded.panel().chart().rows(), play.panel().chart().rows());
  // Never-used entries come back in the REG colour: a record keeps only the BIG colour.
  EXPECT_EQ(loaded.panel().history(5).colour, kRegColour);
}

TEST(LoadAndSave, FailuresComeBackAsMessages) {
  TempDir dir;
  writeBytes(dir / "bad.log", "[data]\r\nbig_count=1e10\r\n");
  Counter counter;
  DialogDouble open((dir / "bad.log").string());
  EXPECT_EQ(Command4_Click(counter, open, dir.path().string()),
            (dir / "bad.log").string() + ": big_count=1e10 is outside -2147483648..2147483647");
  DialogDouble save((dir / "no" / "x.log").string());
  EXPECT_EQ(Command5_Click(counter, save, dir.path().string()),
            (dir / "no" / "x.log").string() + ": No such file or directory");
}

}  // namespace
}  // namespace tallix
