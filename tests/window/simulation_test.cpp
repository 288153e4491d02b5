// The window on the simulated machine: its own record, polling without a port address, and a
// minute of play at the highest speed counted without a pulse lost.
#include <QEventLoop>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "base/profile.h"
#include "base/settings.h"
#include "counting/tick_driver.h"
#include "port/simulated_port.h"
#include "port/trace.h"
#include "port/trace_recorder.h"
#include "simulation/ground_truth.h"
#include "window/command_line.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

class Simulation : public WindowTest {
 protected:
  window::FrmTallix& startSimulated(Port& simulated) {
    frm = std::make_unique<window::FrmTallix>(
        window::Environment{simulated, dialog, messages, appDir(), true});
    EXPECT_TRUE(frm->Form_Load());
    return *frm;
  }

  // Runs the window's event loop, sleeping between events, for ms of wall-clock time.
  static void play(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }

  QElapsedTimer clock;
  std::function<std::int64_t()> now = [this]() -> std::int64_t { return clock.elapsed(); };
};

TEST_F(Simulation, KeepsItsOwnRecordAndNeverTouchesTheRealOne) {
  writeBytes(dir / "hist.log", "[data]\r\nin_count=77\r\n");
  writeBytes(dir / "sim.log", "[data]\r\nin_count=5000\r\n");
  clock.start();
  SimulatedPort machine(Machine({}, 1), now);
  startSimulated(machine);
  EXPECT_TRUE(frm->polling());  // no tallix.ini, so no port address: the machine needs none
  EXPECT_EQ(labelText("notice"), "");
  EXPECT_EQ(frm->counter().counters().in_count, 5000);

  frm->Command3_Click();  // クリア deletes the simulation's record
  EXPECT_FALSE(std::filesystem::exists(dir / "sim.log"));
  EXPECT_EQ(frm->counter().counters().in_count, 0);
  frm->close();
  EXPECT_TRUE(std::filesystem::exists(dir / "sim.log"));
  EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=77\r\n");
}

TEST_F(Simulation, AMinuteAtTheHighestSpeedLosesNoPulse) {
  writeIni(
      "[koyaku]\r\nkoyaku1=8\r\nkoyaku2=15\r\nkoyaku3=2\r\nkoyaku1g=30\r\n"
      "[big]\r\ncount=10\r\n[data5pin]\r\nenabled=1\r\n");
  MachineDescription lively;  // bonuses within the minute
  lively.bigOdds = 6;
  lively.regOdds = 8;
  clock.start();
  SimulatedPort machine(Machine(lively, 3, kMaxWindowSpeed), now);
  std::ostringstream trace;
  RecordingPort port(machine, now, trace);
  startSimulated(port);
  frm->show();
  play(60000);
  frm->close();

  const GroundTruth& truth = machine.machine().truth();
  EXPECT_GE(truth.countedGames, 20);  // a game every 2.2 s or a little more
  EXPECT_GT(truth.countedBonusGames, 5);
  EXPECT_GT(truth.coinsPaid, 100);
  const Settings settings = loadSettings(dir / "tallix.ini").settings;
  const Counters expected = expectedRecord(truth, settings);
  const ProfileFile record = ProfileFile::load(dir / "sim.log");
  for (const CounterField& f : kRecordCounters) {
    if (std::find(kTruthKeys.begin(), kTruthKeys.end(), f.key) == kTruthKeys.end()) continue;
    EXPECT_EQ(record.value("data", f.key), std::to_string(f.get(expected))) << f.key;
  }

  // The trace the window recorded, replayed, gives the window's counters to the last one.
  std::istringstream in(trace.str());
  Counter replayed;
  replayed.applySettings(settings);
  replayTrace(replayed, readTrace(in, "recorded"), 1);
  for (const CounterField& f : kRecordCounters) {
    EXPECT_EQ(f.get(replayed.counters()), f.get(frm->counter().counters())) << f.key;
  }
}

}  // namespace
}  // namespace tallix::testing
