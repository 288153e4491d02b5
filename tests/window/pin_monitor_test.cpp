// The pin monitor, opened from the panel.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "window/pin_monitor.h"
#include "window_fixture.h"

namespace tallix::testing {
namespace {

using PinMonitorTest = WindowTest;

TEST_F(PinMonitorTest, OpensFromThePanelWithTheLinesOfThePinMap) {
  writeIni("[input]\nsource=serial\ndevice=" + (dir / "ttyNONE").string() +
           "\ncoin_in=9\ncoin_out=2,9\n");
  start();
  auto* open = frm->findChild<QAction*>("openPinMonitor");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+M"));
  EXPECT_TRUE(frm->actions().contains(open));  // the context menu's entry
  open->trigger();
  auto* monitor = frm->findChild<window::PinMonitor*>("pinMonitor");
  ASSERT_NE(monitor, nullptr);
  EXPECT_TRUE(monitor->isVisible());
  auto* table = monitor->findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 16);
  EXPECT_EQ(table->item(9, 4)->text(), "coin in (coin_in), coin out (coin_out)");
  EXPECT_EQ(table->item(2, 4)->text(), "coin out (coin_out), REG (reg)");  // reg keeps its default
  EXPECT_EQ(table->item(1, 4)->text(), "");
  // The device is missing: the monitor says what it waits for, in the panel's dark look.
  EXPECT_TRUE(monitor->findChild<QLabel*>()->isVisible());
  EXPECT_EQ(monitor->palette().color(QPalette::Window), Qt::black);
  QApplication::processEvents();  // laid out
  EXPECT_GE(table->columnWidth(4),
            table->fontMetrics().horizontalAdvance(table->item(9, 4)->text()));
  EXPECT_LE(table->columnViewportPosition(4) + table->columnWidth(4), table->viewport()->width());
  open->trigger();  // the same window again
  EXPECT_EQ(frm->findChildren<window::PinMonitor*>().size(), 1);
}

}  // namespace
}  // namespace tallix::testing
