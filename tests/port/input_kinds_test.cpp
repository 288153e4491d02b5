// The table of input kinds: the [input] section read against it, and the session's input made
// from it.
#include "port/input_kinds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/profile.h"
#include "port/input_settings.h"
#include "port/input_source.h"
#include "support/fakes.h"

namespace tallix {
namespace {

InputSettings readInput(const std::string& text, std::vector<Said>& messages) {
  return readInputSettings(ProfileFile(text), "/settings/tallix.ini", messages);
}

// What the sampler keeps of a source: the changes of the byte, and what it says of its input.
class Collect : public ChangeSink {
 public:
  std::vector<Change> changes;
  std::vector<std::string> problems;
  void push(const Change& c) override { changes.push_back(c); }
  void problem(const Said& text) override { problems.push_back(text.english()); }
};

TEST(InputSettings, TheInputSectionNamesTheSourceItsPinsPolarityAndDebounce) {
  std::vector<Said> messages;
  const InputSettings none = readInput("[setting]\naddr=888\n", messages);
  EXPECT_EQ(none.source, &defaultInputKind());
  EXPECT_EQ(none.source->name, "port");
  EXPECT_TRUE(none.asRead);

  const InputSettings in = readInput(
      "[input]\nsource=serial\ndevice=COM3\ncoin_in=9\ncoin_out= 2, 14\nactive_low=0\n"
      "debounce_ms=5\n",
      messages);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(in.source->name, "serial");
  EXPECT_FALSE(in.asRead);
  EXPECT_EQ(in.device, "COM3");
  EXPECT_EQ(in.pins, (std::array<std::vector<int>, 5>{{{9}, {2, 14}, {2}, {3}, {4}}}));
  EXPECT_FALSE(in.activeLow);
  EXPECT_EQ(in.debounceMs, 5);

  // Values that cannot be used are said, and their defaults kept.
  const InputSettings bad = readInput(
      "[input]\nsource=usb\nregister=control\nbig=3,x\nreg=32\ndata5pin=\nactive_low=yes\n"
      "debounce_ms=-1\n",
      messages);
  EXPECT_EQ(bad.source, nullptr);  // nothing is tried in its place
  EXPECT_EQ(bad.pins[3], std::vector<int>{3});
  EXPECT_EQ(bad.pins[2], std::vector<int>{2});
  EXPECT_TRUE(bad.activeLow);
  EXPECT_EQ(bad.debounceMs, 0);
  EXPECT_EQ(
      messages,
      (std::vector<Said>{
          "tallix.ini line 2: [input] source=usb is not port, auto, parport, serial, usbio or "
          "gpio; no input is read",
          "tallix.ini line 3: [input] register=control is not data or status; using data",
          "tallix.ini line 5: [input] reg=32 is not a list of input numbers 0-31 (\"3\" or "
          "\"3,5\"); "
          "using 2",
          "tallix.ini line 4: [input] big=3,x is not a list of input numbers 0-31 (\"3\" or "
          "\"3,5\"); using 3",
          "tallix.ini line 7: [input] active_low=yes is not 0 or 1; using 1",
          "tallix.ini line 8: [input] debounce_ms=-1 is not a number of ms from 0 to 99999; "
          "using 0"}));
}

// Each message names the line of its key; a key [input] does not read is named once, and the
// keys of every source's forms are read.
TEST(InputSettings, EveryMessageNamesTheLineOfItsKey) {
  const struct {
    const char* ini;
    std::vector<std::string> messages;
    std::string source;  // as read; "" for none
  } rows[] = {
      {"[setting]\naddr=&H378\n\n[input]\nsource=serail\n",
       {"tallix.ini line 5: [input] source=serail is not port, auto, parport, serial, usbio or "
        "gpio; no input is read"},
       ""},
      {"[input]\n; the bridge\nsource=serial\nSorce=usbio\nsorce=gpio\ndevice=/dev/ttyACM0\n",
       {"tallix.ini line 4: Sorce is not a key Tallix reads in [input]; it is ignored"},
       "serial"},
      {"[input]\nsource=parport\ndevice=/dev/parport0\nregister=status\ncoin_in=3\ncoin_out=4\n"
       "reg=5\nbig=6\ndata5pin=7\nactive_low=1\ndebounce_ms=2\n",
       {},
       "parport"},
      {"[input]\nsource=usbio\nactive_low=true\n",
       {"tallix.ini line 3: [input] active_low=true is not 0 or 1; using 1"},
       "usbio"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    std::vector<Said> messages;
    const InputKind* read = readInput(row.ini, messages).source;
    EXPECT_EQ(read != nullptr ? std::string(read->name) : "", row.source);
    EXPECT_EQ(messages, std::vector<Said>(row.messages.begin(), row.messages.end()));
  }
}

TEST(InputKinds, EachRowHasItsOwnNameAndAFactoryWhereItsPlatformsSay) {
  std::set<std::string_view> names;
  for (const InputKind& kind : inputKinds()) {
    SCOPED_TRACE(kind.name);
    EXPECT_TRUE(names.insert(kind.name).second);
    EXPECT_EQ(findInputKind(kind.name), &kind);
    EXPECT_EQ(kind.make != nullptr, (kind.platforms & kThisPlatform) != 0);
    EXPECT_NE(kind.access(), "");
  }
  EXPECT_EQ(findInputKind("usb"), nullptr);
  EXPECT_EQ(inputKindNames(false), kThisPlatform == kLinux ? "auto, parport, serial, usbio or gpio"
                                                           : "auto, serial or usbio");
}

// The port library's data register: without [input] the byte counts as the port reads it (the
// 5-pin line on bits 4-6, nothing while bit 7 is low); source=port maps it through the pins.
TEST(InputKinds, ThePortIsTurnedToInputAndReadAsItIsOrThroughThePinMap) {
  const struct {
    const char* ini;
    std::uint8_t read, counted;
  } rows[] = {
      {"", 0x9F, 0x9F},                        // bits 5 and 6: the 5-pin line
      {"", 0x7E, 0x7E},                        // bit 7 low: no line
      {"[input]\nsource=port\n", 0x9F, 0xFF},  // bits 5 and 6 carry no line
      {"[input]\nsource=port\n", 0x7E, 0xFE},  // bit 7 forced high, coin in on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.ini) + std::to_string(row.read));
    std::vector<Said> messages;
    const InputSettings settings = readInput(row.ini, messages);
    testing::FakePort port;
    const auto input = makeInput(settings, {&port, 888, "tallix.ini", nullptr});
    EXPECT_EQ(port.writes, (std::vector<std::pair<std::uint16_t, std::int16_t>>{{890, 0xEC}}));
    port.byte = row.read;
    Collect out;
    input->poll(7, out);
    EXPECT_EQ(out.changes, (std::vector<Change>{{7, row.counted}}));
  }
}

TEST(InputKinds, AnInputThatCannotBeReadInThisRunSaysWhy) {
  testing::FakePort port;
  const struct {
    const char* ini;
    Port* port;
    std::uint16_t addr;
    std::string why;
  } rows[] = {
      {"", &port, 0, "The port address is not set (addr in /settings/tallix.ini)"},
      {"", nullptr, 888, "This program has no port library"},
      {"[input]\nsource=serial\n", nullptr, 0, "This program has no serial bridge"},
      {"[input]\nsource=gpio\n", nullptr, 0,
       kThisPlatform == kLinux ? "" : "source=gpio exists on Linux only"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    std::vector<Said> messages;
    const InputSettings settings = readInput(row.ini, messages);
    try {
      makeInput(settings, {row.port, row.addr, "/settings/tallix.ini", nullptr});
      EXPECT_EQ(row.why, "");
    } catch (const InputUnavailable& e) {
      EXPECT_EQ(e.what(), row.why);
    }
  }
  EXPECT_TRUE(port.writes.empty());  // a port without an address is not touched
}

TEST(InputKinds, AnInputOpensTheKindsDefaultDeviceUnlessOneIsGiven) {
  for (const std::string device : {"", "COM7"}) {
    SCOPED_TRACE(device);
    std::vector<Said> messages;
    const InputSettings settings = readInput("[input]\nsource=serial\ndevice=" + device, messages);
    std::string opened, access;
    const auto input = makeInput(
        settings, {nullptr, 0, "tallix.ini",
                   [&](const std::string& d, const Said& a) -> std::unique_ptr<SerialLink> {
                     opened = d;
                     access = a.english();
                     throw InputError(d + ": not found");
                   }});
    Collect out;
    input->poll(0, out);  // opened on the sampling thread
    // Without a device on Windows: the first COM port that answers.
    EXPECT_EQ(opened, !device.empty() ? device : kThisPlatform == kWindows ? "" : "/dev/ttyACM0");
    EXPECT_EQ(access, findInputKind("serial")->access().english());
  }
}

}  // namespace
}  // namespace tallix
