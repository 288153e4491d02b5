// source=auto: the first input that is there, and the serial lines of the bridge's boards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "port/auto_input.h"
#include "port/bridge_boards.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::TempDir;

// An input that opens, is not there, is another program's, or is refused.
enum class Opens { yes, absent, busy, refused };

class Candidate final : public RawInput {
 public:
  Candidate(Opens opens, std::string name) : opens_(opens), name_(std::move(name)) {}
  void open(std::int64_t) override {
    switch (opens_) {
      case Opens::yes:
        return;
      case Opens::absent:
        throw InputError(name_ + ": not found", InputError::Kind::absent);
      case Opens::busy:
        throw InputError(name_ + ": busy", InputError::Kind::busy);
      case Opens::refused:
        throw InputError(name_ + ": permission refused");
    }
  }
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override {
    out.level(nowMs, static_cast<std::uint32_t>(name_.size()));
    return nowMs;
  }
  void close() override {}
  Said found() const override { return name_ == "bridge" ? "the bridge on COM4" : ""; }

 private:
  Opens opens_;
  std::string name_;
};

TEST(AutoInput, TakesTheFirstInputThatIsThereAndElseSaysWhatItLookedForAndWhatToMend) {
  const std::string none =
      "no input found (looked for bridge, board and port): plug one in, or right-click the "
      "window and choose \"Tallix (simulated machine)\" to try Tallix without one";
  struct Row {
    const char* what;
    std::vector<Opens> opens;  // bridge, board, port
    std::string found;         // what is read, or "" for none
    std::string why;           // when none: the error
  } rows[] = {
      {"all there: the first", {Opens::yes, Opens::yes, Opens::yes}, "the bridge on COM4", ""},
      {"the first absent", {Opens::absent, Opens::yes, Opens::yes}, "board", ""},
      {"others' and absent passed", {Opens::busy, Opens::absent, Opens::yes}, "port", ""},
      {"none there", {Opens::absent, Opens::busy, Opens::absent}, "", none},
      {"a refused one is named",
       {Opens::absent, Opens::refused, Opens::absent},
       "",
       none + "; board: permission refused"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<AutoInput::Candidate> candidates;
    const char* names[] = {"bridge", "board", "port"};
    for (std::size_t i = 0; i < row.opens.size(); ++i) {
      candidates.push_back({names[i], std::make_unique<Candidate>(row.opens[i], names[i])});
    }
    AutoInput input(std::move(candidates));
    try {
      input.open(0);
      EXPECT_EQ(input.found().english(), row.found);
    } catch (const InputError& e) {
      EXPECT_EQ(row.found, "");
      EXPECT_EQ(e.said().english(), row.why);
      EXPECT_TRUE(input.found().empty());
    }
  }
}

#ifndef _WIN32
// The boards the udev rule keeps ModemManager away from are the boards a search asks.
TEST(BridgeBoards, AreTheBoardsOfTheUdevRule) {
  std::ifstream rule(TALLIX_TEST_DATA "/../packaging/60-tallix-bridge.rules");
  ASSERT_TRUE(rule);
  std::set<std::pair<unsigned, unsigned>> ruled, listed;
  const std::regex ids(R"re(idVendor\}=="([0-9a-f|]+)"(, ATTRS\{idProduct\}=="([0-9a-f|]+)")?)re");
  for (std::string line; std::getline(rule, line);) {
    std::smatch m;
    if (line.starts_with("#") || !std::regex_search(line, m, ids)) continue;
    auto split = [](const std::string& text) {
      std::vector<unsigned> values;
      for (std::size_t from = 0; from <= text.size();) {
        const std::size_t bar = std::min(text.find('|', from), text.size());
        values.push_back(std::stoul(text.substr(from, bar - from), nullptr, 16));
        from = bar + 1;
      }
      return values;
    };
    for (unsigned vendor : split(m[1])) {
      for (unsigned product : m[3].matched ? split(m[3]) : std::vector<unsigned>{0}) {
        ruled.insert({vendor, product});
      }
    }
  }
  for (const UsbId& id : bridgeBoards()) listed.insert({id.vendor, id.product});
  EXPECT_EQ(ruled, listed);
}

// A terminal is a bridge board's when the USB device it sits below has a board's ids.
TEST(BridgeBoards, TheTerminalsAreThoseBelowABoardsUsbDevice) {
  TempDir sys;
  namespace fs = std::filesystem;
  // name, its place below /sys/devices, the USB device's ids there ("" for none)
  struct Tty {
    const char* name;
    const char* place;
    const char* vendor;
    const char* product;
    bool listed;
  } ttys[] = {
      {"ttyACM0", "pci0/usb1/1-1", "2341", "0043", true},   // an Uno
      {"ttyUSB0", "pci0/usb1/1-2", "1a86", "7523", true},   // a CH340 Nano
      {"ttyUSB1", "pci0/usb1/1-3", "0403", "6015", false},  // another FTDI chip
      {"ttyACM1", "pci0/usb1/1-4", "1bc7", "1201", false},  // a modem
      {"ttyS0", "platform/serial8250", nullptr, nullptr, false},
  };
  std::vector<std::string> expected;
  for (const Tty& t : ttys) {
    const fs::path device = sys / "devices" / t.place;
    const fs::path tty = device / "1-0:1.0" / "tty" / t.name;
    fs::create_directories(tty);
    if (t.vendor != nullptr) {
      std::ofstream(device / "idVendor") << t.vendor << '\n';
      std::ofstream(device / "idProduct") << t.product << '\n';
    }
    fs::create_directories(sys / "class/tty");
    fs::create_directory_symlink(fs::relative(tty, sys / "class/tty"), sys / "class/tty" / t.name);
    if (t.listed) expected.push_back(std::string("/dev/") + t.name);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(bridgeBoardTerminals(sys.path()), expected);
  EXPECT_TRUE(bridgeBoardTerminals(sys / "none").empty());
}
#endif

}  // namespace
}  // namespace tallix
