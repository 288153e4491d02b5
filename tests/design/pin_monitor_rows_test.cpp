// The pin monitor's rows: each input's number, level, edges, last pulse and lines as the pin map
// and the levels read give them, and what the monitor says before the input is read or without
// one.
#include "design/pin_monitor_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "port/watched_input.h"

namespace tallix::design {
namespace {

class Watched : public WatchedInput {
 public:
  explicit Watched(const InputSettings& settings) : watch_(settings.activeLow), map_(settings) {}
  const PinWatch& watch() const override { return watch_; }
  const PinMap& map() const override { return map_; }
  PinWatch watch_;

 private:
  PinMap map_;
};

InputSettings pins(std::array<std::vector<int>, 5> lines, bool activeLow = true) {
  InputSettings settings;
  settings.pins = std::move(lines);
  settings.activeLow = activeLow;
  return settings;
}

InputSettings asRead() {
  InputSettings settings;
  settings.asRead = true;
  return settings;
}

using Cells = std::array<std::string, kPinColumns>;

TEST(PinMonitorRows, ShowTheLinesAtOnceAndTheLevelsOnceRead) {
  const std::string waiting =
      "Nothing has been read from the input yet. When it cannot be read, the notice line beneath "
      "the panel says why; the input is tried again every second.";
  const struct {
    const char* run;
    InputSettings settings;
    std::vector<std::pair<std::int64_t, std::uint32_t>> levels;  // read at these times
    std::size_t shown;
    std::vector<std::pair<int, Cells>> rows;  // some of them, by input
    std::string notice;
  } runs[] = {
      {"not read yet: the lines only",
       pins({{{9}, {2, 9}, {2}, {3}, {4}}}),
       {},
       16,
       {{9, {"9", "", "", "", "coin in (coin_in), coin out (coin_out)"}},
        {2, {"2", "", "", "", "coin out (coin_out), REG (reg)"}},
        {0, {"0", "", "", "", ""}}},
       waiting},
      {"active low: a pulse ended, another going on",
       pins({{{9}, {2, 9}, {2}, {3}, {4}}}),
       {{0, 0xFFFF}, {100, 0xFFFF & ~(1u << 9)}, {150, 0xFFFF}, {200, 0xFFFF & ~(1u << 2)}},
       16,
       {{9, {"9", "high", "2", "50 ms", "coin in (coin_in), coin out (coin_out)"}},
        {2, {"2", "low", "1", "", "coin out (coin_out), REG (reg)"}},
        {15, {"15", "high", "0", "", ""}}},
       ""},
      {"active high: the pulse is the time spent high",
       pins({{{0}, {1}, {2}, {3}, {4}}}, false),
       {{0, 0}, {10, 1u << 3}, {35, 0}, {50, 1u << 4}},
       16,
       {{3, {"3", "low", "2", "25 ms", "BIG (big)"}},
        {4, {"4", "high", "1", "", "5-pin line (data5pin)"}}},
       ""},
      {"a line beyond input 15 shows all 32",
       pins({{{0}, {1}, {2}, {20}, {20}}}),
       {{5, 0}},
       32,
       {{20, {"20", "low", "0", "", "BIG (big), 5-pin line (data5pin)"}},
        {3, {"3", "low", "0", "", ""}},
        {31, {"31", "low", "0", "", ""}}},
       ""},
      {"the port byte as read: its 8 bits",
       asRead(),
       {{0, 0xFF}},
       8,
       {{0, {"0", "high", "0", "", "coin in (coin_in)"}},
        {6, {"6", "high", "0", "", "5-pin line (data5pin)"}},
        {7, {"7", "high", "0", "", ""}}},
       ""},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.run);
    Watched input(run.settings);
    for (const auto& [ms, raw] : run.levels) input.watch_.level(ms, raw);
    EXPECT_EQ(pinMonitorNotice(&input).english(), run.notice);
    const std::vector<PinRow> rows = pinMonitorRows(input);
    ASSERT_EQ(rows.size(), run.shown);
    for (const auto& [k, cells] : run.rows) {
      for (std::size_t c = 0; c < kPinColumns; ++c) {
        EXPECT_EQ(rows[static_cast<std::size_t>(k)][c].english(), cells[c]) << k << ", " << c;
      }
    }
  }
}

TEST(PinMonitorRows, WithoutAnInputTheNoticeNamesThisSystemsInputs) {
  EXPECT_EQ(pinMonitorNotice(nullptr).english(),
            "The pin monitor shows the inputs of the port or of the source named in the [input] "
            "section of tallix.ini (source=" +
                watchableKindNames().english() + "); none is read now.");
}

}  // namespace
}  // namespace tallix::design
