// The three buttons with a double of the file dialog.
#include <QAction>
#include <QFileDialog>
#include <QLayout>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <filesystem>

#include "base/profile.h"
#include "design/design.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

class Buttons : public WindowTest {
 protected:
  void SetUp() override {
    writeIni("[setting]\r\naddr=&H378\r\n");
    start();
  }
  void click(const char* name) { child<QPushButton>(name)->click(); }
  std::string programDir() const { return dir.path().string(); }
  std::string digitsOf(const char* group, int size) {
    std::string s;
    for (int k = 0; k < size; ++k) {
      const QPixmap shown = child<QLabel>(group + std::to_string(k))->pixmap();
      for (int d = 0; d < 10; ++d) {
        if (shown.cacheKey() == frm->pictures().picture(PictureSet::Image1p, d).cacheKey()) {
          s += static_cast<char>('0' + d);
        }
      }
    }
    return s;
  }
};

TEST_F(Buttons, ClearResetsTheDisplaysAtOnceAndSaysWhereThePlayWasKept) {
  for (int i = 0; i < 12; ++i) pulse(kCoinIn);
  frm->render();
  EXPECT_EQ(digitsOf("inImage", 6), "000012");
  writeBytes(dir / "hist.log", "[data]\r\nin_count=5\r\n");
  const int height = frm->height();
  click("Command3");  // no render timer needed: the click draws
  EXPECT_EQ(digitsOf("inImage", 6), "000000");
  EXPECT_EQ(boxText("tosiKingaku"), "¥0");
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));
  EXPECT_TRUE(frm->polling());
  // The notice line lies beneath the panel, which it never covers, and goes when dismissed.
  EXPECT_EQ(frm->notices().lines().size(), 1);
  EXPECT_TRUE(frm->notices().shown().startsWith("The cleared play was kept as " +
                                                QString::fromStdString((dir / "plays").string())));
  EXPECT_EQ(frm->notices().geometry().top(), 610);
  child<QToolButton>("")->click();  // its only button: the close button
  EXPECT_TRUE(frm->notices().lines().isEmpty());
  EXPECT_EQ(frm->height(), height);
}

// The context menu's last entry starts the program again on the simulated machine, as a process
// of its own; this session goes on counting. A start that fails is said.
TEST_F(Buttons, TheContextMenuStartsTheSimulatedMachineApart) {
  auto* entry = child<QAction>("startSimulatedMachine");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(frm->actions().back(), entry);
  EXPECT_EQ(entry->text(), "Tallix (simulated machine)");
  for (const bool starts : {true, false}) {
    SCOPED_TRACE(starts);
    started.clear();
    startsProgram = starts;
    entry->trigger();
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0], QStringList{"--simulate"});
    EXPECT_TRUE(frm->polling());
    EXPECT_EQ(frm->notices().shown(),
              starts ? "" : "Tallix (simulated machine) could not be started.");
  }
}

// Each button says in a line, in the player's language, what it does.
TEST_F(Buttons, EachButtonsTooltipSaysWhatItDoesInThePlayersLanguage) {
  const struct {
    const char* button;
    bool japanese;
    const char* tip;
  } rows[] = {
      {"Command3", false, "Starts a new play, keeping this one in the history"},
      {"Command4", false, "Loads a play from a record file in place of this one"},
      {"Command5", false, "Saves this play to a record file of your choice"},
      {"Command3", true, "新しい遊技を始めます。今の遊技は履歴に残ります"},
      {"Command4", true, "記録ファイルの遊技を読み込み、今の遊技と置き換えます"},
      {"Command5", true, "今の遊技を選んだ記録ファイルに保存します"},
  };
  QTranslator japanese;
  ASSERT_TRUE(japanese.load(QStringLiteral(":/i18n/tallix_ja.qm")));
  for (const bool inJapanese : {false, true}) {
    if (inJapanese) {
      frm.reset();
      QCoreApplication::installTranslator(&japanese);
      start();
    }
    for (const auto& row : rows) {
      if (row.japanese != inJapanese) continue;
      SCOPED_TRACE(row.tip);
      EXPECT_EQ(child<QPushButton>(row.button)->toolTip().toStdString(), row.tip);
    }
  }
  QCoreApplication::removeTranslator(&japanese);
}

// Notices never share the line: one shows whole, passing ones first, with how many are held,
// and × brings the next; the line keeps its height throughout.
TEST(NoticeBar, ShowsOneNoticeWholeWithHowManyAreHeldAndTheNextOnceDismissed) {
  window::NoticeBar bar(nullptr);
  bar.resize(design::kClientWidth, bar.height());
  const int height = bar.height();
  const QString longer = QString("a notice long enough to wrap over two lines, ").repeated(4);
  bar.add(longer.toStdString(), false);
  bar.add("second", false);
  bar.add("Saved.", true);
  const auto labels = bar.findChildren<QLabel*>();
  auto* close = bar.findChild<QToolButton*>();
  for (const QString& next : {QString("Saved."), longer, QString("second"), QString()}) {
    SCOPED_TRACE(next.toStdString());
    bar.layout()->activate();
    EXPECT_EQ(bar.shown(), next);
    EXPECT_EQ(labels[1]->text(),
              bar.lines().size() > 1 ? QStringLiteral("1/%1").arg(bar.lines().size()) : QString());
    EXPECT_GE(labels[0]->height(), labels[0]->heightForWidth(labels[0]->width()));  // not cut
    EXPECT_EQ(bar.height(), height);
    close->click();
  }
}

// A name typed without an extension is saved as a .log, which the open dialog shows.
TEST(SaveDialog, ANameTypedWithoutAnExtensionIsSavedAsALog) {
  TempDir dir;
  window::QtFileDialog dialog;
  for (const auto& [typed, saved] : {std::pair{"mine", "mine.log"}, {"mine.txt", "mine.txt"}}) {
    QTimer::singleShot(0, [&typed = typed] {
      auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(shown, nullptr);
      shown->selectFile(typed);
      static_cast<QDialog*>(shown)->accept();  // as the Save button does
    });
    EXPECT_EQ(dialog.showSave(dir.path().string()), (dir / saved).string());
  }
}

TEST_F(Buttons, LoadReadsThePickedFileAndDrawsIt) {
  writeBytes(dir / "play.log", "[data]\r\nin_count=300\r\nout_count=420\r\nbig_count=1\r\n");
  dialog.answer = (dir / "play.log").string();
  click("Command4");
  EXPECT_EQ(dialog.directories, std::vector<std::string>{programDir()});
  EXPECT_EQ(frm->counter().counters().in_count, 300);
  EXPECT_EQ(digitsOf("inImage", 6), "000300");
  EXPECT_EQ(boxText("temochiCoin"), frm->counter().panel().text(TextId::temochiCoin).text);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Buttons, CancelledDialogsChangeNothing) {
  pulse(kCoinIn);
  dialog.answer = "";
  click("Command4");
  click("Command5");
  EXPECT_EQ(dialog.directories.size(), 2u);
  EXPECT_EQ(frm->counter().counters().in_count, 1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // .ini, lock
}

TEST_F(Buttons, AFailedLoadNamesTheFileTheKeyAndTheValue) {
  writeBytes(dir / "bad.log", "[data]\r\nin_count=7\r\nout_count=1e12\r\n");
  dialog.answer = (dir / "bad.log").string();
  click("Command4");
  ASSERT_EQ(messages.shown.size(), 1u);
  const std::string& text = messages.shown[0].text;
  EXPECT_NE(text.find("bad.log"), std::string::npos) << text;
  EXPECT_NE(text.find("out_count"), std::string::npos) << text;
  EXPECT_NE(text.find("1e12"), std::string::npos) << text;
  EXPECT_EQ(frm->counter().counters().in_count, 0);  // nothing of it was applied
}

TEST_F(Buttons, SaveWritesThePlayToThePickedPath) {
  for (int i = 0; i < 4; ++i) pulse(kCoinIn);
  dialog.answer = (dir / "mine").string();  // no extension is added
  click("Command5");
  EXPECT_EQ(ProfileFile::load(dir / "mine").value("data", "in_count"), "4");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(frm->notices().shown(), "Saved to " + QString::fromStdString(dialog.answer) + ".");

  dialog.answer = (dir / "missing" / "mine.log").string();
  click("Command5");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(dialog.answer), std::string::npos);
}

}  // namespace
}  // namespace tallix::testing
