#include "records/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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

constexpr std::time_t kNoon = 1796644800;  // a moment to name past plays by

// Clears the play, keeping it in dir/plays and deleting dir/hist.log.
CommandOutcome clear(Counter& counter, const TempDir& dir) {
  return Command3_Click(counter, dir / "plays", dir / "hist.log", kNoon);
}

// Loads `path` as picked in the dialog, keeping the play it replaces in dir/plays.
CommandOutcome load(Counter& counter, const TempDir& dir, const std::filesystem::path& path) {
  DialogDouble open(path.string());
  return Command4_Click(counter, open, dir.path().string(), dir / "plays", kNoon);
}

// The past plays kept in dir/plays (beside them, the index of their summaries), by name.
std::vector<std::filesystem::path> pastPlays(const TempDir& dir) {
  std::vector<std::filesystem::path> kept;
  std::error_code none;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "plays", none)) {
    if (entry.path().extension() == ".log") kept.push_back(entry.path());
  }
  std::sort(kept.begin(), kept.end());
  return kept;
}

TEST(Clear, KeepsThePlayInThePastPlaysThenResetsItAndDeletesTheAutomaticRecord) {
  TempDir dir;
  writeBytes(dir / "hist.log", "[data]\r\nin_count=5\r\n");
  Play play(smallWin());
  for (int i = 0; i < 30; ++i) play.game(3, i == 3 ? 8 : 1);
  play.tick(testing::kReg);
  play.tick();
  const CommandOutcome cleared = clear(play.counter, dir);
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));
  // The past play is a record that loads back into the play that was cleared.
  const std::vector<std::filesystem::path> kept = pastPlays(dir);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(cleared.kept, "The cleared play was kept as " + kept[0].string() + ".");
  Counter back;
  back.applySettings(smallWin());
  LoadRecord(back, kept[0]);
  const std::vector<std::string> rows = back.panel().chart().rows();
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
  EXPECT_EQ(back.counters().in_count, 90);
  EXPECT_EQ(back.counters().reg_count, 1);
  EXPECT_EQ(rows.size(), 2u);
  // A fresh play has nothing to keep; no record to delete is no failure either.
  EXPECT_EQ(clear(play.counter, dir).done, "There was no play to clear.");
  EXPECT_EQ(pastPlays(dir).size(), 1u);
}

TEST(Clear, KeepsTheStoredRecordWhenToldToAndRefusesWhenThePlayCannotBeKept) {
  TempDir dir;
  writeBytes(dir / "hist.log", "[data]\r\nin_count=5\r\n");
  Play play;
  play.game(3, 2);
  // No record to delete (the degraded state): the stored play stays, the shown one is kept.
  EXPECT_EQ(Command3_Click(play.counter, dir / "plays", "", kNoon).failure, "");
  EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=5\r\n");
  EXPECT_EQ(play.c().in_count, 0);
  // Two clears in one second get names of their own.
  play.game(3, 2);
  clear(play.counter, dir);
  const std::vector<std::filesystem::path> names = pastPlays(dir);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[1].stem(), names[0].stem().string() + "_2");
  // Where the past plays cannot be written, nothing is cleared.
  writeBytes(dir / "hist.log", "kept");
  play.game(3, 2);
  const std::string before = panelState(play.counter);
  const CommandOutcome refused =
      Command3_Click(play.counter, dir / "hist.log" / "plays", dir / "hist.log", kNoon);
  EXPECT_NE(refused.failure.english().find("so it was not cleared"), std::string::npos);
  EXPECT_EQ(panelState(play.counter), before);
  EXPECT_EQ(readBytes(dir / "hist.log"), "kept");
}

TEST(Clear, DuringABigTheBigGoesOnFromZero) {
  TempDir dir;
  Settings s;
  s.bigSetCoin = 0;
  Play play(s);
  play.counter.counters().big_max_coin = 400;
  play.holdLines(kBig);
  play.game(3, 15);
  clear(play.counter, dir);
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
  clear(play.counter, dir);
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
  const auto said = [](const CommandOutcome& o) {
    return o.failure.english() + o.warning.english() + o.done.english() + o.kept.english();
  };
  EXPECT_EQ(said(Command4_Click(play.counter, cancel, "/opt/tallix", "/opt/tallix/plays", kNoon)),
            "");
  EXPECT_EQ(cancel.shown, "open /opt/tallix");
  EXPECT_EQ(said(Command5_Click(play.counter, cancel, "/opt/tallix")), "");
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
  EXPECT_EQ(Command5_Click(play.counter, save, dir.path().string()).done,
            "Saved to " + (dir / "mine").string() + ".");
  EXPECT_TRUE(std::filesystem::exists(dir / "mine"));

  Counter loaded;
  loaded.applySettings(smallWin());
  const CommandOutcome loading = load(loaded, dir, dir / "mine");
  EXPECT_EQ(loading.failure.english() + loading.warning.english(), "");
  EXPECT_EQ(loading.done, "Loaded " + (dir / "mine").string() + ".");  // a fresh play: none kept
  EXPECT_TRUE(pastPlays(dir).empty());
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

// A load ends the play on the window as a clear does: it is kept in the past plays, and the
// record takes its place whole, graph and probabilities included.
TEST(LoadAndSave, ALoadKeepsThePlayItReplacesAndTakesItsPlaceWhole) {
  TempDir dir;
  Play shorter(smallWin());
  for (int i = 0; i < 60; ++i) shorter.game(3, 0);
  SaveRecord(shorter.counter, dir / "short.log");
  Play play(smallWin());
  for (int i = 0; i < 120; ++i) play.game(3, i % 9 == 0 ? 8 : 0);
  play.tick(kBig);
  play.game(3, 15);
  play.tick();
  const RecordSnapshot before(play.counter);

  const CommandOutcome loaded = load(play.counter, dir, dir / "short.log");
  const std::vector<std::filesystem::path> kept = pastPlays(dir);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(loaded.failure.english() + loaded.warning.english(), "");
  EXPECT_EQ(loaded.done, "Loaded " + (dir / "short.log").string() + ".");
  EXPECT_EQ(loaded.kept, "The play the load replaced was kept as " + kept[0].string() + ".");
  Counter fresh;
  fresh.applySettings(smallWin());
  LoadRecord(fresh, dir / "short.log");
  EXPECT_EQ(panelState(play.counter), panelState(fresh));
  EXPECT_EQ(play.panel().text(TextId::bigKakuritsu).text, "1/-");  // as a fresh window shows
  EXPECT_EQ(play.panel().chart().rows(), shorter.panel().chart().rows());
  // The play that was replaced comes back whole from the past plays.
  Counter back;
  back.applySettings(smallWin());
  LoadRecord(back, kept[0]);
  const RecordSnapshot again(back);
  EXPECT_EQ(again.graph, before.graph);
  for (const CounterField& f : kRecordCounters) {
    EXPECT_EQ(f.get(again.counters), f.get(before.counters)) << f.key;
  }
}

TEST(LoadAndSave, ALoadIsAllOrNothingAndNamesTheFileAndTheFault) {
  TempDir dir;
  std::string binary(512, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 256);
  const struct {
    const char* name;
    std::string bytes;  // none: the file does not exist
    std::string fault;
  } rows[] = {
      {"none.log", "", ": No such file or directory"},
      {"notes.txt", "shopping: eggs, rice\nin_count=5\n",
       ": is not a record: it has no [data] section"},
      {"random.bin", binary, ": is not a record: it has no [data] section"},
      {"half.log", "[data]\r\nin_count=7\r\nout_count=9\r\nkoyaku1g_now=40000\r\nr0=1■\r\n",
       ": koyaku1g_now=40000 is outside -32768..32767"},
  };
  Play play(smallWin());
  for (int i = 0; i < 60; ++i) play.game(3, i % 7 == 0 ? 8 : 0);
  const std::string before = panelState(play.counter);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (!row.bytes.empty()) writeBytes(dir / row.name, row.bytes);
    EXPECT_EQ(load(play.counter, dir, dir / row.name).failure,
              (dir / row.name).string() + row.fault + ".\nThe play was left as it was.");
    EXPECT_EQ(panelState(play.counter), before);
    EXPECT_TRUE(pastPlays(dir).empty());
  }
  // Where the play cannot be kept, nothing is loaded.
  writeBytes(dir / "fine.log", "[data]\r\nin_count=3\r\n");
  DialogDouble open((dir / "fine.log").string());
  EXPECT_EQ(
      Command4_Click(play.counter, open, dir.path().string(), dir / "fine.log" / "plays", kNoon)
          .failure.english()
          .rfind("The play could not be kept (", 0),
      0u);
  EXPECT_EQ(panelState(play.counter), before);
  // A record that lacks keys a save always writes, or graph points of its games, loads with a
  // warning.
  writeBytes(dir / "cut.log", "[data]\r\nstart_total_count=100\r\n[graph]\r\ng2=5\r\n");
  EXPECT_EQ(load(play.counter, dir, dir / "cut.log").warning,
            (dir / "cut.log").string() +
                " looks incomplete (in_count, out_count, big_count and 25 more keys are missing; "
                "the graph holds 1 of the 4 points of its games); it was loaded as it is.");
  EXPECT_EQ(play.c().start_total_count, 100);
  EXPECT_EQ(pastPlays(dir).size(), 1u);

  DialogDouble save((dir / "no" / "x.log").string());
  EXPECT_EQ(Command5_Click(play.counter, save, dir.path().string()).failure,
            (dir / "no" / "x.log").string() + ": No such file or directory");
}

// Only a command that kept a play among the past plays changes them.
TEST(Commands, SayWhetherThePastPlaysChanged) {
  TempDir dir;
  writeBytes(dir / "fine.log", "[data]\r\nin_count=3\r\n");
  const struct {
    const char* name;
    bool played;  // the play on the window has something to keep
    std::function<CommandOutcome(Counter&)> command;
    bool changed;
  } rows[] = {
      {"clear of a play", true, [&](Counter& c) { return clear(c, dir); }, true},
      {"clear of a fresh play", false, [&](Counter& c) { return clear(c, dir); }, false},
      {"clear that cannot keep the play", true,
       [&](Counter& c) {
         return Command3_Click(c, dir / "fine.log" / "plays", dir / "hist.log", kNoon);
       },
       false},
      {"load over a play", true, [&](Counter& c) { return load(c, dir, dir / "fine.log"); }, true},
      {"load over a fresh play", false, [&](Counter& c) { return load(c, dir, dir / "fine.log"); },
       false},
      {"load refused", true, [&](Counter& c) { return load(c, dir, dir / "none.log"); }, false},
      {"load cancelled", true,
       [&](Counter& c) {
         DialogDouble cancel("");
         return Command4_Click(c, cancel, dir.path().string(), dir / "plays", kNoon);
       },
       false},
      {"save", true,
       [&](Counter& c) {
         DialogDouble save((dir / "saved.log").string());
         return Command5_Click(c, save, dir.path().string());
       },
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Play play;
    if (row.played) play.game(3, 2);
    EXPECT_EQ(row.command(play.counter).pastPlaysChanged(), row.changed);
  }
}

}  // namespace
}  // namespace tallix
