// The program as its boot units start it: the unit's environment and command line, with the
// unit's folders moved into a temporary one and Qt's offscreen platform standing in for the
// screen. It counts a play that a board sends on a pseudo-terminal and saves it when systemd
// stops it with SIGTERM: the record is the one tallix-replay makes of the same play.
#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>
#include <thread>

#include "base/profile.h"
#include "simulation/machine.h"
#include "support/bridge_board.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix::testing {
namespace {

// The value of the unit's first `key=` line.
std::string unitValue(const std::string& unit, const std::string& key) {
  std::smatch found;
  const std::regex line("(^|\n)" + key + "=([^\n]*)");
  return std::regex_search(unit, found, line) ? found[2].str() : "";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

TEST(BootUnits, TheProgramAsAUnitStartsItCountsAPlayAndSavesItOnSigterm) {
  const struct {
    const char* unit;
    const char* settings;  // under the temporary folder, as are the record and its home
    const char* record;
  } rows[] = {
      {"tallix-box.service", "state/tallix.ini", "state/hist.log"},
      {"tallix.service", "home/.config/tallix/tallix.ini", "home/.local/share/tallix/hist.log"},
  };
  Machine machine(MachineDescription{}, 11, 1, 400);
  const std::vector<Change> play = playToEnd(machine);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.unit);
    TempDir dir;
    ASSERT_TRUE(replayed(TALLIX_REPLAY, dir, play, ""));
    BoardPty board;
    ASSERT_FALSE(board.name.empty());
    std::filesystem::create_directories((dir / row.settings).parent_path());
    writeBytes(dir / row.settings, "[input]\r\nsource=serial\r\ndevice=" + board.name + "\r\n");

    // The unit's own lines, its folders in the temporary one; the trace only tells the test when
    // the whole play has been counted.
    // The program is copied to a folder of its own, as installed: beside it in the build lies the
    // build's own tallix.ini, which would keep its files there.
    const std::string unit =
        readBytes(TALLIX_SOURCE_DIR "/packaging/systemd/" + std::string(row.unit));
    const std::string d = dir.path().string();
    const std::filesystem::path program = dir / "usr" / "bin" / "tallix";
    std::filesystem::create_directories(program.parent_path());
    std::filesystem::copy_file(TALLIX_PROGRAM, program);
    auto moved = [&](std::string text) {
      text = replaced(text, "/usr/bin/tallix", program.string());
      text = replaced(text, "/var/lib/tallix", d + "/state");
      return replaced(text, "/run/tallix", d + "/run");
    };
    const std::string environment = unitValue(unit, "Environment");
    const std::string command = moved(unitValue(unit, "ExecStart"));
    ASSERT_NE(command.find(program.string()), std::string::npos) << unit;
    std::thread stopper([&] {
      const auto r = run("cd " + d + " && mkdir -m 700 run && export HOME=" + d +
                         "/home && unset XDG_CONFIG_HOME XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY" +
                         (environment.empty() ? "" : " && export " + moved(environment)) +
                         " && export QT_QPA_PLATFORM=offscreen && { " + command +
                         " --record-trace counted.trace & pid=$!;"
                         " n=0; while kill -0 $pid && [ $n -lt 600 ] && [ \"$(wc -l"
                         " <counted.trace 2>/dev/null || echo 0)\" -lt \"$(wc -l <play.trace)\" ];"
                         " do sleep 0.05; n=$((n+1)); done; kill -TERM $pid; wait $pid; }");
      EXPECT_EQ(r.status, 0) << r.err;
    });
    EXPECT_TRUE(heard(board.master, "?\n"));
    EXPECT_TRUE(send(board.master, boardLines(play, InputSettings{})));
    stopper.join();
    board.close();
    ASSERT_TRUE(std::filesystem::exists(dir / row.record));
    // A play with coins in it, counted whole.
    const std::string coins = ProfileFile::load(dir / row.record).value("data", "in_count");
    EXPECT_TRUE(!coins.empty() && coins != "0") << coins;
    EXPECT_EQ(withoutTimesOfDay(readBytes(dir / row.record)),
              withoutTimesOfDay(readBytes(dir / "replay.log")));
  }
}

}  // namespace
}  // namespace tallix::testing
