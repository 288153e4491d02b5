// The bridge's firmware, as built for the Uno, on a simulated ATmega328P: its pins driven by
// simulated plays, its serial line read by Tallix's serial bridge every millisecond of the
// chip's time, as a session reads it. Every edge must come out, in order, stamped within 2 ms
// of the board's clock when it happened, whatever arrives on the serial line.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "counting/tick_driver.h"
#include "firmware/simulated_uno.h"
#include "port/input_source.h"
#include "port/port_byte.h"
#include "port/serial_bridge.h"
#include "port/tlx1.h"
#include "simulation/machine.h"
#include "support/panel_state.h"
#include "support/raw_levels.h"

namespace tallix {
namespace {

using testing::SimulatedUno;

constexpr std::uint64_t kMs = SimulatedUno::kCyclesPerMs;
constexpr std::uint8_t kCoinIn = 0xFE;  // the pins while the coin-in contact is closed

// The PC's end of the board's serial line: what the board sends once the port is open.
class ChipLink : public SerialLink {
 public:
  explicit ChipLink(SimulatedUno& uno) : uno_(uno), read_(uno.output().size()) {}
  std::string read() override {
    std::string bytes = uno_.output().substr(read_);
    read_ = uno_.output().size();
    return bytes;
  }
  void write(std::string_view bytes) override { uno_.send(bytes); }

 private:
  SimulatedUno& uno_;
  std::size_t read_;
};

// What the sampler keeps of a source: the changes of the byte.
class Collect : public ChangeSink {
 public:
  std::vector<Change> changes;
  void push(const Change& c) override {
    if (changes.empty() || changes.back().byte != c.byte) changes.push_back(c);
  }
  void problem(const Said& text) override { ADD_FAILURE() << text.english(); }
};

// The board on the chip, and Tallix reading it once the port is open.
class Bench {
 public:
  struct Drive {
    std::uint32_t clock;  // the board's millis() when the pins changed
    std::uint8_t pins;
  };

  explicit Bench(const InputSettings& input = {}) : input_(input) {}

  // Tallix opens the port (it asks for the state) and reads it every ms from now on.
  void openPort() {
    heardFrom = uno.output().size();
    source_ = std::make_unique<InputSource>(
        std::make_unique<SerialBridge>(
            "uno", "",
            [this](const std::string&, const Said&) { return std::make_unique<ChipLink>(uno); }),
        input_);
  }
  void runUntil(std::uint64_t cycle) {
    while (uno.cycle() < cycle) {
      const std::uint64_t nextPoll = (uno.cycle() / kMs + 1) * kMs;
      uno.runUntil(std::min(cycle, nextPoll));
      if (source_ && uno.cycle() == nextPoll) source_->poll(nextPoll / kMs, counted);
    }
  }
  void runMs(double ms) { runUntil(uno.cycle() + static_cast<std::uint64_t>(ms * kMs)); }
  void setPins(std::uint8_t pins) {
    uno.setPins(pins);
    if (drives.empty() || drives.back().pins != pins) {
      drives.push_back({uno.read32("timer0_millis"), pins});
    }
  }
  void coinPulses(int n) {
    for (int i = 0; i < n; ++i) {
      setPins(kCoinIn);
      runMs(50);
      setPins(0xFF);
      runMs(50);
    }
  }

  SimulatedUno uno{TALLIX_BRIDGE_ELF};
  std::size_t heardFrom = 0;  // the output from here on is what Tallix heard
  std::vector<Drive> drives;
  Collect counted;

 private:
  InputSettings input_;
  std::unique_ptr<InputSource> source_;
};

// The lines the board sent, read by the TLX1 parser: every one of them TLX1, their times never
// going back (on the board's wrapping clock).
std::vector<Tlx1Line> boardLines(std::string_view output) {
  Tlx1Splitter splitter;
  splitter.feed(output);
  std::vector<Tlx1Line> lines;
  while (const auto text = splitter.next()) {
    const auto line = parseTlx1Line(*text);
    if (!line) {
      ADD_FAILURE() << "not TLX1: " << *text;
      continue;
    }
    if (!lines.empty() && line->kind != Tlx1Line::Kind::hello) {
      EXPECT_GE(static_cast<std::int32_t>(line->ms - lines.back().ms), 0) << *text;
    }
    lines.push_back(*line);
  }
  return lines;
}

std::vector<Tlx1Line> heardLines(const Bench& bench) {
  return boardLines(std::string_view(bench.uno.output()).substr(bench.heardFrom));
}

std::vector<Tlx1Line> only(Tlx1Line::Kind kind, const std::vector<Tlx1Line>& lines) {
  std::vector<Tlx1Line> kept;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
               [kind](const Tlx1Line& l) { return l.kind == kind; });
  return kept;
}

// Each change of the pins came out as an "E" line, in order, with the pins' levels, stamped
// no more than 2 ms after the board's clock when it happened (1 ms before: the clock ticked
// between the pass's reading of it and of the pins).
void expectEveryEdgeOnTime(const Bench& bench) {
  const std::vector<Tlx1Line> edges = only(Tlx1Line::Kind::change, heardLines(bench));
  // The first drive is the state before the play.
  EXPECT_EQ(edges.size() + 1, bench.drives.size());
  for (std::size_t i = 0; i < edges.size() && i + 1 < bench.drives.size(); ++i) {
    const Bench::Drive& drive = bench.drives[i + 1];
    const int delay = static_cast<std::int32_t>(edges[i].ms - drive.clock);
    EXPECT_EQ(edges[i].levels, drive.pins) << "edge " << i;
    EXPECT_GE(delay, -1) << "edge " << i;
    EXPECT_LE(delay, 2) << "edge " << i;
  }
}

Counters countersOf(const std::vector<Change>& changes) {
  Counter counter;
  replayTrace(counter, changes, 1);
  return counter.counters();
}

TEST(BridgeOnChip, APlayWithBouncingContactsCountsAsTheReplayOfItsTrace) {
  // A short play of every line: BIGs and REGs of two games, small wins, the 5-pin line.
  MachineDescription machine;
  machine.bigOdds = 4;
  machine.regOdds = 5;
  machine.bigGamesMin = machine.bigGamesMax = machine.regGames = 2;
  machine.wins = {{2, 4}, {8, 3}};
  machine.pin5 = Pin5Feature::win;
  Machine play(machine, 9, 2, 5);
  const std::vector<Change> trace = playToEnd(play);
  InputSettings input;
  input.debounceMs = 5;  // as WIRING.md advises for contacts that bounce
  const auto pins = [&](std::size_t i) {
    return static_cast<std::uint8_t>(testing::rawLevels(trace[i].byte, input));
  };

  Bench bench(input);
  bench.runMs(5);
  bench.openPort();
  bench.setPins(pins(0));
  const std::uint64_t start = bench.uno.cycle() + 100 * kMs;
  // Each change of the play as a contact makes it: it bounces back and forth for 1.5 ms, unless
  // the next change comes sooner.
  constexpr std::uint64_t kBounceUs[] = {300, 600, 1000, 1500};
  for (std::size_t i = 1; i < trace.size(); ++i) {
    const std::uint64_t at = start + static_cast<std::uint64_t>(trace[i].ms) * kMs;
    bench.runUntil(at);
    bench.setPins(pins(i));
    if (i + 1 < trace.size() && trace[i + 1].ms - trace[i].ms < 2) continue;
    for (std::size_t b = 0; b < std::size(kBounceUs); ++b) {
      bench.runUntil(at + kBounceUs[b] * 16);
      bench.setPins(pins(b % 2 == 0 ? i - 1 : i));
    }
  }
  bench.runMs(1100);  // the next state line: the last levels have held past the debounce

  EXPECT_EQ(bench.uno.output().substr(0, 9), "#TLX1 8\r\n");
  expectEveryEdgeOnTime(bench);
  Settings settings;
  settings.data5pinEnabled = true;
  Counter expected, counted;
  expected.applySettings(settings);
  counted.applySettings(settings);
  replayTrace(expected, trace, 1);
  replayTrace(counted, bench.counted.changes, 1);
  EXPECT_EQ(testing::panelState(counted), testing::panelState(expected));
  EXPECT_GT(expected.counters().big_count, 0);
  EXPECT_GT(expected.counters().reg_count, 0);
  EXPECT_GT(expected.counters().no5, 0);
}

TEST(BridgeOnChip, NothingThatArrivesOnTheSerialLineHoldsUpTheInputs) {
  std::string probes;  // what a modem manager writes to a new serial port
  for (int i = 0; i < 4; ++i) probes += "AT\r\nATE0\r\nATV1\r\nAT+GCAP\r\nATI\r\n";
  std::string noise(600, '\0');
  std::mt19937 random(27);
  for (char& c : noise) c = static_cast<char>(random());
  const struct {
    const char* what;
    std::string bytes;
  } rows[] = {
      {"nothing", ""},
      {"60 ? at once", std::string(60, '?')},
      {"a modem manager's probes", probes},
      {"noise", noise},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Bench bench;
    bench.runMs(5);
    bench.openPort();
    bench.setPins(0xFF);
    bench.runMs(100);
    const std::size_t before = bench.uno.output().size();
    bench.uno.send(row.bytes);
    bench.runMs(1);  // the bytes are arriving, at 11.5 a millisecond
    bench.coinPulses(3);
    // A "?" among them is answered, once the edges are out; the next state is not due yet.
    const auto answers = only(Tlx1Line::Kind::state, boardLines(bench.uno.output().substr(before)));
    EXPECT_EQ(answers.empty(), row.bytes.find('?') == std::string::npos);
    expectEveryEdgeOnTime(bench);
    EXPECT_EQ(countersOf(bench.counted.changes).in_count, 3);
  }
}

TEST(BridgeOnChip, TheBoardsClockWrapsWithoutAnEdgeOutOfPlace) {
  Bench bench;
  bench.runMs(5);
  bench.uno.write32("timer0_millis", 0xFFFF'FFFF - 1500);  // 49.7 days after power on
  bench.runMs(5);  // the state, due at once after such a step, is out
  bench.openPort();
  bench.setPins(0xFF);
  bench.runMs(100);
  bench.coinPulses(30);  // 3 s, across the wrap
  bench.runMs(1100);

  expectEveryEdgeOnTime(bench);
  const std::vector<Tlx1Line> lines = heardLines(bench);
  EXPECT_GT(lines.front().ms, 0xFFFF'0000u);
  EXPECT_LT(lines.back().ms, 3000u);
  // The state every second, on both sides of the wrap.
  const std::vector<Tlx1Line> states = only(Tlx1Line::Kind::state, lines);
  EXPECT_EQ(states.size(), 5u);
  for (std::size_t i = 1; i < states.size(); ++i) {
    EXPECT_NEAR(static_cast<std::int32_t>(states[i].ms - states[i - 1].ms), 1000, 5);
  }
  // Counted at the board's times, after the state at the open: a pulse every 100 ms, each 50 ms
  // wide, give or take the clock's tick.
  const std::vector<Change>& changes = bench.counted.changes;
  ASSERT_EQ(changes.size(), 61u);
  for (std::size_t i = 2; i < changes.size(); ++i) {
    EXPECT_NEAR(changes[i].ms - changes[i - 1].ms, 50, 1);
  }
  EXPECT_EQ(countersOf(changes).in_count, 30);
}

TEST(BridgeOnChip, AnInputThatChattersFasterThanTheLineCanSayEndsAtItsLatestLevels) {
  Bench bench;
  bench.runMs(5);
  bench.openPort();
  bench.setPins(0xFF);
  bench.runMs(100);
  for (int i = 0; i < 301; ++i) {  // a change every 20 µs for 6 ms, ending with the contact closed
    bench.uno.setPins(i % 2 == 0 ? kCoinIn : 0xFF);
    bench.runUntil(bench.uno.cycle() + 20 * 16);
  }
  bench.runMs(200);
  const std::vector<Tlx1Line> lines = heardLines(bench);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().levels, kCoinIn);
  EXPECT_EQ(bench.counted.changes.back().byte, 0xFF & ~kCoinInBit);
}

}  // namespace
}  // namespace tallix
