// The tick driver: the game guard in the samples' own time, and ticks only at the changes
// counting exactly what ticks every millisecond count.
#include "counting/tick_driver.h"

#include <gtest/gtest.h>

#include "simulation/machine.h"
#include "support/panel_state.h"
#include "support/play.h"

namespace tallix {
namespace {

TEST(TickDriver, TheGameGuardEndsExactly2000MsAfterTheCountedGame) {
  struct Row {
    std::int64_t nextCoinMs;
    std::int32_t games;
  };
  for (const Row row : {Row{1999, 1}, Row{2000, 2}, Row{2001, 2}}) {
    SCOPED_TRACE(row.nextCoinMs);
    Counter counter;
    TickDriver driver(counter);
    for (const Change c : {Change{0, 0xFE}, Change{50, kAllOff}, Change{row.nextCoinMs, 0xFE},
                           Change{row.nextCoinMs + 50, kAllOff}}) {
      driver.tick(c);
    }
    EXPECT_EQ(counter.counters().in_count, 2);
    EXPECT_EQ(counter.counters().start_all_count, row.games);
    EXPECT_EQ(counter.counters().start_total_count, row.games);
  }
}

TEST(TickDriver, TicksAtTheChangesCountWhatTicksEveryMillisecondCount) {
  MachineDescription lively;  // bonuses, small wins and 5-pin pulses within a short play
  lively.bigOdds = 6;
  lively.regOdds = 8;
  Machine machine(lively, 4, 2, 200);
  const std::vector<Change> trace = playToEnd(machine);
  Settings settings;
  settings.koyaku = {8, 15, 2};
  settings.koyakuG = {30, 0, 10};
  settings.bigSetCoin = 10;
  settings.data5pinEnabled = true;

  Counter everyMs;
  everyMs.applySettings(settings);
  replayTrace(everyMs, trace, 1);
  Counter atChanges;
  atChanges.applySettings(settings);
  TickDriver driver(atChanges);
  for (const Change& c : trace) driver.tick(c);
  EXPECT_GT(atChanges.counters().big_count, 3);
  EXPECT_EQ(testing::panelState(atChanges), testing::panelState(everyMs));
}

}  // namespace
}  // namespace tallix
