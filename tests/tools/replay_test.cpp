#include <gtest/gtest.h>

#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::run;
using testing::TempDir;
using testing::writeBytes;

const std::string kReplay = TALLIX_REPLAY;

// A short play: a game of three coins, a BIG after it with 15 coins paid in one game, and a
// game after the BIG.
constexpr const char* kPlay =
    "# time byte\n"
    "0 0xFF\n"
    "10 0xFE\n11 0xFF\n20 0xFE\n21 255\n30 0xFE\n31 0xFF\n"
    "100 0xF7   # BIG on\n"
    "2100 0xF6\n2101 0xF7\n"
    "2200 0xF5\n2201 0xF7\n2210 0xF5\n2211 0xF7\n"
    "2300 0xFF  # BIG off\n"
    "\n"
    "4200 0xFE\n4201 0xFF\n";

TEST(Replay, PrintsThePanelAfterTheLastTick) {
  TempDir dir;
  writeBytes(dir / "play.trace", kPlay);
  const auto r = run(kReplay + " --panel " + (dir / "play.trace").string());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "in_count=5\nout_count=2\nbig_count=1\nreg_count=0\nstart_all_count=2\n"
            "start_total_count=3\nstart_bonus_count=1\nno5=0\nbig_max_coin=1\nbig_coin=1\n"
            "tosi_kingaku=1\ntosi_coin=46\ntemochi_coin=1\nkoyaku1g_now=0\nkoyaku2g_now=0\n"
            "koyaku3g_now=0\nkoyaku1t=0\nkoyaku2t=0\nkoyaku3t=0\n"
            "temochiCoin=47\ndedamaritsu=40.00%\nbigKakuritsu=1/2\nregKakuritsu=1/-\n"
            "kankin1=¥0\nkankin2=¥0\nkankin3=¥0\ntosiKingaku=¥1000\nbigCoin=1\nbigMaxCoin=1\n"
            "Text5pin=0\n"
            "gameImage=00001\ntotalImage=00002\nbigImage=001\nregImage=000\ninImage=000005\n"
            "outImage=000002\nsaImage=000003\nsaMinus=1\n"
            "koyakudata0=0回　　1/-　　0G/0G\nkoyakudata1=0回　　1/-　　0G/0G\n"
            "koyakudata2=0回　　1/-　　0G/0G\n"
            "koyakulabel0=枚役\nkoyakulabel1=枚役\nkoyakulabel2=枚役\n"
            "rirekiLabel0=FF8080:■\nrirekiLabel1=FF8080:\nrirekiLabel2=FF0000:\n"
            "rirekiLabel3=FF0000:\nrirekiLabel4=FF0000:\nrirekiLabel5=FF0000:\n"
            "rirekiLabel6=FF0000:\nrirekiLabel7=FF0000:\nrirekiLabel8=FF0000:\n"
            "rirekiLabel9=FF0000:\ngraph=0\n");
}

TEST(Replay, SettingsShapeTheFiguresAndTheirMessagesGoToStandardError) {
  TempDir dir;
  writeBytes(dir / "tallix.ini",
             "[setting]\r\nrate1=5\r\n[koyaku]\r\nkoyaku1=2\r\nkoyaku1g=99999\r\n[big]\r\n"
             "count=-3\r\n");
  const auto r =
      run(kReplay + " --panel --settings " + (dir / "tallix.ini").string() + " -", kPlay);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "tallix.ini line 5: [koyaku] koyaku1g=99999 is outside -32768..32767; using 0\n"
            "tallix.ini line 7: [big] count=-3 is below 0, which no BIG pays\n");
  EXPECT_NE(r.out.find("\nbig_max_coin=0\nbig_coin=-2\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nkankin1=¥900\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nkoyakulabel0=2枚役\n"), std::string::npos) << r.out;
  // The game after the BIG measures the two coins the BIG paid: a 2-coin small win.
  EXPECT_NE(r.out.find("\nkoyakudata0=1回　　1/1.00\n"), std::string::npos) << r.out;
}

TEST(Replay, WideTicksMissShortPulses) {
  const std::string trace = "0 255\n10 0xFD\n12 255\n40 0xFD\n60 255\n100 255\n";
  EXPECT_NE(run(kReplay + " --panel -", trace).out.find("out_count=2\n"), std::string::npos);
  EXPECT_NE(run(kReplay + " --panel --tick-ms 16 -", trace).out.find("out_count=1\n"),
            std::string::npos);
}

TEST(Replay, GameGuardRunsOnTraceTime) {
  // Coins at 0, 1999 and 2001: the guard of the game at 0 ends at 2000.
  const std::string trace = "0 0xFE\n1 255\n1999 0xFE\n2000 255\n2001 0xFE\n2002 255\n";
  const auto r = run(kReplay + " --panel -", trace);
  EXPECT_NE(r.out.find("\nstart_total_count=2\n"), std::string::npos) << r.out;
}

TEST(Replay, BadTracesStopBeforeAnyTick) {
  const struct {
    const char* trace;
    const char* error;
  } rows[] = {
      {"0 255\nten 255\n", "-:2: expected TIME BYTE, got \"ten 255\"\n"},
      {"0 255\n5\n", "-:2: expected TIME BYTE, got \"5\"\n"},
      {"0 255 7\n", "-:1: expected TIME BYTE, got \"0 255 7\"\n"},
      {"-1 255\n", "-:1: expected TIME BYTE, got \"-1 255\"\n"},
      {"0 255\n3 256\n", "-:2: byte \"256\" is not a number from 0 to 255\n"},
      {"0 0x1FF\n", "-:1: byte \"0x1FF\" is not a number from 0 to 255\n"},
      {"5 255\n# note\n4 255\n", "-:3: time 4 goes back from 5\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.trace);
    const auto r = run(kReplay + " --panel -", row.trace);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, row.error);
  }
}

TEST(Replay, UsageErrors) {
  for (const char* args :
       {"", " --tick-ms 0 -", " --tick-ms 5x -", " --bogus -", " a b", " --settings"}) {
    SCOPED_TRACE(args);
    const auto r = run(kReplay + args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: tallix-replay"), std::string::npos);
  }
  EXPECT_EQ(
      run(kReplay + " --tick-ms 5x -")
          .err.rfind(
              "tallix-replay: --tick-ms needs a whole number from 1 to 86400000, got \"5x\"\n", 0),
      0u);
  const auto missing = run(kReplay + " /nonexistent/play.trace");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "/nonexistent/play.trace: No such file or directory\n");
  const auto noSettings = run(kReplay + " --settings /nonexistent/tallix.ini -", "0 255\n");
  EXPECT_EQ(noSettings.status, 2);
  EXPECT_EQ(noSettings.err, "/nonexistent/tallix.ini: no such settings file\n");
}

TEST(Replay, CarriesARecordThroughAReplay) {
  TempDir dir;
  writeBytes(dir / "play.trace", kPlay);
  const std::string save = (dir / "a.log").string();
  ASSERT_EQ(run(kReplay + " --save " + save + " " + (dir / "play.trace").string()).status, 0);
  // The second replay starts from the first one's record: every count doubles.
  const auto r = run(kReplay + " --panel --load " + save + " --save " + save + " " +
                     (dir / "play.trace").string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("in_count=10\nout_count=4\nbig_count=2\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nrirekiLabel0=FF8080:■\nrirekiLabel1=FF8080:■\nrirekiLabel2=FF8080:\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\ntosiKingaku=¥1000\n"), std::string::npos) << r.out;
  const std::string saved = testing::readBytes(save);
  EXPECT_NE(saved.find("in_count=10\r\n"), std::string::npos);
}

TEST(Replay, RecordFailuresStopTheRun) {
  TempDir dir;
  writeBytes(dir / "bad.log", "[data]\r\nkoyaku1g_now=40000\r\n");
  const auto load = run(kReplay + " --panel --load " + (dir / "bad.log").string() + " -", kPlay);
  EXPECT_EQ(load.status, 2);
  EXPECT_EQ(load.out, "");
  EXPECT_EQ(load.err,
            (dir / "bad.log").string() + ": koyaku1g_now=40000 is outside -32768..32767\n");
  const auto save = run(kReplay + " --save " + (dir / "no" / "a.log").string() + " -", kPlay);
  EXPECT_EQ(save.status, 2);
  EXPECT_EQ(save.err, (dir / "no" / "a.log").string() + ": No such file or directory\n");
}

// An estimate that cannot be made says why: the machine cannot be read, or none of its settings
// gives what was counted (a BIG on a machine without one).
TEST(Replay, AnEstimateThatCannotBeMadeSaysWhy) {
  TempDir dir;
  writeBytes(dir / "no-bonus.ini", "[odds]\nbig=0\nreg=0\n");
  writeBytes(dir / "bad.ini", "[odds]\nbig=1/287.4\nreg=abc\n");
  const struct {
    std::string machine;
    int status;
    std::string err;
  } rows[] = {
      {(dir / "absent.ini").string(), 2, (dir / "absent.ini").string() + ": no such file\n"},
      {(dir / "no-bonus.ini").string(), 1, "no setting of the machine can give what was counted\n"},
      {(dir / "bad.ini").string(), 2,
       (dir / "bad.ini").string() +
           " line 3: [odds] reg=abc: must be 0 (never) or a number of games from 1 up, such as "
           "287.4 or 1/287.4\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.machine);
    const auto r = run(kReplay + " --estimate --machine " + row.machine + " -", kPlay);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, row.err);
  }
}

}  // namespace
}  // namespace tallix
