// The setting estimate window, opened from the panel: the estimate of the play as it goes on.
#include <QAction>
#include <QProgressBar>

#include "base/numbers.h"
#include "window/setting_estimate_window.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

using SettingEstimateWindowTest = WindowTest;

TEST_F(SettingEstimateWindowTest, OpensFromThePanelAndFollowsThePlay) {
  start();
  auto* open = child<QAction>("openSettingEstimate");
  EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+E"));
  EXPECT_TRUE(frm->actions().contains(open));  // the context menu's entry
  open->trigger();
  auto* window = child<window::SettingEstimateWindow>("settingEstimate");
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Setting estimate");
  const auto label = [window](const QString& name) {
    return window->findChild<QLabel*>(name)->text().toStdString();
  };
  // What it shows: six bars with their percentages, the expected payout rate, the games.
  const auto expectShown = [&](std::int64_t games) {
    const SettingEstimate e = frm->counter().settingEstimate().value();
    const auto percents = percentTexts(e.probability);
    int steps = 0;
    for (std::size_t s = 0; s < kSettingCount; ++s) {
      const QString n = QString::number(s + 1);
      EXPECT_EQ(label("percent" + n), percents[s]);
      steps += window->findChild<QProgressBar*>("bar" + n)->value();
    }
    EXPECT_EQ(steps, 1000);
    EXPECT_EQ(label("payoutRate"), "Expected payout rate: " + formatFixed2(*e.payoutRate) + "%");
    EXPECT_EQ(label("basis"), "From " + std::to_string(games) + " games, every payout counted.");
  };
  expectShown(0);
  EXPECT_EQ(label("percent1"), "16.7%");  // nothing counted yet: every setting alike
  EXPECT_EQ(label("machine"),
            "Machine: the typical machine. Name yours with [estimate] machine= in tallix.ini.");

  for (int game = 0; game < 40; ++game) {  // eight coins every other game
    pause();
    for (int coin = 0; coin < 3; ++coin) pulse(kCoinIn);
    for (int coin = 0; coin < (game % 2 == 0 ? 8 : 0); ++coin) pulse(kCoinOut);
  }
  runEvents(400);  // the window follows the play by itself
  expectShown(39);
  EXPECT_NE(label("percent1"), "16.7%");
  open->trigger();  // the same window again
  EXPECT_EQ(frm->findChildren<window::SettingEstimateWindow*>().size(), 1);
}

// Without a machine to estimate against, the window says why its description could not be read.
TEST_F(SettingEstimateWindowTest, SaysWhyTheMachineCouldNotBeRead) {
  writeIni("[setting]\r\naddr=&H378\r\n[estimate]\r\nmachine=m.ini\r\n");
  writeBytes(dir / "m.ini", "[odds]\r\nbig=1/287.4\r\n[setting2]\r\nreg=abc\r\n");
  start();
  child<QAction>("openSettingEstimate")->trigger();
  auto* window = child<window::SettingEstimateWindow>("settingEstimate");
  EXPECT_EQ(window->findChild<QLabel*>("basis")->text().toStdString(),
            "No setting estimate: the machine that [estimate] machine= in tallix.ini names could "
            "not be read: " +
                (dir / "m.ini").string() +
                " gives [setting2] but not [setting1], [setting3], [setting4], [setting5], "
                "[setting6]; give each setting its section (an empty one has the odds of [odds] "
                "and [wins])");
}

}  // namespace
}  // namespace tallix::testing
