// The program as the desktop runs it: a session that ends stops it with a signal, and the
// play must be saved as when the window is closed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/profile.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix::testing {
namespace {

TEST(Program, AStopSignalClosesTheWindowAndSavesThePlay) {
  for (const char* signal : {"TERM", "HUP", "INT"}) {
    SCOPED_TRACE(signal);
    TempDir dir;
    std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
    const auto r = run("cd " + dir.path().string() +
                       " && { QT_QPA_PLATFORM=offscreen ./tallix --simulate & pid=$!; sleep 1.5;"
                       " kill -" +
                       signal + " $pid; wait $pid; }");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "sim.log"));
    EXPECT_EQ(ProfileFile::load(dir / "sim.log").value("data", "r0"), "1");
  }
}

// A second program on the same record says so in a box and does not run on it; a stop signal
// while that box waits ends it at once, and the first program's play is saved as usual.
TEST(Program, ASecondProgramOnTheRecordEndsAndAStopSignalEndsAStartUpBox) {
  TempDir dir;
  std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
  const auto r = run("cd " + dir.path().string() +
                     " && export QT_QPA_PLATFORM=offscreen"
                     " && { ./tallix --simulate & first=$!; sleep 2;"
                     " ./tallix --simulate & second=$!; sleep 1;"
                     " kill -TERM $second; wait $second; echo \"second $?\"; sleep 1;"
                     " kill -TERM $first; wait $first; echo \"first $?\"; }");
  EXPECT_EQ(r.out, "second 143\nfirst 0\n") << r.err;
  EXPECT_EQ(ProfileFile::load(dir / "sim.log").value("data", "r0"), "1");
}

}  // namespace
}  // namespace tallix::testing
