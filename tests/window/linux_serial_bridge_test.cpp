// The serial bridge end to end: a board on a pseudo-terminal speaks TLX1 to a session that
// reads it as a terminal, with a pin map of its own, and sends a whole play in one
// burst. The record the session leaves is the one tallix-replay makes of the same play.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <thread>

#include "port/posix_serial.h"
#include "session/session.h"
#include "simulation/machine.h"
#include "support/bridge_board.h"
#include "support/fakes.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using namespace tallix::testing;

class NoView : public SessionView {
 public:
  std::vector<std::string> notices;
  void message(const Said& text, const Said&) override { ADD_FAILURE() << text; }
  Answer ask(const Said& text, const Said&, const Said&) override {
    ADD_FAILURE() << text;
    return Answer::no;
  }
  void notice(const Said& text, Notice, Notices::Topic) override {
    notices.push_back(text.english());
  }
};

TEST(SerialBridgeOnAPty, AWholePlayInOneBurstLeavesTheRecordThatTallixReplayMakes) {
  TempDir dir;
  const std::string settings = "[big]\r\ncount=10\r\n[data5pin]\r\nenabled=1\r\n";
  Machine machine(MachineDescription{}, 11, 1, 400);
  const std::vector<Change> play = playToEnd(machine);
  ASSERT_TRUE(replayed(TALLIX_REPLAY, dir, play, settings));
  BoardPty board;
  ASSERT_FALSE(board.name.empty());
  const InputSettings wiring = rewired();
  writeBytes(dir / "tallix.ini", settings + "[input]\r\nsource=serial\r\ndevice=" + board.name +
                                     "\r\ncoin_in=9\r\ncoin_out=2,14\r\nreg=0\r\nbig=7\r\n"
                                     "data5pin=3\r\nactive_low=0\r\n");

  FakePort port;  // left alone: the bridge needs no port library
  FakeDialog dialog;
  NoView view;
  Session session({&port,
                   nullptr,
                   &dialog,
                   Places::in(dir.path().string()),
                   nullptr,
                   {},
                   {openTerminal, nullptr}},
                  view);
  ASSERT_TRUE(session.start());
  ASSERT_TRUE(heard(board.master, "?\n"));  // the bridge asks for the state once it is open
  const std::string burst = boardLines(play, wiring);
  std::thread sender([&] { EXPECT_TRUE(send(board.master, burst)); });
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
  sender.join();
  EXPECT_TRUE(view.notices.empty()) << view.notices.front();
  // The board goes away: the notice line says so, and the play is kept.
  board.close();
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
  EXPECT_EQ(view.notices, std::vector<std::string>{"Not counting: " + board.name +
                                                   ": unplugged. Counting resumes by itself when "
                                                   "the input is back."});
}

}  // namespace
}  // namespace tallix

namespace tallix {
namespace {

using namespace tallix::testing;

// A first start with an empty home: the settings are made from the sample, which names
// source=auto, and the session counts from the bridge on the first of the bridge boards' lines
// that answers, with no box. A line that another program holds is passed by, and a line that
// is not a bridge board's is never asked.
TEST(FirstStart, CountsFromTheSerialBridgeOnABridgeBoardWithNothingSet) {
  TempDir dir;
  const Places places{(dir / "config/tallix/tallix.ini").string(),
                      (dir / "data/tallix").string() + "/"};
  BoardPty held, board, other;
  ASSERT_EQ(ioctl(held.slave, TIOCEXCL), 0);  // another program has it, exclusively
  ASSERT_EQ(flock(held.slave, LOCK_EX), 0);
  const SerialLines lines{openTerminal, [&] {
                            return std::vector<std::string>{held.name, board.name};
                          }};
  FakePort port;
  FakeDialog dialog;
  NoView view;
  Session session({&port,
                   nullptr,
                   &dialog,
                   places,
                   nullptr,
                   {},
                   lines,
                   readBytes(TALLIX_SOURCE_DIR "/tools/sample-tallix.ini")},
                  view);
  ASSERT_TRUE(session.start());
  EXPECT_NE(readBytes(places.settingsFile).find("\nsource=auto\n"), std::string::npos);
  ASSERT_TRUE(heard(board.master, "?\n"));
  // Three coins in, as the board says them.
  ASSERT_TRUE(send(board.master,
                   "#TLX1 16\nS 1000 ffff\nE 1050 fffe\nE 1100 ffff\nE 1150 fffe\nE 1200 ffff\n"
                   "E 1250 fffe\nE 1300 ffff\n"));
  EXPECT_TRUE(eventually([&] {
    session.pump();
    return session.counter().counters().in_count == 3;
  }));
  EXPECT_EQ(view.notices,
            (std::vector<std::string>{
                "The settings were made from the sample: " + places.settingsFile + ".",
                "Counting from the serial bridge on " + board.name + "."}));
  session.stop();
  // Nothing came to the line another program holds, nor to the one that is no board's.
  for (const BoardPty* line : {&held, &other}) {
    pollfd asked{line->master, POLLIN, 0};
    EXPECT_EQ(poll(&asked, 1, 0), 0) << line->name;
  }
}

}  // namespace
}  // namespace tallix
