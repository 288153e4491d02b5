// Every window in the player's language: the main window's own texts (title, notices, menu),
// the history window, the pin monitor and the setting estimate, opened on an English and on a
// Japanese desktop, show
// no text of the other language. The panel's captions are the design's own and stay as they
// are in both.
#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QTableWidget>
#include <QTranslator>
#include <QtCharts/QBarSet>

#include "window/bonus_chart.h"
#include "window/history_window.h"
#include "window/notice_bar.h"
#include "window/pin_monitor.h"
#include "window/setting_estimate_window.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

// What a window shows in words: its title, labels, buttons, menu entries, table headings and
// cells, chart titles and legends.
QStringList wordsOf(const QWidget& w) {
  QStringList words{w.windowTitle()};
  for (const auto* label : w.findChildren<QLabel*>()) words << label->text();
  for (const auto* button : w.findChildren<QAbstractButton*>()) words << button->text();
  for (const auto* action : w.findChildren<QAction*>()) words << action->text();
  for (const auto* table : w.findChildren<QTableWidget*>()) {
    for (int c = 0; c < table->columnCount(); ++c) {
      words << table->horizontalHeaderItem(c)->text();
      for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, c)) words << table->item(r, c)->text();
      }
    }
  }
  for (const auto* chart : w.findChildren<window::BonusChart*>()) {
    words << chart->chart()->title() << chart->runUps()->label() << chart->coins()->label();
  }
  return words;
}

const QRegularExpression kJapanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
// An English word: letters, not a name of the program's (a key, a file, an option, a caption
// the design gives in English).
const QRegularExpression kEnglish(QStringLiteral(
    "(?<![\\w=./\\[-])(?!(?:BIG|REG|Total|No|CSV|Tallix|ms|port|parport|serial|usbio|gpio|"
    "source|input|simulate|coin_in|coin_out|reg|big|data5pin)\\b)[A-Za-z]{2,}(?![\\w=./\\]])"));

class WindowsLanguage : public WindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WindowsLanguage, EveryWindowShowsNoTextOfTheOtherLanguage) {
  const bool japanese = GetParam();
  QTranslator translator;
  if (japanese) {
    ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/tallix_ja.qm")));
    QCoreApplication::installTranslator(&translator);
  }
  writeIni("[input]\nsource=serial\ndevice=" + (dir / "ttyNONE").string() + "\n");
  std::filesystem::create_directories(dir / "plays");
  writeBytes(dir / "plays" / "2026-12-01_000000.log", "not a record");
  start();
  pulse(kCoinIn);
  child<QAction>("openHistory")->trigger();
  child<QAction>("openPinMonitor")->trigger();
  child<QAction>("openSettingEstimate")->trigger();
  QStringList words = wordsOf(*child<window::HistoryWindow>("frmHistory")) +
                      wordsOf(*child<window::PinMonitor>("pinMonitor")) +
                      wordsOf(*child<window::SettingEstimateWindow>("settingEstimate")) +
                      wordsOf(frm->notices());
  words << frm->windowTitle();
  for (const QAction* action : frm->actions()) words << action->text();
  EXPECT_TRUE(words.contains(japanese ? "現在の遊技" : "Current play"));  // the windows were read
  EXPECT_TRUE(words.contains(japanese ? "設定推測" : "Setting estimate"));
  for (const QString& text : words) {
    SCOPED_TRACE(text.toStdString());
    EXPECT_FALSE(japanese ? kEnglish.match(text).hasMatch() : kJapanese.match(text).hasMatch());
  }
  QCoreApplication::removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(InEnglishAndJapanese, WindowsLanguage, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Japanese" : "English"; });

}  // namespace
}  // namespace tallix::testing
