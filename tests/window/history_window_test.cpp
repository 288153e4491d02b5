// The history window over a play and its past plays, and its way in from the panel.
#include "window/history_window.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTranslator>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>

#include "base/numbers.h"
#include "machine/machine_description.h"
#include "records/csv_export.h"
#include "records/record.h"
#include "support/history_plays.h"
#include "window/bonus_chart.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

class HistoryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Play past;
    playWithPastPlays(play, past, dir / "plays");
    std::filesystem::create_directories(dir / "plays" / "folder.log");  // neither is a play
    writeBytes(dir / "plays" / "notes.txt", "");
  }

  QStringList row(const char* table, int r) const {
    auto* t = window.findChild<QTableWidget*>(table);
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c)
      cells << (t->item(r, c) ? t->item(r, c)->text() : "");
    return cells;
  }

  std::vector<QString> column(int c) const {
    auto* table = window.findChild<QTableWidget*>("bonuses");
    std::vector<QString> cells;
    for (int r = 0; r < table->rowCount(); ++r) cells.push_back(table->item(r, c)->text());
    return cells;
  }

  TempDir dir;
  Play play;
  FakeMessages messages;
  QString exportTo, suggested;
  window::HistoryWindow window{nullptr, play.counter, dir / "plays", messages,
                               [this](QWidget*, const QString& path) {
                                 suggested = path;
                                 return exportTo;
                               }};
};

TEST_F(HistoryWindowTest, ShowsTheCurrentPlayThenAPastOneReadOnly) {
  window.show();
  // A row per play with its summary, newest first.
  ASSERT_EQ(window.findChild<QTableWidget*>("plays")->rowCount(), 3);
  EXPECT_EQ(row("plays", 0),
            (QStringList{"Current play", "2", "1", "1", "1/2", "1/2", "490.00%", "39", "1", "-"}));
  EXPECT_EQ(row("plays", 1),
            (QStringList{"2026-12-07 10:00:00", "Unreadable", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(row("plays", 2), (QStringList{"2026-12-06 21:00:00", "5", "0", "1", "1/-", "1/5",
                                          "0.00%", "-15", "3", "-"}));

  EXPECT_EQ(column(1), (std::vector<QString>{"BIG", "REG"}));
  EXPECT_EQ(column(3), (std::vector<QString>{"1", "1"}));
  EXPECT_EQ(column(4), (std::vector<QString>{"37", "8"}));
  EXPECT_EQ(column(6)[1], "");  // the REG still runs
  auto* chart = window.findChild<window::BonusChart*>("bonusChart");
  EXPECT_EQ(chart->coins()->at(0), 37);
  EXPECT_EQ(chart->runUps()->count(), 2);

  window.pick(2);
  EXPECT_EQ(column(1), (std::vector<QString>{"REG"}));
  EXPECT_EQ(column(3), (std::vector<QString>{"2"}));  // a past play is read from its file
  window.pick(1);                                     // a file that cannot be loaded says why
  EXPECT_TRUE(window.findChild<QLabel*>("problem")->text().contains("koyaku1g_now=1e9"));
  EXPECT_EQ(column(1).size(), 0u);
  EXPECT_EQ(chart->runUps()->count(), 0);  // nothing of the play picked before
  EXPECT_TRUE(static_cast<QBarCategoryAxis*>(chart->chart()->axes(Qt::Horizontal)[0])
                  ->categories()
                  .empty());
  EXPECT_EQ(chart->chart()->title(), "No bonus yet");
  EXPECT_EQ(readBytes(dir / "plays" / "2026-12-07_100000.log"),
            "[data]\r\nin_count=x\r\nkoyaku1g_now=1e9\r\n");

  // The current play is redrawn as it goes on.
  window.pick(0);
  play.holdLines(0);
  play.tick();
  play.holdLines(kBig);
  play.tick();
  QElapsedTimer waited;
  waited.start();
  while (column(1).size() < 3 && waited.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  EXPECT_EQ(column(1), (std::vector<QString>{"BIG", "REG", "BIG"}));
}

// With a machine to estimate against: the likeliest setting of every play, and each setting's
// probability for the play picked, a past play's from its record.
TEST_F(HistoryWindowTest, ShowsTheLikeliestSettingOfEveryPlayAndTheEstimateOfThePlayPicked) {
  const SettingModel model = MachineDescription{}.model();
  play.counter.setSettingModel(model);
  window.show();
  // The past play: a game, a game that started a REG, two games, and the game in play.
  const SettingEstimate past = estimateSetting(model, PayoutCounts{0, 1, {{0, 3}}}).value();
  const auto percents = percentTexts(past.probability);
  EXPECT_EQ(row("plays", 2).back().toStdString(), "6 (" + percents[5] + ")");  // REG-heavy
  window.pick(2);
  std::string line = "Setting estimate:";
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    line += "   " + std::to_string(s + 1) + ": " + percents[s];
  }
  EXPECT_EQ(window.findChild<QLabel*>("estimate")->text().toStdString(),
            line + "   Expected payout rate: " + formatFixed2(*past.payoutRate) + "%   (4 games)");
}

TEST_F(HistoryWindowTest, ExportsTheTableAndTheSummariesAsCsv) {
  window.show();
  exportTo = QString::fromStdString((dir / "bonuses.csv").string());
  window.exportBonuses();
  EXPECT_EQ(suggested.toStdString(), (dir / "bonuses_current.csv").string());  // the data folder
  EXPECT_EQ(readBytes(dir / "bonuses.csv"), bonusCsv(play.counter.bonuses().all()));
  exportTo = QString::fromStdString((dir / "summaries.csv").string());
  window.exportSummaries();
  // The plays that can be read; a probability as its games per bonus, empty before the first.
  EXPECT_EQ(readBytes(dir / "summaries.csv"),
            "play,games,big,reg,games_per_big,games_per_reg,payout_rate,difference,"
            "longest_run_up\r\n"
            "current,2,1,1,2,2,490.00%,39,1\r\n"
            "2026-12-06 21:00:00,5,0,1,,5,0.00%,-15,3\r\n");

  exportTo = QString::fromStdString((dir / "no" / "x.csv").string());
  window.exportBonuses();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].detail.find("x.csv"), std::string::npos);
}

// Every heading shows whole, in either language, at the window's size.
TEST_F(HistoryWindowTest, NoHeadingIsCutInEitherLanguage) {
  QTranslator japanese;
  ASSERT_TRUE(japanese.load(QStringLiteral(":/i18n/tallix_ja.qm")));
  for (const bool inJapanese : {false, true}) {
    SCOPED_TRACE(inJapanese ? "Japanese" : "English");
    if (inJapanese) QCoreApplication::installTranslator(&japanese);
    window::HistoryWindow shown(nullptr, play.counter, dir / "plays", messages);
    shown.resize(1000, 680);
    shown.show();
    QApplication::processEvents();
    for (const char* name : {"plays", "bonuses"}) {
      const QTableWidget* table = shown.findChild<QTableWidget*>(name);
      const QHeaderView* header = table->horizontalHeader();
      for (int c = 0; c < table->columnCount(); ++c) {
        const QString heading = table->horizontalHeaderItem(c)->text();
        SCOPED_TRACE(heading.toStdString());
        // The text and the header's padding of 4 px on either side.
        EXPECT_GE(header->sectionSize(c), header->fontMetrics().horizontalAdvance(heading) + 8);
      }
    }
  }
  QCoreApplication::removeTranslator(&japanese);
}

class PanelWayIn : public WindowTest {};

// While the history is open, the play kept by クリア is listed at once, beneath the new play.
TEST_F(PanelWayIn, TheListFollowsClearWhileOpen) {
  start();
  child<QAction>("openHistory")->trigger();
  auto* plays =
      frm->findChild<window::HistoryWindow*>("frmHistory")->findChild<QTableWidget*>("plays");
  ASSERT_EQ(plays->rowCount(), 1);
  for (int i = 0; i < 3; ++i) pulse(kCoinIn);
  child<QPushButton>("Command3")->click();
  ASSERT_EQ(plays->rowCount(), 2);
  EXPECT_EQ(plays->item(0, 0)->text(), "Current play");
  EXPECT_NE(plays->item(1, 0)->text(), "Unreadable");
}

// Escape closes each window beside the panel, from the control that has the focus.
TEST_F(PanelWayIn, EscapeClosesTheWindowsBesideThePanel) {
  start();
  const struct {
    const char* action;
    const char* window;
  } rows[] = {{"openHistory", "frmHistory"},
              {"openPinMonitor", "pinMonitor"},
              {"openSettingEstimate", "settingEstimate"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.window);
    child<QAction>(row.action)->trigger();
    auto* window = child<QWidget>(row.window);
    ASSERT_TRUE(window->isVisible());
    QWidget* target = window;
    if (auto* table = window->findChild<QTableWidget*>()) target = table;  // a control in it
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(target, &escape);
    EXPECT_FALSE(window->isVisible());
  }
}

TEST_F(PanelWayIn, AShortcutAndAContextMenuEntryOpenTheWindow) {
  start();
  auto* open = child<QAction>("openHistory");
  EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
  EXPECT_EQ(frm->contextMenuPolicy(), Qt::ActionsContextMenu);
  EXPECT_TRUE(frm->actions().contains(open));
  open->trigger();
  auto* history = frm->findChild<window::HistoryWindow*>("frmHistory");
  ASSERT_NE(history, nullptr);
  EXPECT_TRUE(history->isVisible());
}

}  // namespace
}  // namespace tallix::testing
