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

}  // namespace
}  // namespace tallix::testing
