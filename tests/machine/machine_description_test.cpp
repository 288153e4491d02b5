#include "machine/machine_description.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::TempDir;
using testing::writeBytes;

MachineDescription loadFrom(const std::string& ini) {
  return testing::loadFromFile("machine.ini", ini, loadMachine);
}

TEST(MachineDescription, AbsentKeysKeepTheTypicalMachine) {
  const MachineDescription m = loadFrom("[play]\r\nbet=1\r\n");
  EXPECT_EQ(m.bet, 1);
  EXPECT_EQ(m.gameMs, 4100);
  EXPECT_EQ(m.pulseMs, 50);
  EXPECT_EQ(m.gapMs, 50);
  EXPECT_EQ(m.bigOdds, 287);
  EXPECT_EQ(m.regOdds, 431);
  ASSERT_EQ(m.wins.size(), 4u);
  EXPECT_EQ(m.wins[1].coins, 8);
  EXPECT_EQ(m.bigGamesMin, 21);
  EXPECT_EQ(m.bigGamesMax, 25);
  EXPECT_EQ(m.regGames, 8);
  EXPECT_EQ(m.pin5, Pin5Feature::replay);
}

TEST(MachineDescription, ReadsEveryKey) {
  const MachineDescription m = loadFrom(
      "[play]\nbet=2\ngame_ms=5000\nspin_ms=1000\npause_ms=0\npulse_ms=30\ngap_ms=40\n"
      "jitter_ms=0\nline_delay_ms=200\n"
      "[odds]\nbig=256\nreg=0\nreplay=7.5\n"
      "[wins]\n15=100\n1=4\n"
      "[big]\ngames_min=20\ngames_max=20\npay=13\n"
      "[reg]\ngames=12\npay=14\n"
      "[pin5]\nfeature=big\npulse_ms=80\n");
  EXPECT_EQ(m.bet, 2);
  EXPECT_EQ(m.gameMs, 5000);
  EXPECT_EQ(m.spinMs, 1000);
  EXPECT_EQ(m.pauseMs, 0);
  EXPECT_EQ(m.pulseMs, 30);
  EXPECT_EQ(m.gapMs, 40);
  EXPECT_EQ(m.jitterMs, 0);
  EXPECT_EQ(m.lineDelayMs, 200);
  EXPECT_EQ(m.bigOdds, 256);
  EXPECT_EQ(m.regOdds, 0);
  EXPECT_EQ(m.replayOdds, 7.5);
  ASSERT_EQ(m.wins.size(), 2u);
  EXPECT_EQ(m.wins[0].coins, 15);
  EXPECT_EQ(m.wins[0].odds, 100);
  EXPECT_EQ(m.wins[1].coins, 1);
  EXPECT_EQ(m.wins[1].odds, 4);
  EXPECT_EQ(m.bigGamesMin, 20);
  EXPECT_EQ(m.bigGamesMax, 20);
  EXPECT_EQ(m.bigPay, 13);
  EXPECT_EQ(m.regGames, 12);
  EXPECT_EQ(m.regPay, 14);
  EXPECT_EQ(m.pin5, Pin5Feature::big);
  EXPECT_EQ(m.pin5Ms, 80);
}

// A setting's own keys replace those of [odds] and [wins]; a file that gives none of them keeps
// the typical machine's six settings.
TEST(MachineDescription, SettingsTakeTheirOwnKeysElseOddsAndWins) {
  const struct {
    const char* ini;
    int setting;
    SettingOdds odds;
  } rows[] = {
      {"[play]\nbet=2\n", 1, {287, 431, 7.3, {{2, 36}, {8, 6.49}, {10, 600}, {15, 1000}}, 97.1}},
      {"[play]\nbet=2\n", 6, {243, 243, 7.3, {{2, 36}, {8, 6.22}, {10, 600}, {15, 1000}}, 110.6}},
      {"[odds]\nbig=300\n[setting1]\n[setting2]\n[setting3]\n[setting4]\n[setting5]\n"
       "[setting6]\nBIG=250\n8=6\npayout=110\n",
       1,
       {300, 431, 7.3, {{2, 36}, {8, 6.49}, {10, 600}, {15, 1000}}, 0}},
      {"[odds]\nbig=300\n[setting1]\n[setting2]\n[setting3]\n[setting4]\n[setting5]\n"
       "[setting6]\nBIG=250\n8=6\npayout=110\n",
       6,
       {250, 431, 7.3, {{2, 36}, {8, 6}, {10, 600}, {15, 1000}}, 110}},
      {"[wins]\n8=7\n[setting1]\n[setting2]\nreplay=0\n20=100\n[setting3]\n[setting4]\n"
       "[setting5]\n[setting6]\n",
       2,
       {287, 431, 0, {{8, 7}, {20, 100}}, 0}},
      // Odds as tables write them, and a comment after a value.
      {"[odds]\nbig=1/287.4\nreg = 1/ 431.2 ; at every setting\n[wins]\n2=35.6 ; cherry\n",
       3,
       {287.4, 431.2, 7.3, {{2, 35.6}}, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.ini) + " setting " + std::to_string(row.setting));
    const SettingOdds o = loadFrom(row.ini).odds(row.setting);
    EXPECT_EQ(o.big, row.odds.big);
    EXPECT_EQ(o.reg, row.odds.reg);
    EXPECT_EQ(o.replay, row.odds.replay);
    ASSERT_EQ(o.wins.size(), row.odds.wins.size());
    for (std::size_t i = 0; i < o.wins.size(); ++i) {
      EXPECT_EQ(o.wins[i].coins, row.odds.wins[i].coins);
      EXPECT_EQ(o.wins[i].odds, row.odds.wins[i].odds);
    }
    EXPECT_EQ(o.payout, row.odds.payout);
  }
  EXPECT_EQ(loadFrom("[play]\nsetting=4\n").setting, 4);
}

// A description that would be read as something else than it says is refused, with the file,
// line, section, key and value, or what is missing.
TEST(MachineDescription, NamesTheFileLineKeyAndValueOfABadValue) {
  const std::string allSettings =
      "[setting1]\n[setting2]\n[setting3]\n[setting4]\n[setting5]\n[setting6]\n";
  // The six sections, one of them with a body.
  const auto settingsWith = [](int setting, const std::string& body) {
    std::string ini;
    for (int s = 1; s <= 6; ++s) {
      ini += "[setting" + std::to_string(s) + "]\n" + (s == setting ? body : "");
    }
    return ini;
  };
  const std::string games =
      "must be 0 (never) or a number of games from 1 up, such as 287.4 or 1/287.4";
  struct Row {
    std::string ini;
    std::string message;  // after the file's path
  };
  const Row rows[] = {
      {"[play]\nbet=4", " line 2: [play] bet=4: must be a whole number from 1 to 3"},
      {"[play]\nbet=99999999999",
       " line 2: [play] bet=99999999999: must be a whole number from 1 to 3"},
      {"[play]\nbet=2.5", " line 2: [play] bet=2.5: must be a whole number from 1 to 3"},
      {"; pace\n[play]\npause_ms=600\ngame_ms=2000",
       " line 4: [play] game_ms=2000: must be a whole number from 2200 to 600000"},
      {"[play]\npulse_ms=0", " line 2: [play] pulse_ms=0: must be a whole number from 1 to 250"},
      {"[play]\ngap_ms=50ms", " line 2: [play] gap_ms=50ms: must be a whole number from 1 to 250"},
      {"[odds]\nbig=0.5", " line 2: [odds] big=0.5: " + games},
      {"[odds]\nreplay=1E999", " line 2: [odds] replay=1E999: " + games},
      {"[odds]\nbig=287.4x", " line 2: [odds] big=287.4x: " + games},
      {"[odds]\nbig=1/0", " line 2: [odds] big=1/0: " + games},
      {"[odds]\nbig=2/287", " line 2: [odds] big=2/287: " + games},
      {"[odds]\nrge=300", " line 2: [odds] rge=300: the key must be one of big, reg, replay"},
      {"[wins]\neight=6",
       " line 2: [wins] eight=6: the key must be the coins of the win, a whole number from 1 to "
       "999"},
      {"[wins]\n8=6\n08=7", " line 3: [wins] 08=7: the win of 8 coins is given twice"},
      {"[wins]\n8=2\n2=2\n15=2",
       ": the chances of [odds], [wins] add up to 1.64 per game, one or more: big=287, reg=431, "
       "replay=7.3, 8=2, 2=2, 15=2"},
      {"[big]\ngames_min=31", " line 2: [big] games_min=31: must not be above games_max=25"},
      {"[big]\ngames_max=20", " line 2: [big] games_max=20: must not be below games_min=21"},
      {"[pin5]\nfeature=Replay",
       " line 2: [pin5] feature=Replay: must be one of none, replay, win, big, reg"},
      {"[play]\nbett=3",
       " line 2: [play] bett=3: the key must be one of bet, game_ms, spin_ms, pause_ms, pulse_ms, "
       "gap_ms, jitter_ms, line_delay_ms, setting"},
      {allSettings + "[Setting2]\nbig=200\n", " line 2: [setting2] is given more than once"},
      {"[play]\nsetting=7", " line 2: [play] setting=7: must be a whole number from 1 to 6"},
      {"[odds]\nbig=287\n[seting3]\nbig=200",
       " line 3: [seting3] is not a section of a machine description (play, odds, wins, big, "
       "reg, pin5, setting1-setting6)"},
      {allSettings + "[setting7]\nbig=200",
       " line 7: [setting7] is not a section of a machine description (play, odds, wins, big, "
       "reg, pin5, setting1-setting6)"},
      {"[setting1]\nbig=287\n[setting2]\nbig=282",
       " gives [setting1], [setting2] but not [setting3], [setting4], [setting5], [setting6]; give "
       "each setting its section (an empty one has the odds of [odds] and [wins])"},
      {settingsWith(2, "reg=abc\n"), " line 3: [setting2] reg=abc: " + games},
      {settingsWith(2, "payout=0\n"),
       " line 3: [setting2] payout=0: must be the payout rate in percent, a number above 0"},
      {settingsWith(2, "payout=98%\n"),
       " line 3: [setting2] payout=98%: must be the payout rate in percent, a number above 0"},
      {settingsWith(3, "bigg=2\n"),
       " line 4: [setting3] bigg=2: the key must be big, reg, replay, payout or the coins of a "
       "win, "
       "a whole number from 1 to 999"},
      {settingsWith(5, "8=1.1\n"),
       ": the chances of [setting5] add up to 1.08 per game, one or more: big=287, reg=431, "
       "replay=7.3, 2=36, 8=1.1, 10=600, 15=1000"},
      {"[odds]\nreplay=1",
       ": the chances of [odds], [wins] add up to 1.19 per game, one or more: "
       "big=287, reg=431, replay=1, 2=36, 8=6.49, 10=600, 15=1000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.ini);
    TempDir dir;
    writeBytes(dir / "m.ini", row.ini);
    try {
      loadMachine(dir / "m.ini");
      ADD_FAILURE() << "no error";
    } catch (const MachineError& e) {
      EXPECT_EQ(e.what(), (dir / "m.ini").string() + row.message);
    }
  }
  TempDir dir;
  EXPECT_THROW(loadMachine(dir / "absent.ini"), MachineError);
}

}  // namespace
}  // namespace tallix
