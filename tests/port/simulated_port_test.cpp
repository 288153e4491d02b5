#include "port/simulated_port.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/files.h"
#include "port/trace.h"
#include "port/trace_recorder.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::TempDir;
using testing::writeBytes;

// The game starts at 0 and runs like a clock: coins at 0..50, 100..150 and 200..250.
Machine clockwork() {
  MachineDescription d;
  d.pauseMs = 0;
  d.jitterMs = 0;
  return Machine(d, 1, 1, 1);
}

TEST(SimulatedPort, ReadsTheMachineAtTheDriversTimeWithoutAPort) {
  std::int64_t now = 0;
  SimulatedPort port(clockwork(), [&now] { return now; });
  EXPECT_EQ(port.start(), 0);
  EXPECT_EQ(port.lastError(), "");
  port.outB(0x37A, 0xEC);
  // The byte comes back sign-extended.
  const std::pair<std::int64_t, std::int16_t> reads[] = {{0, -2},   {49, -2},  {50, -1},
                                                         {100, -2}, {250, -1}, {1'000'000, -1}};
  for (const auto& [ms, value] : reads) {
    SCOPED_TRACE(ms);
    now = ms;
    EXPECT_EQ(port.inpB(0x378), value);
  }
  EXPECT_EQ(port.machine().truth().coinsBet, 3);
  EXPECT_EQ(port.stop(), 0);
}

TEST(TraceRecording, WritesOnlyTheMomentsTheByteChanges) {
  std::ostringstream out;
  TraceRecorder trace(out);
  trace.record(0, 0xFF);
  trace.record(1, 0xFF);
  trace.record(600, 0xFE);
  trace.record(650, 0x7F);
  trace.record(9'000'000'000, 0x05);
  EXPECT_EQ(out.str(), "0 255\n600 254\n650 127\n9000000000 5\n");
}

TEST(TraceRecording, ARecordingPortPassesReadsThroughAndRecordsTheirChanges) {
  std::int64_t now = 0;
  SimulatedPort machine(clockwork(), [&now] { return now; });
  std::ostringstream out;
  RecordingPort port(
      machine, [&now] { return now; }, out);
  EXPECT_EQ(port.start(), 0);
  std::vector<std::int16_t> values;
  for (now = 0; now <= 260; now += 10) values.push_back(port.inpB(0x378));
  EXPECT_EQ(values.front(), -2);
  EXPECT_EQ(values.back(), -1);
  EXPECT_EQ(out.str(), "0 254\n50 255\n100 254\n150 255\n200 254\n250 255\n");
}

TEST(TraceRecording, ASessionAppendedToATraceStartsAfterTheGameGuardOfTheLastOne) {
  TempDir dir;
  EXPECT_EQ(appendedSessionStart(dir / "new.trace"), 0);
  writeBytes(dir / "empty.trace", "# nothing yet\n");
  EXPECT_EQ(appendedSessionStart(dir / "empty.trace"), 0);
  writeBytes(dir / "old.trace", "0 255\n600 254\n650 255\n");
  EXPECT_EQ(appendedSessionStart(dir / "old.trace"), 2650);
  writeBytes(dir / "bad.trace", "0 255\n600 fe\n");
  try {
    appendedSessionStart(dir / "bad.trace");
    ADD_FAILURE() << "no error";
  } catch (const TraceError& e) {
    EXPECT_EQ(std::string(e.what()),
              (dir / "bad.trace").string() + ":2: byte \"fe\" is not a number from 0 to 255");
  }

  std::int64_t now = 0;
  SimulatedPort machine(clockwork(), [&now] { return now; });
  std::ostringstream out;
  RecordingPort port(
      machine, [&now] { return now; }, out, 2650);
  for (now = 0; now <= 60; now += 10) port.inpB(0x378);
  EXPECT_EQ(out.str(), "2650 254\n2700 255\n");
}

}  // namespace
}  // namespace tallix
