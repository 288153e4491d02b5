// The simulated machine as the session's source.
#include "simulation/simulated_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace tallix {
namespace {

class Collect : public ChangeSink {
 public:
  std::vector<Change> changes;
  void push(const Change& c) override {
    if (changes.empty() || changes.back().byte != c.byte) changes.push_back(c);
  }
};

// The game starts at 0 and runs like a clock: coins at 0..50, 100..150 and 200..250.
Machine clockwork() {
  MachineDescription d;
  d.pauseMs = 0;
  d.jitterMs = 0;
  return Machine(d, 1, 1, 1);
}

TEST(SimulatedSource, HandsOnTheMachinesOwnTimesHoweverLateItIsPolled) {
  SimulatedSource source(clockwork());
  Collect out;
  for (std::int64_t now : {0, 20, 175, 1'000'000}) source.poll(now, out);
  // Three coins bet, and the 5-pin line's pulse at the replay the game won.
  EXPECT_EQ(out.changes, (std::vector<Change>{{0, 0xFF},
                                              {0, 0xFE},
                                              {50, 0xFF},
                                              {100, 0xFE},
                                              {150, 0xFF},
                                              {200, 0xFE},
                                              {250, 0xFF},
                                              {1800, 0xEF},
                                              {1900, 0xFF}}));
  EXPECT_EQ(source.machine().truth().coinsBet, 3);
}

}  // namespace
}  // namespace tallix
