#include "base/settings.h"

#include <gtest/gtest.h>

#include "base/cp932.h"
#include "base/profile.h"
#include "support/temp_dir.h"

namespace tallix {
namespace {

using testing::TempDir;

SettingsLoad loadFrom(const std::string& ini) {
  return testing::loadFromFile("tallix.ini", ini, loadSettings);
}

// The file with a rate after it, for the tests of other keys: a file that sets something but has
// no [setting] is told that it gives no rates.
const std::string kRate = "\n[setting]\nrate1=5\n";
SettingsLoad loadWithRate(const std::string& ini) {
  return loadFrom(ini + kRate);
}

TEST(Settings, OnlyTheAddressGivesZerosElsewhere) {
  const SettingsLoad load = loadFrom("[setting]\r\naddr=&H378\r\n");
  EXPECT_TRUE(load.messages.empty());
  const Settings& s = load.settings;
  EXPECT_EQ(s.portAddr, 888);
  EXPECT_EQ(s.rate, (std::array<double, 3>{0, 0, 0}));
  EXPECT_EQ(s.koyaku, (std::array<std::int16_t, 3>{0, 0, 0}));
  EXPECT_EQ(s.koyakuG, (std::array<std::int16_t, 3>{0, 0, 0}));
  EXPECT_EQ(s.bigSetCoin, 0);
  EXPECT_FALSE(s.data5pinEnabled);
  EXPECT_EQ(s.name5pin, "");
}

TEST(Settings, ConvertsEveryKeyAsItIsRead) {
  const SettingsLoad load = loadFrom(
      "[setting]\naddr=888\nrate1=5.0\nrate2=6\nrate3=7.6\n"
      "[koyaku]\nkoyaku1=10.5\nkoyaku2=11.5\nkoyaku3=\nkoyaku1g=30\nkoyaku2g=&HFFFF\n"
      "[big]\ncount=15abc\n"
      "[data5pin]\nenabled=1\nname=" +
      utf8ToCp932("ＡＴ回数") + "\n");
  EXPECT_EQ(load.messages,
            std::vector<Said>{"tallix.ini line 13: [big] count=15abc is not a number "
                              "as written; it is read as 15"});
  const Settings& s = load.settings;
  EXPECT_EQ(s.portAddr, 888);
  EXPECT_EQ(s.rate, (std::array<double, 3>{5, 6, 7.6}));
  EXPECT_EQ(s.koyaku, (std::array<std::int16_t, 3>{10, 12, 0}));
  EXPECT_EQ(s.koyakuG, (std::array<std::int16_t, 3>{30, -1, 0}));
  EXPECT_EQ(s.bigSetCoin, 15);
  EXPECT_TRUE(s.data5pinEnabled);
  EXPECT_EQ(s.name5pin, "ＡＴ回数");
}

// A switch (the 5-pin line, the full-screen panel) is on for "1" only; any other text than 0 is
// named with its line and how it is read.
TEST(Settings, OnlyTheExactTextOneTurnsASwitchOn) {
  struct Switch {
    std::string section, key, offMeans;
    bool (*on)(const Settings&);
  };
  const Switch switches[] = {
      {"data5pin", "enabled", "and the 5-pin count stays hidden",
       [](const Settings& s) { return s.data5pinEnabled; }},
      {"window", "fullscreen", "and the window keeps its size",
       [](const Settings& s) { return s.window.fullscreen; }},
  };
  for (const Switch& sw : switches) {
    for (const std::string text : {"01", "true", "", "1x", "-1", "0", "yes", " 1 "}) {
      SCOPED_TRACE(sw.key + "=" + text);
      const SettingsLoad load = loadWithRate("[" + sw.section + "]\n" + sw.key + "=" + text + "\n");
      const bool on = text == " 1 ";  // the value is read without its blanks
      EXPECT_EQ(sw.on(load.settings), on);
      EXPECT_EQ(load.messages,
                text.empty() || text == "0" || on
                    ? std::vector<Said>{}
                    : std::vector<Said>{"tallix.ini line 2: [" + sw.section + "] " + sw.key + "=" +
                                        text + " is not 0 or 1; it is read as 0, " + sw.offMeans});
    }
  }
  EXPECT_EQ(loadWithRate("[data5pin]\nenabled=0\nname=AT\n").settings.name5pin, "");
  const Settings on = loadWithRate("[data5pin]\nenabled= 1 \n").settings;
  EXPECT_TRUE(on.data5pinEnabled);
  EXPECT_EQ(on.name5pin, "");
  const std::string longName(300, 'n');
  EXPECT_EQ(loadFrom("[data5pin]\nenabled=1\nname=" + longName).settings.name5pin,
            std::string(254, 'n'));
}

TEST(Settings, ANegativeBigCreditIsNamed) {
  const SettingsLoad load = loadWithRate("[big]\ncount=-5\n");
  EXPECT_EQ(load.settings.bigSetCoin, -5);
  EXPECT_EQ(load.messages,
            std::vector<Said>{"tallix.ini line 2: [big] count=-5 is below 0, which no BIG pays"});
}

TEST(Settings, ValuesOutsideTheirFieldAreReportedAndLeftAtZero) {
  const SettingsLoad load = loadFrom(
      "[setting]\naddr=65536\nrate1=1E999\nrate2=6\n"
      "[koyaku]\nkoyaku1=40000\nkoyaku2=8\n"
      "[big]\ncount=3000000000\n");
  EXPECT_EQ(
      load.messages,
      (std::vector<Said>{
          "tallix.ini line 2: [setting] addr=65536 is outside -32768..32767; using 0",
          "tallix.ini line 3: [setting] rate1=1E999 is not a finite number; using 0",
          "tallix.ini line 6: [koyaku] koyaku1=40000 is outside -32768..32767; using 0",
          "tallix.ini line 9: [big] count=3000000000 is outside -2147483648..2147483647; using 0",
      }));
  EXPECT_EQ(load.settings.portAddr, 0);
  EXPECT_EQ(load.settings.rate, (std::array<double, 3>{0, 6, 0}));
  EXPECT_EQ(load.settings.koyaku, (std::array<std::int16_t, 3>{0, 8, 0}));
  EXPECT_EQ(load.settings.bigSetCoin, 0);
}

// A value not written as a number keeps the reading every setting gets ("12abc" is 12), and is
// named with what it was read as; numbers as a player writes them say nothing.
TEST(Settings, ValuesNotWrittenAsNumbersAreNamedWithWhatTheyWereReadAs) {
  const SettingsLoad load = loadFrom(
      "[setting]\naddr=&HZZZ\nrate1=abc\nrate2=5.6yen\nrate3=+7.6\n"
      "[koyaku]\nkoyaku1=&H8\nkoyaku1g=30G\nkoyaku2=\n"
      "[big]\ncount=1.5E1\n[graph]\npayout=101.5%\n");
  EXPECT_EQ(
      load.messages,
      (std::vector<Said>{
          "tallix.ini line 2: [setting] addr=&HZZZ is not a number as written; it is read as 0",
          "tallix.ini line 3: [setting] rate1=abc is not a number as written; it is read as 0",
          "tallix.ini line 4: [setting] rate2=5.6yen is not a number as written; it is read as 5.6",
          "tallix.ini line 8: [koyaku] koyaku1g=30G is not a number as written; it is read as 30",
          "tallix.ini line 13: [graph] payout=101.5% is not a number as written; it is read as "
          "101.5",
      }));
  EXPECT_EQ(load.settings.rate, (std::array<double, 3>{0, 5.6, 7.6}));
  EXPECT_EQ(load.settings.koyaku[0], 8);
  EXPECT_EQ(load.settings.koyakuG[0], 30);
  EXPECT_EQ(load.settings.bigSetCoin, 15);
  EXPECT_EQ(load.settings.payout, 101.5);
}

// A port number written in decimal above 32767 does not fit; the message gives the "&H" form
// that does, and that form reads as that port.
TEST(Settings, APortNumberTooBigForAddrIsShownInItsHexForm) {
  const std::pair<const char*, const char*> rows[] = {
      {"60416", " (use addr=&HEC00 for port 60416)"},
      {"32768", " (use addr=&H8000 for port 32768)"},
      {"65535.4", " (use addr=&HFFFF for port 65535)"},
      {"65536", ""},
      {"-40000", ""},
  };
  for (const auto& [value, hint] : rows) {
    SCOPED_TRACE(value);
    const SettingsLoad load = loadFrom(std::string("[setting]\naddr=") + value + "\n");
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_EQ(load.messages[0], std::string("tallix.ini line 2: [setting] addr=") + value +
                                    " is outside -32768..32767" + hint + "; using 0");
  }
  EXPECT_EQ(static_cast<std::uint16_t>(loadFrom("[setting]\naddr=&HEC00\n").settings.portAddr),
            60416);
}

// tallix.ini may come from a Windows editor (CP932) or a Linux one (UTF-8, with or without a
// byte-order mark). Well-formed UTF-8 with non-ASCII text is UTF-8; anything else is CP932.
// A record file stays CP932 whatever its bytes.
TEST(Settings, TheSettingsFileIsReadAsUtf8OrCp932) {
  const std::string utf8 = "リプレイ";
  const std::string cp932 = utf8ToCp932(utf8);
  const std::string halfWidth = utf8ToCp932("ﾘﾌﾟﾚｲ");  // single bytes, never well-formed UTF-8
  const struct {
    const char* mark;
    std::string name, expected;
  } rows[] = {
      {"", cp932, utf8},
      {"", utf8, utf8},
      {"\xEF\xBB\xBF", utf8, utf8},
      {"", halfWidth, "ﾘﾌﾟﾚｲ"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    const std::string ini = row.mark + ("[data5pin]\r\nenabled=1\r\nname=" + row.name);
    EXPECT_EQ(loadFrom(ini).settings.name5pin, row.expected);
  }
  EXPECT_EQ(ProfileFile("[data]\r\nname=" + utf8 + "\r\n").value("data", "name"),
            cp932ToUtf8(utf8));
}

TEST(Settings, GraphPayoutIsAPositiveRateOrNone) {
  const struct {
    const char* ini;
    double payout;
    const char* message;
  } rows[] = {
      {"[graph]\npayout=101.5\n", 101.5, nullptr},
      {"[graph]\npayout=\n", 0, nullptr},
      {"[graph]\npayout=-3\n", 0,
       "tallix.ini line 2: [graph] payout=-3 is not a payout rate above 0 percent; using 0"},
      {"[graph]\npayout=abc\n", 0,
       "tallix.ini line 2: [graph] payout=abc is not a payout rate above 0 percent; using 0"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    const SettingsLoad load = loadWithRate(row.ini);
    EXPECT_EQ(load.settings.payout, row.payout);
    EXPECT_EQ(load.messages, row.message ? std::vector<Said>{row.message} : std::vector<Said>{});
  }
}

TEST(Settings, ServeTakesAPortNumberAnAddressAndAnOrigin) {
  const struct {
    const char* ini;
    std::uint16_t port;
    const char* address;
    const char* allowOrigin;
    const char* message;
  } rows[] = {
      {"", 0, "127.0.0.1", "", nullptr},
      {"[serve]\nport=8255\naddress=0.0.0.0\n", 8255, "0.0.0.0", "", nullptr},
      {"[serve]\nport=65536\n", 0, "127.0.0.1", "",
       "tallix.ini line 2: [serve] port=65536 is not a port number from 1 to 65535; the live view "
       "is off"},
      {"[serve]\nport=80x\n", 0, "127.0.0.1", "",
       "tallix.ini line 2: [serve] port=80x is not a port number from 1 to 65535; the live view is "
       "off"},
      {"[serve]\nport=0\n", 0, "127.0.0.1", "",
       "tallix.ini line 2: [serve] port=0 is not a port number from 1 to 65535; the live view is "
       "off"},
      {"[serve]\nallow_origin=https://overlay.example:8443\n", 0, "127.0.0.1",
       "https://overlay.example:8443", nullptr},
      {"[serve]\nallow_origin=http://127.0.0.1:5500\n", 0, "127.0.0.1", "http://127.0.0.1:5500",
       nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    const SettingsLoad load = loadWithRate(row.ini);
    EXPECT_EQ(load.settings.serve.port, row.port);
    EXPECT_EQ(load.settings.serve.address, row.address);
    EXPECT_EQ(load.settings.serve.allowOrigin, row.allowOrigin);
    EXPECT_EQ(load.messages, row.message ? std::vector<Said>{row.message} : std::vector<Said>{});
  }
  // What is not an origin allows none: any site can be "null", and "*" is every one.
  for (const char* text : {"*", "null", "example.com", "https://example.com/overlay", "://x"}) {
    SCOPED_TRACE(text);
    const SettingsLoad load = loadWithRate(std::string("[serve]\nallow_origin=") + text + "\n");
    EXPECT_EQ(load.settings.serve.allowOrigin, "");
    EXPECT_EQ(load.messages,
              std::vector<Said>{"tallix.ini line 2: [serve] allow_origin=" + std::string(text) +
                                " is not an origin such as https://example.com; no page of "
                                "another site may read the figures"});
  }
}

// The machine of the estimate is named relative to the settings' folder; the prior is six weights.
TEST(Settings, EstimateNamesAMachineBesideTheSettingsAndWeighsTheSettings) {
  const std::string notSix =
      " is not six weights of 0 or more, not all 0, such as 1,1,1,1,1,1; every setting weighs "
      "the same";
  const struct {
    std::string ini;
    std::string machine;  // under the settings' folder
    std::array<double, kSettingCount> prior;
    std::string message;
  } rows[] = {
      {"", "", {1, 1, 1, 1, 1, 1}, ""},
      {"[estimate]\nmachine=machines/aim.ini\nprior=1, 1,1,1 0.5 4\n",
       "machines/aim.ini",
       {1, 1, 1, 1, 0.5, 4},
       ""},
      {"[estimate]\nprior=1,1,1,1,1\n",
       "",
       {1, 1, 1, 1, 1, 1},
       "tallix.ini line 2: [estimate] prior=1,1,1,1,1" + notSix},
      {"[estimate]\nprior=1,1,1,1,1,1,1\n",
       "",
       {1, 1, 1, 1, 1, 1},
       "tallix.ini line 2: [estimate] prior=1,1,1,1,1,1,1" + notSix},
      {"[estimate]\nprior=0,0,0,0,0,0\n",
       "",
       {1, 1, 1, 1, 1, 1},
       "tallix.ini line 2: [estimate] prior=0,0,0,0,0,0" + notSix},
      {"[estimate]\nprior=1,1,1,1,1,-1\n",
       "",
       {1, 1, 1, 1, 1, 1},
       "tallix.ini line 2: [estimate] prior=1,1,1,1,1,-1" + notSix},
      {"[estimate]\nprior=1,1,1,1,1,x\n",
       "",
       {1, 1, 1, 1, 1, 1},
       "tallix.ini line 2: [estimate] prior=1,1,1,1,1,x" + notSix},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    TempDir dir;
    testing::writeBytes(dir / "tallix.ini", row.ini + kRate);
    const SettingsLoad load = loadSettings(dir / "tallix.ini");
    EXPECT_EQ(load.settings.estimate.machine,
              row.machine.empty() ? "" : (dir / row.machine).string());
    EXPECT_EQ(load.settings.estimate.prior, row.prior);
    EXPECT_EQ(load.messages,
              row.message.empty() ? std::vector<Said>{} : std::vector<Said>{row.message});
  }
}

// A section that no module reads, and a key that its section's reader does not read, is named
// once, with its line; comments and the keys of the samples and [input] are not.
TEST(Settings, SectionsAndKeysNotReadAreNamedOnceWithTheirLine) {
  const auto notKey = [](int line, const std::string& key, const std::string& section) {
    return "tallix.ini line " + std::to_string(line) + ": " + key +
           " is not a key Tallix reads in [" + section + "]; it is ignored";
  };
  const struct {
    std::string ini;
    std::vector<std::string> messages;
  } rows[] = {
      {"[setting]\nrate1=5\n[inptu]\nsource=serial\n",
       {"tallix.ini line 3: [inptu] is not a section Tallix reads; it is ignored"}},
      {"[x]\n[setting]\nrate1=5\n[X]\ny=1\n",
       {"tallix.ini line 1: [x] is not a section Tallix reads; it is ignored"}},
      {"[setting]\nrate1=5\nrat2=6\nRAT2=7\nrate3=7.6\n", {notKey(3, "rat2", "setting")}},
      {"; rates\n[setting]\nrate1=5\n;rate2=6\n[Koyaku]\nkoyaku4=1\nkoyaku1=8\n[serve]\n;port=1\n",
       {notKey(6, "koyaku4", "Koyaku")}},
      {"[setting]\nrate1=5\n[data5pin]\nname=AT\nenable=1\n[estimate]\nmachines=m.ini\n",
       {notKey(5, "enable", "data5pin"), notKey(7, "machines", "estimate")}},
      {"[setting]\naddr=&H378\n[input]\nsource=serial\nsorce=usbio\n", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    const SettingsLoad load = loadFrom(row.ini);
    EXPECT_EQ(load.messages, std::vector<Said>(row.messages.begin(), row.messages.end()));
  }
  // Every key the samples offer, their commented ones too, is read, the live view's and the
  // estimate's among them.
  for (const char* sample : {"sample-tallix.ini", "sample-tallix.ja.ini",
                             "sample-tallix.windows.ini", "sample-tallix.windows.ja.ini"}) {
    SCOPED_TRACE(sample);
    std::string ini =
        testing::readBytes(std::filesystem::path(TALLIX_TEST_DATA) / ".." / "tools" / sample);
    for (std::size_t at = 0; (at = ini.find("\n;", at)) != std::string::npos; ++at) {
      const std::size_t end = ini.find('\n', at + 1);
      const std::string line = ini.substr(at + 2, end - at - 2);
      const bool key = line.find('=') != std::string::npos && line.find(' ') == std::string::npos;
      if (key || line.starts_with('[')) ini.erase(at + 1, 1);  // commented: read it too
    }
    EXPECT_NE(ini.find("\n[serve]"), std::string::npos);
    EXPECT_NE(ini.find("\nprior="), std::string::npos);
    EXPECT_NE(ini.find("\ncoin_in="), std::string::npos);
    EXPECT_NE(ini.find("\nfullscreen=1"), std::string::npos);
    EXPECT_EQ(loadFrom(ini).messages, std::vector<Said>{});
  }
}

// A file that sets something but has no [setting] shows every rate's cash as ¥0, and is told so
// once; a file with [setting] has chosen its rates, as the first design's files with only their
// addr have.
TEST(Settings, AFileWithoutSettingIsToldItGivesNoRates) {
  const std::string noRates = "no rate1, rate2 or rate3 in tallix.ini: 0枚 shows ¥0";
  const struct {
    const char* ini;
    bool told;
  } rows[] = {
      {"", false},
      {"; every line a comment\n;[setting]\n", false},
      {"[input]\nsource=serial\ndevice=COM3\n", true},
      {"[setting]\n[input]\nsource=serial\n", true},
      {"[big]\ncount=0\n", true},
      {"[setting]\naddr=&H378\n", false},
      {"[setting]\nrate1=0\n[input]\nsource=serial\n", false},
      {"[setting]\nrate1=5\n", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    const SettingsLoad load = loadFrom(row.ini);
    EXPECT_EQ(load.messages, row.told ? std::vector<Said>{noRates} : std::vector<Said>{});
    EXPECT_EQ(load.settings.rate[1], 0);
  }
  EXPECT_EQ(rateLabel(0), "0枚");
  EXPECT_EQ(rateLabel(7.6), "7.6枚");
}

TEST(Settings, AbsentFileGivesZerosWithoutMessages) {
  TempDir dir;
  const SettingsLoad load = loadSettings(dir / "tallix.ini");
  EXPECT_TRUE(load.messages.empty());
  EXPECT_EQ(load.settings.portAddr, 0);
}

TEST(Settings, UnreadableFileIsReportedByName) {
  TempDir dir;
  std::filesystem::create_directory(dir / "tallix.ini");  // a directory cannot be read as a file
  const SettingsLoad load = loadSettings(dir / "tallix.ini");
  ASSERT_EQ(load.messages.size(), 1u);
  // The C library's reason: Windows refuses to open a directory, Linux to read one.
#ifdef _WIN32
  const std::string reason = "Permission denied";
#else
  const std::string reason = "Is a directory";
#endif
  EXPECT_EQ(load.messages[0],
            (dir / "tallix.ini").string() + ": " + reason + "; using no settings");
}

TEST(Settings, NullToZeroPassesEverythingButTheEmptyText) {
  EXPECT_EQ(NullToZero(""), "0");
  EXPECT_EQ(NullToZero("10"), "10");
  EXPECT_EQ(NullToZero(" "), " ");
}

}  // namespace
}  // namespace tallix
