// Inputs of their own: the pin map and debounce, the TLX1 protocol and the serial bridge.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "counting/tick_driver.h"
#include "port/input_source.h"
#include "port/pin_map.h"
#include "port/pin_watch.h"
#include "port/serial_bridge.h"
#include "port/tlx1.h"
#include "simulation/machine.h"
#include "support/raw_levels.h"

namespace tallix {
namespace {

using testing::rawLevels;
using testing::rewired;

// What the sampler keeps of a source: the changes of the byte, and what it says of its input.
class Collect : public ChangeSink {
 public:
  std::vector<Change> changes;
  std::vector<std::string> problems;
  void push(const Change& c) override {
    if (changes.empty() || changes.back().byte != c.byte) changes.push_back(c);
  }
  void problem(const Said& text) override {
    if (problems.empty() || problems.back() != text.english()) problems.push_back(text.english());
  }
};

void expectSameCounts(const std::vector<Change>& a, const std::vector<Change>& b) {
  Counter ca, cb;
  TickDriver da(ca), db(cb);
  for (const Change& c : a) da.tick(c);
  for (const Change& c : b) db.tick(c);
  for (const CounterField& f : kRecordCounters) {
    EXPECT_EQ(f.get(ca.counters()), f.get(cb.counters())) << f.key;
  }
}

std::vector<Change> simulatedPlay() {
  Machine machine(MachineDescription{}, 7, 1, 300);
  return playToEnd(machine);
}

TEST(PinMap, EachLineIsOnWhileAnyOfItsInputsIsAtItsActiveLevel) {
  struct Row {
    InputSettings input;
    std::uint32_t levels;
    std::uint8_t byte;
  } rows[] = {
      {{}, 0xFFFF'FFFF, 0xFF},               // active low, all idle
      {{}, 0xFFFF'FFFE, 0xFE},               // coin in
      {{}, 0, 0xE0},                         // every line, and bit 7 stays high
      {rewired(), 0, 0xFF},                  // active high, all idle
      {rewired(), 1u << 14, 0xFD},           // coin out on the second of its inputs
      {rewired(), 1u << 9 | 1u << 7, 0xF6},  // coin in and BIG
      {rewired(), 1u << 3 | 1u << 0, 0xEB},  // 5-pin and REG
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.levels);
    EXPECT_EQ(PinMap(row.input).byte(row.levels), row.byte);
  }
}

TEST(InputMapper, AMappedPlayCountsAsThePortBytesCountAndDebounceOnlyDelaysIt) {
  const std::vector<Change> play = simulatedPlay();
  struct Row {
    const char* name;
    InputSettings input;
    int debounceMs;
    bool bounces;  // each edge bounces back once for 1 ms
  } rows[] = {{"the port's own wiring", {}, 0, false},
              {"rewired", rewired(), 0, false},
              {"rewired, debounced", rewired(), 3, true}};
  for (Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.input.debounceMs = row.debounceMs;
    InputMapper mapper(row.input);
    Collect out;
    std::uint32_t before = rawLevels(play.front().byte, row.input);
    for (const Change& c : play) {
      const std::uint32_t raw = rawLevels(c.byte, row.input);
      mapper.level(c.ms, raw, out);
      if (row.bounces && raw != before) {
        mapper.level(c.ms + 1, before, out);
        mapper.level(c.ms + 2, raw, out);
      }
      before = raw;
    }
    mapper.advance(play.back().ms + 1000, out);
    EXPECT_EQ(out.changes.size(), play.size());  // no bounce came through
    expectSameCounts(out.changes, play);
  }
}

TEST(PinWatch, CountsEdgesAndMeasuresThePulseAtTheActiveLevel) {
  for (const bool activeLow : {true, false}) {
    SCOPED_TRACE(activeLow);
    PinWatch watch(activeLow);
    const std::uint32_t idle = activeLow ? 0b11 : 0b00;
    watch.level(100, idle);
    watch.level(150, idle ^ 0b01);  // input 0 on for 50 ms
    watch.level(200, idle);
    watch.level(230, idle ^ 0b10);  // input 1 goes on and stays
    EXPECT_TRUE(watch.seen());
    EXPECT_EQ(watch.high(0), activeLow);
    EXPECT_EQ(watch.edges(0), 2u);
    EXPECT_EQ(watch.lastPulseMs(0), 50);
    EXPECT_EQ(watch.edges(1), 1u);
    EXPECT_EQ(watch.lastPulseMs(1), std::nullopt);  // its pulse has not ended
    EXPECT_EQ(watch.edges(2), 0u);
  }
}

TEST(Tlx1, ReadsItsThreeLinesAndIgnoresEveryOther) {
  using K = Tlx1Line::Kind;
  struct Row {
    const char* line;
    std::optional<Tlx1Line> parsed;
  } rows[] = {
      {"#TLX1 12", Tlx1Line{K::hello, 0, 12}},
      {"S 0 ff", Tlx1Line{K::state, 0, 0xFF}},
      {"E 4294967295 0A1f\r", Tlx1Line{K::change, 0xFFFF'FFFF, 0x0A1F}},
      {"E 4294967296 ff", std::nullopt},  // beyond 32 bits
      {"E 12 f", std::nullopt},           // neither 2 nor 4 digits
      {"E 12 fff", std::nullopt},
      {"E -1 ff", std::nullopt},
      {"E 12 ff ", std::nullopt},
      {"X 12 ff", std::nullopt},
      {"#TLX2 8", std::nullopt},
      {"", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const auto parsed = parseTlx1Line(row.line);
    ASSERT_EQ(parsed.has_value(), row.parsed.has_value());
    if (!parsed) continue;
    EXPECT_EQ(parsed->kind, row.parsed->kind);
    EXPECT_EQ(parsed->ms, row.parsed->ms);
    EXPECT_EQ(parsed->levels, row.parsed->levels);
  }
}

TEST(Tlx1, TheBoardsClockIsUnwrappedFromWhereItWasFirstSeen) {
  BoardClock clock;
  EXPECT_EQ(clock.at(0xFFFF'FF00, 5000), 5000);
  EXPECT_EQ(clock.at(0x0000'0010, 9999), 5000 + 0x110);  // wrapped; the arrival time is not used
  EXPECT_EQ(clock.at(0x0000'0005, 0), 5000 + 0x105);     // a step back
  clock.reset();
  EXPECT_EQ(clock.at(7, 20000), 20000);
}

// A serial line fed by the test: what arrives at each read, in order.
struct Line {
  std::deque<std::string> arrivals;
  std::string written;
  bool gone = false;     // it fails to read
  bool refuses = false;  // it fails to write
  bool closed = false;
  int opens = 0;
};
class FakeLink : public SerialLink {
 public:
  explicit FakeLink(Line& line) : line_(line) {
    ++line_.opens;
    line_.closed = false;
  }
  ~FakeLink() override { line_.closed = true; }
  std::string read() override {
    if (line_.gone) throw InputError("ttyFAKE: was unplugged");
    if (line_.arrivals.empty()) return "";
    std::string bytes = line_.arrivals.front();
    line_.arrivals.pop_front();
    return bytes;
  }
  void write(std::string_view bytes) override {
    if (line_.refuses) throw InputError("ttyFAKE: cannot be written to");
    line_.written += bytes;
  }

 private:
  Line& line_;
};

struct Bridge {
  Line line;
  bool present = true;
  InputSource source{std::make_unique<SerialBridge>("ttyFAKE", "join the group dialout",
                                                    [this](const std::string&, const Said&) {
                                                      if (!present) {
                                                        throw InputError("ttyFAKE: not found");
                                                      }
                                                      return std::make_unique<FakeLink>(line);
                                                    }),
                     InputSettings{}};
  Collect out;
  void poll(std::int64_t now) { source.poll(now, out); }
};

TEST(SerialBridge, CountsAtTheBoardsTimesHoweverTheLinesArrive) {
  const std::string lines =
      "#TLX1 8\nS 100 ff\nE 150 fe\nE 200 ff\njunk\nE 2300 fe\nE 2350 ff\nS 3100 ff\n";
  Bridge burst, trickle;
  burst.line.arrivals = {lines};
  burst.poll(1000);
  for (std::size_t i = 0; i < lines.size(); i += 7)
    trickle.line.arrivals.push_back(lines.substr(i, 7));
  for (std::int64_t now = 1000; !trickle.line.arrivals.empty(); now += 400) trickle.poll(now);
  // Apart from where each play begins (the arrival of its first state), the same moments.
  const std::vector<Change> expected{
      {0, 0xFF}, {50, 0xFE}, {100, 0xFF}, {2200, 0xFE}, {2250, 0xFF}};
  for (Bridge* b : {&burst, &trickle}) {
    std::vector<Change> changes = b->out.changes;
    for (Change& c : changes) c.ms -= b->out.changes.front().ms;
    EXPECT_EQ(changes, expected);
  }
  EXPECT_EQ(burst.line.written, "?\n");
  EXPECT_TRUE(burst.out.problems.empty());
}

TEST(SerialBridge, SaysWhyTheBoardIsLostAndCountsAgainWhenItIsBack) {
  Bridge b;
  b.present = false;
  b.poll(0);
  b.present = true;
  b.poll(500);   // retried only after a second
  b.poll(1000);  // open, and silent from here
  b.poll(3999);
  b.poll(4000);
  b.line.arrivals = {"garbage\n"};
  b.poll(5000);
  b.poll(8000);
  b.line.arrivals = {"S 7 fe\n"};
  b.poll(9000);
  b.line.arrivals = {"E 57 ff\n"};
  b.poll(9001);
  b.line.gone = true;
  b.poll(9002);
  EXPECT_EQ(b.out.problems,
            (std::vector<std::string>{
                "ttyFAKE: not found", "ttyFAKE: no word from the board for 3 s (unplugged?)",
                "ttyFAKE: the board does not speak TLX1 (check the sketch and the baud rate, "
                "115200)",
                "", "ttyFAKE: was unplugged"}));
  EXPECT_EQ(b.out.changes, (std::vector<Change>{{9000, 0xFE}, {9050, 0xFF}}));
}

// A line that does not take what is written to it is lost as one that cannot be read: said,
// closed, opened again a second later, and counted from again once its board speaks.
TEST(SerialBridge, ALineThatFailsToWriteIsLostAsOneThatFailsToRead) {
  const struct {
    const char* name;
    bool Line::*fault;
    const char* said;
  } rows[] = {{"read", &Line::gone, "ttyFAKE: was unplugged"},
              {"write", &Line::refuses, "ttyFAKE: cannot be written to"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Bridge b;
    b.line.*row.fault = true;
    b.poll(0);
    EXPECT_TRUE(b.line.closed);
    b.line.*row.fault = false;
    b.poll(999);
    EXPECT_EQ(b.line.opens, 1);
    b.line.arrivals = {"S 5 fe\n"};
    b.poll(1000);
    b.poll(1001);
    EXPECT_EQ(b.line.opens, 2);
    EXPECT_FALSE(b.line.closed);
    EXPECT_EQ(b.line.written, row.fault == &Line::gone ? "?\n?\n" : "?\n");
    EXPECT_EQ(b.out.problems, (std::vector<std::string>{row.said, ""}));
    EXPECT_EQ(b.out.changes, (std::vector<Change>{{1000, 0xFE}}));
  }
}

// Each line is asked at once and read in turn until one says a TLX1 line; what it said is read
// again from it, and the others are closed.
TEST(BridgeSearch, IsTheFirstLineWhoseBoardAnswersInTlx1) {
  std::map<std::string, Line> lines;
  lines["COM1"].arrivals = {"AT\r\nOK\r\n"};  // a modem
  lines["COM3"].arrivals = {"", "#TLX1 8\nS 5 f", "f\n"};
  lines["COM4"].gone = true;
  const SerialOpener opener = [&](const std::string& device,
                                  const Said& access) -> std::unique_ptr<SerialLink> {
    if (device == "COM2")
      throw InputError(device + ": cannot be set up (" + access.english() + ")");
    return std::make_unique<FakeLink>(lines.at(device));
  };
  BridgeSearch search(
      [] {
        return std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"};
      },
      opener, 60'000);
  const auto found = search.look(0, false, "close it");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->read(), "#TLX1 8\nS 5 ff\n");
  EXPECT_EQ(found->read(), "");
  ASSERT_EQ(search.refused().size(), 1u);
  EXPECT_EQ(search.refused()[0].why, "COM2: cannot be set up (close it)");
  EXPECT_EQ(lines["COM1"].written, "?\n");
  EXPECT_EQ(lines["COM3"].written, "?\n");
  EXPECT_TRUE(lines["COM1"].closed);
  EXPECT_TRUE(lines["COM4"].closed);
  EXPECT_FALSE(lines["COM3"].closed);

  lines["COM1"].arrivals = {"AT\r\nOK\r\n"};
  BridgeSearch modem([] { return std::vector<std::string>{"COM1"}; }, opener, 30);
  EXPECT_EQ(modem.look(0, false, "close it"), nullptr);
}

// The lines are asked at the first look and once a minute after; between, only those the list
// gained, and the bridge's own line at every look until it is gone from the list. A line that
// another program holds is tried with the others and said nowhere.
TEST(BridgeSearch, AsksEveryLineOnceAMinuteAndBetweenOnlyArrivalsAndTheBridgesLine) {
  std::map<std::string, Line> lines;
  std::vector<std::string> listed, asked;
  const SerialOpener opener = [&](const std::string& device,
                                  const Said&) -> std::unique_ptr<SerialLink> {
    asked.push_back(device);
    if (device == "COM2")
      throw InputError("COM2: in use by another program", InputError::Kind::busy);
    if (device == "COM3") throw InputError("COM3: Windows error 31");
    return std::make_unique<FakeLink>(lines[device]);
  };
  BridgeSearch search([&] { return listed; }, opener, 0);
  using L = std::vector<std::string>;
  const L three{"COM1", "COM2", "COM3"}, four{"COM1", "COM2", "COM3", "COM4"};
  const struct {
    const char* what;
    std::int64_t ms;
    bool listChanged;
    L listed;
    bool answers;  // COM4's board answers
    L asked;
  } rows[] = {
      {"the first look", 0, false, three, false, three},
      {"a second on", 1000, false, three, false, {}},
      {"a list that did not change", 1500, false, four, false, {}},
      {"a line arrived", 2000, true, four, false, {"COM4"}},
      {"a line left", 3000, true, three, false, {}},
      {"it came back", 4000, true, four, true, {"COM4"}},
      {"the bridge lost", 5000, false, four, false, {"COM4"}},
      {"and lost again", 6000, false, four, false, {"COM4"}},
      {"the bridge unplugged", 7000, true, three, false, {}},
      {"just short of a minute", 59'999, false, three, false, {}},
      {"a minute after the first", 60'000, false, three, false, three},
      {"a second after that", 61'000, false, three, false, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    listed = row.listed;
    asked.clear();
    if (row.answers) lines["COM4"].arrivals = {"#TLX1 8\n"};
    const bool found = search.look(row.ms, row.listChanged, "") != nullptr;
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(found, row.answers);
    ASSERT_EQ(search.refused().size(), 1u);  // COM3's, once; never COM2's
    EXPECT_EQ(search.refused()[0].why, "COM3: Windows error 31");
  }
}

}  // namespace
}  // namespace tallix
