// Start-up and shutdown of the window with a double of the port library.
#include <QLabel>
#include <QLineEdit>
#include <filesystem>

#include "base/profile.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

using Write = std::pair<std::uint16_t, std::int16_t>;

const char* const kFullIni =
    "[setting]\r\naddr=&H378\r\nrate1=5.0\r\nrate2=5.6\r\nrate3=7.6\r\n"
    "[koyaku]\r\nkoyaku1=10\r\nkoyaku2=0\r\nkoyaku3=5\r\n"
    "[data5pin]\r\nenabled=1\r\n";

class StartUp : public WindowTest {
 protected:
  void expectDesignTexts() {
    EXPECT_EQ(boxText("bigKakuritsu"), "1/-");
    EXPECT_EQ(boxText("regKakuritsu"), "1/-");
    EXPECT_EQ(boxText("dedamaritsu"), "0.00%");
    for (const char* box : {"bigCoin", "bigMaxCoin", "tosiKingaku", "temochiCoin", "kankin1",
                            "kankin2", "kankin3", "Text5pin"}) {
      SCOPED_TRACE(box);
      EXPECT_EQ(boxText(box), "0");
    }
    EXPECT_EQ(labelText("rate1Label"), "5枚");
    EXPECT_EQ(labelText("rate2Label"), "6枚");
    EXPECT_EQ(labelText("rate3Label"), "7.6枚");
    for (const char* hidden : {"koyakulabel0", "koyakulabel1", "koyakulabel2", "koyakudata0",
                               "koyakudata1", "koyakudata2", "label5pin", "Text5pin"}) {
      SCOPED_TRACE(hidden);
      EXPECT_FALSE(shown(hidden));
    }
    EXPECT_FALSE(shown("saImage10"));
  }
  std::string histLog() const { return (dir / "hist.log").string(); }
};

TEST_F(StartUp, BeforeStartUpEveryDisplayHasItsDesignText) {
  writeIni(kFullIni);
  makeWindow();
  expectDesignTexts();
  EXPECT_EQ(frm->objectName(), "frmTallix");
  EXPECT_EQ(frm->windowTitle(), "Tallix");
  EXPECT_EQ(frm->size(), QSize(806, 610));
  EXPECT_TRUE(port.writes.empty());
  EXPECT_FALSE(frm->polling());
}

TEST_F(StartUp, AnOddStartShowsTheErrorAndStaysDegraded) {
  writeIni(kFullIni);
  writeBytes(dir / "hist.log", "[data]\r\nin_count=77\r\n");
  for (std::int32_t result : {1, 5, 9, 13, 0x10001}) {
    SCOPED_TRACE(result);
    port = FakePort{};
    port.startResult = result;
    port.error = "port access refused: run as root or grant CAP_SYS_RAWIO";
    messages.shown.clear();
    start();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "KIRVO Init Error!!");
    EXPECT_EQ(messages.shown[0].detail, port.error);
    EXPECT_FALSE(frm->polling());
    EXPECT_TRUE(port.writes.empty());
    expectDesignTexts();  // no settings applied, no record loaded
    EXPECT_EQ(frm->counter().counters().in_count, 0);
    EXPECT_TRUE(shown("notice"));

    frm->close();
    EXPECT_EQ(port.stops, 1);
    EXPECT_TRUE(port.reads.empty());
    EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=77\r\n");  // not saved over
  }
}

TEST_F(StartUp, AnEvenStartRunsInFullAndWritesTheControlByteOnce) {
  struct Row {
    std::int32_t result;
    const char* addr;
    std::uint16_t control, data;
  };
  for (const Row& row : {Row{14, "&H378", 890, 888}, Row{0, "888", 890, 888},
                         Row{14, "&HFFFF", 1, 0xFFFF}, Row{14, "&HFFFE", 0, 0xFFFE}}) {
    SCOPED_TRACE(row.addr);
    port = FakePort{};
    port.startResult = row.result;
    writeIni(std::string("[setting]\r\naddr=") + row.addr + "\r\nrate2=5.6\r\n");
    start();
    EXPECT_EQ(port.writes, (std::vector<Write>{{row.control, 0xEC}}));
    EXPECT_TRUE(frm->polling());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(shown("notice"));
    EXPECT_EQ(labelText("rate1Label"), "0枚");
    EXPECT_EQ(labelText("rate2Label"), "5.6枚");
    ticks({0xFF});
    EXPECT_EQ(port.reads, (std::vector<std::uint16_t>{row.data}));
    frm->close();
  }
}

TEST_F(StartUp, SettingsShapeTheSmallWinAndFivePinBoxes) {
  writeIni(kFullIni);
  start();
  EXPECT_TRUE(shown("koyakulabel0"));
  EXPECT_TRUE(shown("koyakudata0"));
  EXPECT_EQ(boxText("koyakulabel0"), "10枚役");
  EXPECT_FALSE(shown("koyakulabel1"));
  EXPECT_FALSE(shown("koyakudata1"));
  EXPECT_TRUE(shown("koyakulabel2"));
  EXPECT_EQ(boxText("koyakulabel2"), "5枚役");
  EXPECT_EQ(boxText("koyakudata2"), "0回　　1/-　　0G/0G");
  EXPECT_TRUE(shown("label5pin"));
  EXPECT_TRUE(shown("Text5pin"));
  EXPECT_EQ(boxText("label5pin"), "");
  EXPECT_EQ(labelText("rate1Label"), "5枚");
  EXPECT_EQ(labelText("rate3Label"), "7.6枚");
}

TEST_F(StartUp, WithoutAPortAddressNoPortIsTouched) {
  for (const char* ini : {"", "[setting]\r\naddr=\r\n", "[setting]\r\naddr=0\r\n",
                          "[setting]\r\naddr=&H0\r\nrate1=5\r\n"}) {
    SCOPED_TRACE(ini);
    port = FakePort{};
    writeIni(ini);
    start();
    frm->show();
    QApplication::processEvents();
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(frm->polling());
    EXPECT_TRUE(shown("notice"));
    EXPECT_NE(labelText("notice").find("port address is not set"), std::string::npos);
    EXPECT_TRUE(messages.shown.empty());  // said in the window, not in a box
    frm->close();
    EXPECT_TRUE(port.reads.empty());
    EXPECT_TRUE(std::filesystem::exists(dir / "hist.log"));  // the play is still kept
  }
}

TEST_F(StartUp, AMissingLibraryEndsTheProgramWithItsName) {
  port.missing = true;
  makeWindow();
  EXPECT_FALSE(frm->Form_Load());
  EXPECT_EQ(frm->exitStatus(), 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("libkirvoport.so"), std::string::npos);
  EXPECT_FALSE(frm->polling());
}

TEST_F(StartUp, SettingsThatDoNotFitAreListedInOneMessageOnceTheWindowIsUp) {
  writeIni("[setting]\r\naddr=&H378\r\n[koyaku]\r\nkoyaku1=40000\r\nkoyaku2g=-99999\r\n");
  start();
  EXPECT_TRUE(messages.shown.empty());
  frm->show();
  QApplication::processEvents();
  QApplication::processEvents();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].detail.find("koyaku1=40000"), std::string::npos);
  EXPECT_NE(messages.shown[0].detail.find("koyaku2g=-99999"), std::string::npos);
  EXPECT_FALSE(shown("koyakulabel0"));  // the field is 0
  frm->hide();
  frm->show();
  QApplication::processEvents();
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(StartUp, NoHistLogStartsFromZerosAndTheCloseCreatesIt) {
  writeIni(kFullIni);
  start();
  EXPECT_TRUE(frm->polling());
  EXPECT_EQ(frm->counter().counters().in_count, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));
  frm->close();
  EXPECT_FALSE(frm->polling());
  const ProfileFile record = ProfileFile::load(dir / "hist.log");
  EXPECT_EQ(record.value("data", "in_count"), "0");
  EXPECT_EQ(record.value("data", "r0"), "1");
  EXPECT_EQ(record.value("data", "r9"), "2");
}

TEST_F(StartUp, ClosingDuringABigSavesTheCountersAsTheyStand) {
  writeIni(kFullIni);
  start();
  pulse(kCoinIn);
  ticks({static_cast<std::uint8_t>(~kBig)});  // the BIG starts and goes on
  pulse(kCoinOut, kBig);
  port.idle = static_cast<std::uint8_t>(~kBig);
  runEvents(30);  // Timer1 polls on its own while the BIG goes on
  EXPECT_GT(port.reads.size(), 5u);
  frm->close();
  const std::size_t reads = port.reads.size();
  runEvents(30);
  EXPECT_EQ(port.reads.size(), reads);  // no tick after the close
  EXPECT_EQ(port.stops, 1);
  const ProfileFile record = ProfileFile::load(dir / "hist.log");
  EXPECT_EQ(record.value("data", "in_count"), "1");
  EXPECT_EQ(record.value("data", "out_count"), "1");
  EXPECT_EQ(record.value("data", "big_count"), "1");
  EXPECT_EQ(record.value("data", "big_coin"), "1");
}

TEST_F(StartUp, TheLastPlayIsLoadedFromHistLog) {
  writeIni(kFullIni);
  writeBytes(dir / "hist.log", "[data]\r\nin_count=120\r\nout_count=150\r\nbig_count=2\r\n");
  start();
  EXPECT_EQ(frm->counter().counters().in_count, 120);
  EXPECT_EQ(frm->counter().counters().big_count, 2);
  EXPECT_EQ(boxText("bigKakuritsu"), frm->counter().panel().text(TextId::bigKakuritsu).text);
}

TEST_F(StartUp, AHistLogThatFailsToLoadIsKeptAsideAndSaid) {
  writeIni(kFullIni);
  const std::string bad = "[data]\r\nin_count=12\r\nout_count=99999999999\r\n";
  writeBytes(dir / "hist.log", bad);
  start();
  EXPECT_TRUE(frm->polling());
  EXPECT_EQ(readBytes(dir / "hist.log.bad"), bad);
  EXPECT_TRUE(shown("notice"));
  EXPECT_NE(labelText("notice").find("hist.log.bad"), std::string::npos);
  EXPECT_TRUE(messages.shown.empty());
  frm->close();
  EXPECT_EQ(readBytes(dir / "hist.log.bad"), bad);
  EXPECT_TRUE(std::filesystem::exists(dir / "hist.log"));  // a fresh record beside it
}

TEST_F(StartUp, AFailedSaveAtTheCloseNamesThePathAndTheReason) {
  writeIni(kFullIni);
  start();
  std::filesystem::create_directory(dir / "hist.log");  // cannot be replaced by a file
  frm->close();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find((dir / "hist.log").string()), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find("directory"), std::string::npos);
}

TEST_F(StartUp, AutosaveKeepsAChangedPlayAgainstAPowerCut) {
  writeIni(kFullIni);
  start();
  frm->Autosave();
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));  // nothing to keep yet
  pulse(kCoinIn);
  frm->Autosave();
  EXPECT_EQ(ProfileFile::load(dir / "hist.log").value("data", "in_count"), "1");
  writeBytes(dir / "hist.log", "unchanged play");
  frm->Autosave();
  EXPECT_EQ(readBytes(dir / "hist.log"), "unchanged play");  // no needless write
}

TEST_F(StartUp, TheDegradedStateNeverAutosaves) {
  port.startResult = 1;
  writeBytes(dir / "hist.log", "[data]\r\nin_count=9\r\n");
  start();
  frm->Command3_Click();
  frm->Autosave();
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));  // the clear deleted it, as designed
}

}  // namespace
}  // namespace tallix::testing
