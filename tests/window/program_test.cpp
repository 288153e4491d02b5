// The program as the desktop runs it: a session that ends stops it with a signal, and the
// play must be saved as when the window is closed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/profile.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix::testing {
namespace {

// Shell commands that start PROGRAM on the simulated machine in the background ($pid), with
// its trace recorded in TRACE, and wait until the trace holds its second moment (600 ms into
// the play): the window is up and counting, and a stop signal closes it. The first moment may
// be counted while the window starts. The wait ends at once when the program has ended.
std::string startCounting(const std::string& program, const std::string& trace) {
  return program + " --simulate --record-trace " + trace +
         " & pid=$!;"
         " while kill -0 $pid 2>/dev/null && [ \"$(wc -l 2>/dev/null <" +
         trace + " || echo 0)\" -lt 2 ]; do sleep 0.05; done;";
}

TEST(Program, AStopSignalClosesTheWindowAndSavesThePlay) {
  for (const char* signal : {"TERM", "HUP", "INT"}) {
    SCOPED_TRACE(signal);
    TempDir dir;
    std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
    writeBytes(dir / "tallix.ini", "");  // its files beside it
    const auto r =
        run("cd " + dir.path().string() + " && export QT_QPA_PLATFORM=offscreen && { " +
            startCounting("./tallix", "play.trace") + " kill -" + signal + " $pid; wait $pid; }");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "sim.log"));
    EXPECT_EQ(ProfileFile::load(dir / "sim.log").value("data", "r0"), "1");
  }
}

// A stop signal asks nothing: a play its record cannot take (here a link into a folder that is
// not there) is kept among the past plays, where 読込み finds it.
TEST(Program, AStopSignalKeepsAPlayTheRecordCannotTakeWithoutAQuestion) {
  TempDir dir;
  std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
  writeBytes(dir / "tallix.ini", "");
  std::filesystem::create_symlink(dir / "none" / "sim.log", dir / "sim.log");
  const auto r = run("cd " + dir.path().string() + " && export QT_QPA_PLATFORM=offscreen && { " +
                     startCounting("./tallix", "play.trace") + " kill -TERM $pid; wait $pid; }");
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::filesystem::path> kept;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "sim-plays")) {
    if (entry.path().extension() == ".log") kept.push_back(entry.path());
  }
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(ProfileFile::load(kept[0]).value("data", "r0"), "1");
}

// A second program on the same record brings the first one's window forward and ends. One that
// cannot reach that window (another runtime folder) says so in a box and does not run on the
// record; a stop signal during its start-up, while that box waits or before, ends it at once.
// The first program's play is saved as usual. The third program has begun once it has made its
// trace file, after it held the stop signals back for its start-up.
TEST(Program, ASecondProgramOnTheRecordBringsTheFirstForwardOrEnds) {
  TempDir dir;
  std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
  writeBytes(dir / "tallix.ini", "");
  const auto r = run("cd " + dir.path().string() +
                     " && export QT_QPA_PLATFORM=offscreen && mkdir -m 700 elsewhere && { " +
                     startCounting("./tallix", "first.trace") +
                     " first=$pid; ./tallix --simulate; echo \"second $?\";"
                     " XDG_RUNTIME_DIR=$PWD/elsewhere ./tallix --simulate --record-trace"
                     " third.trace & third=$!;"
                     " while [ ! -e third.trace ] && kill -0 $third 2>/dev/null; do sleep 0.05;"
                     " done; kill -TERM $third; wait $third; echo \"third $?\";"
                     " kill -TERM $first; wait $first; echo \"first $?\"; }");
  EXPECT_EQ(r.out, "second 0\nthird 143\nfirst 0\n") << r.err;
  EXPECT_NE(r.err.find("sim.log is in use by another Tallix, which was brought forward."),
            std::string::npos)
      << r.err;
  EXPECT_EQ(ProfileFile::load(dir / "sim.log").value("data", "r0"), "1");
}

// Installed (no tallix.ini beside it), the program keeps its files under the user's home: the
// settings made from the sample, the play in the data folder; --data-dir keeps both in one
// folder. --help names them and ends with 0, without a display.
TEST(Program, AnInstalledProgramKeepsItsFilesUnderHomeOrInTheDataDir) {
  TempDir dir;
  std::filesystem::create_directory(dir / "bin");
  std::filesystem::copy_file(TALLIX_PROGRAM, dir / "bin" / "tallix");
  const std::string home = (dir / "home").string();
  const std::string env = "cd " + dir.path().string() + " && export HOME=" + home +
                          " && unset XDG_CONFIG_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY && ";
  const struct {
    const char* options;
    std::filesystem::path settings, play;
  } rows[] = {
      {"", dir / "home/.config/tallix/tallix.ini", dir / "home/.local/share/tallix/sim.log"},
      {"--data-dir chosen", dir / "chosen/tallix.ini", dir / "chosen/sim.log"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.options);
    const auto help = run(env + "bin/tallix --help " + row.options);
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_NE(help.out.find(row.settings.string()), std::string::npos) << help.out;
    EXPECT_NE(help.out.find(row.play.parent_path().string() + "/"), std::string::npos);

    std::filesystem::remove(dir / "play.trace");  // each run's own
    const auto r = run(env + "export QT_QPA_PLATFORM=offscreen && { " +
                       startCounting("bin/tallix " + std::string(row.options), "play.trace") +
                       " kill -TERM $pid; wait $pid; }");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(readBytes(row.settings).find("[setting]"), std::string::npos);  // the sample
    EXPECT_TRUE(std::filesystem::exists(row.play));
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "bin" / "sim.log"));
}

// On a Wayland desktop (here Weston's headless compositor, in a runtime folder of the test's
// own) the full-screen panel starts and counts the simulated play as on X11, saves it on a stop
// signal, and Qt has nothing to warn of.
TEST(Program, TheFullScreenPanelCountsOnWayland) {
  TempDir dir;
  std::filesystem::copy_file(TALLIX_PROGRAM, dir / "tallix");
  writeBytes(dir / "tallix.ini", "");
  const auto r = run(
      "cd " + dir.path().string() +
      " && mkdir -m 700 runtime && export XDG_RUNTIME_DIR=$PWD/runtime && unset DISPLAY && "
      "{ weston --backend=headless-backend.so --socket=tallix-test >weston.log 2>&1 & weston=$!;"
      " i=0; while [ ! -S runtime/tallix-test ] && [ $i -lt 400 ] && kill -0 $weston; do"
      " sleep 0.05; i=$((i+1)); done;"
      " export WAYLAND_DISPLAY=tallix-test QT_QPA_PLATFORM=wayland; " +
      startCounting("./tallix --fullscreen", "play.trace") +
      " kill -TERM $pid; wait $pid; status=$?; kill $weston; wait $weston; exit $status; }");
  EXPECT_EQ(r.status, 0) << r.err << readBytes(dir / "weston.log");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ProfileFile::load(dir / "sim.log").value("data", "r0"), "1");
}

}  // namespace
}  // namespace tallix::testing
