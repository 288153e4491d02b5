// The serial bridge end to end: a board on a pseudo-terminal speaks TLX1 to a session that
// reads it through Qt Serial Port, with a pin map of its own, and sends a whole play in one
// burst. The record the session leaves is the one tallix-replay makes of the same play.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <thread>

#include "port/trace.h"
#include "qtio/qt_serial_link.h"
#include "session/session.h"
#include "simulation/machine.h"
#include "support/fakes.h"
#include "support/raw_levels.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using namespace tallix::testing;

class NoView : public SessionView {
 public:
  std::vector<std::string> notices;
  void message(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
  bool ask(const std::string& text, const std::string&, const std::string&) override {
    ADD_FAILURE() << text;
    return false;
  }
  void notice(const std::string& text, Notice) override { notices.push_back(text); }
};

// The play as TLX1 lines from a board whose clock is about to wrap.
std::string boardLines(const std::vector<Change>& play, const InputSettings& input) {
  const std::uint32_t start = 0xFFFF'F000;
  std::string lines = "#TLX1 16\n";
  char line[40];
  for (std::size_t i = 0; i < play.size(); ++i) {
    std::snprintf(line, sizeof line, "%c %u %04x\n", i == 0 ? 'S' : 'E',
                  static_cast<unsigned>(start + static_cast<std::uint32_t>(play[i].ms)),
                  static_cast<unsigned>(rawLevels(play[i].byte, input) & 0xFFFF));
    lines += line;
  }
  return lines;
}

// A record with the times of day cut off its bonus lines ("b1=REG,245,245,96,19:40:03,19:40:43").
std::string withoutTimesOfDay(const std::string& record) {
  static const std::regex times(",[0-9:]+,[0-9:]+\r\n");
  return std::regex_replace(record, times, "\r\n");
}

// Waits up to 10 s for the board's line to bring `text`.
bool heard(int master, const std::string& text) {
  std::string got;
  for (int i = 0; i < 100 && got.find(text) == std::string::npos; ++i) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 100) == 1) {
      char buf[64];
      const ssize_t n = read(master, buf, sizeof buf);
      if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
  }
  return got.find(text) != std::string::npos;
}

TEST(SerialBridgeOnAPty, AWholePlayInOneBurstLeavesTheRecordThatTallixReplayMakes) {
  TempDir dir;
  const std::string settings = "[big]\r\ncount=10\r\n[data5pin]\r\nenabled=1\r\n";
  Machine machine(MachineDescription{}, 11, 1, 400);
  const std::vector<Change> play = playToEnd(machine);
  {
    std::ofstream trace(dir / "play.trace");
    TraceRecorder recorder(trace);
    for (const Change& c : play) recorder.record(c);
    writeBytes(dir / "replay.ini", settings);
  }
  ASSERT_EQ(run(std::string(TALLIX_REPLAY) + " --settings " + (dir / "replay.ini").string() +
                " --save " + (dir / "replay.log").string() + " " + (dir / "play.trace").string())
                .status,
            0);

  int master = -1, slave = -1;
  char name[128];
  termios raw{};
  cfmakeraw(&raw);
  ASSERT_EQ(openpty(&master, &slave, name, &raw, nullptr), 0);
  const InputSettings wiring = rewired();
  writeBytes(dir / "tallix.ini", settings + "[input]\r\nsource=serial\r\ndevice=" + name +
                                     "\r\ncoin_in=9\r\ncoin_out=2,14\r\nreg=0\r\nbig=7\r\n"
                                     "data5pin=3\r\nactive_low=0\r\n");

  FakePort port;  // left alone: the bridge needs no port library
  FakeDialog dialog;
  NoView view;
  Session session(
      {&port, nullptr, &dialog, Places::in(dir.path().string()), nullptr, {}, qtio::openSerialLink},
      view);
  ASSERT_TRUE(session.start());
  ASSERT_TRUE(heard(master, "?\n"));  // the bridge asks for the state once it is open
  const std::string burst = boardLines(play, wiring);
  std::thread board([&] {
    for (std::size_t sent = 0; sent < burst.size();) {
      const ssize_t n = write(master, burst.data() + sent, burst.size() - sent);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
  });
  const Counters expected = [&] {
    Counter counter;
    Settings s;
    s.bigSetCoin = 10;
    s.data5pinEnabled = true;
    counter.applySettings(s);
    replayTrace(counter, play, 1);
    return counter.counters();
  }();
  EXPECT_TRUE(eventually([&] {
    session.pump();
    const Counters& c = session.counter().counters();
    return c.in_count == expected.in_count && c.out_count == expected.out_count &&
           c.start_total_count == expected.start_total_count && c.no5 == expected.no5;
  }));
  board.join();
  EXPECT_TRUE(view.notices.empty()) << view.notices.front();
  // The board goes away: the notice line says so, and the play is kept.
  close(slave);
  close(master);
  EXPECT_TRUE(eventually([&] {
    session.pump();
    return !view.notices.empty();
  }));
  session.stop();

  // The times of day of the bonuses are the session's clock (the replay starts at 00:00:00);
  // everything else is the same to the byte.
  EXPECT_EQ(withoutTimesOfDay(readBytes(dir / "hist.log")),
            withoutTimesOfDay(readBytes(dir / "replay.log")));
  EXPECT_GT(expected.big_count + expected.reg_count, 0);  // the play had bonuses
  EXPECT_EQ(port.reads, 0);
  EXPECT_EQ(view.notices, std::vector<std::string>{"Not counting: " + std::string(name) +
                                                   ": unplugged. Counting resumes by itself when "
                                                   "the input is back."});
}

}  // namespace
}  // namespace tallix
