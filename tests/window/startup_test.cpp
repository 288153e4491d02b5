// The window's start-up as the player sees it, with a double of the port library.
#include <QLabel>
#include <QLineEdit>
#include <future>

#include "window/one_window.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

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
};

TEST_F(StartUp, BeforeStartUpEveryDisplayHasItsDesignText) {
  writeIni(kFullIni);
  makeWindow();
  expectDesignTexts();
  EXPECT_EQ(frm->objectName(), "frmTallix");
  EXPECT_EQ(frm->windowTitle(), "Tallix — hist.log");
  EXPECT_EQ(frm->size(), QSize(806, 610 + frm->notices().height()));  // the notice line beneath
  EXPECT_TRUE(port.writes.empty());
  EXPECT_FALSE(frm->polling());
}

TEST_F(StartUp, TheDegradedWindowShowsTheErrorTheNoticeAndItsDesignTexts) {
  writeIni(kFullIni);
  port.startResult = 1;
  port.error = "port access refused: run as root or grant CAP_SYS_RAWIO";
  start();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "KIRVO Init Error!!");
  EXPECT_EQ(messages.shown[0].detail.rfind(port.error + "\n\n", 0), 0u);
  EXPECT_FALSE(frm->polling());
  expectDesignTexts();  // no settings applied
  EXPECT_TRUE(shown("notice"));
  EXPECT_TRUE(frm->notices().lines().join('\n').contains("not counting"));
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

// A second start on the same record brings the window that runs it forward instead.
TEST_F(StartUp, ASecondStartOnTheRecordBringsTheRunningWindowForward) {
  start();
  const std::string record = frm->session().recordPath().string();
  window::comeForwardWhenAsked(*frm, record);
  frm->showMinimized();
  auto asked = std::async(std::launch::async, [&] { return window::bringForward(record); });
  while (asked.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_TRUE(asked.get());
  EXPECT_FALSE(frm->isMinimized());
  EXPECT_FALSE(window::bringForward(appDir() + "other.log"));  // no window runs that one
}

}  // namespace
}  // namespace tallix::testing
