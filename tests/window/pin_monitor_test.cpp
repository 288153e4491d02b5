// The pin monitor, opened from the panel.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "simulation/simulated_source.h"
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

// What the monitor shows for each input the program reads: the simulated machine's lines as the
// port byte's 8 bits, the lines the [input] pin map gives, or, with nothing polled (no port
// access), the names of this system's inputs.
TEST_F(PinMonitorTest, ShowsTheLinesOfEveryInputAndNamesThisSystemsInputsWithoutOne) {
  SimulatedSource simulated(Machine({}, 1));
  const struct {
    const char* run;
    std::string ini;
    Source* machine;
    std::int32_t portStart;          // what the port library's start returns
    int rows;                        // the inputs shown
    std::vector<std::string> lines;  // of inputs 0 to 7; none: no table
    const char* said;                // while nothing has been read, or with nothing polled
  } rows[] = {
      {"simulated machine",
       "",
       &simulated,
       0,
       8,
       {"coin in (coin_in)", "coin out (coin_out)", "REG (reg)", "BIG (big)",
        "5-pin line (data5pin)", "5-pin line (data5pin)", "5-pin line (data5pin)", ""},
       nullptr},
      {"serial bridge, pin map",
       "[input]\nsource=serial\ndevice=" + (dir / "ttyNONE").string() + "\nbig=7\nreg=7\n",
       nullptr,
       0,
       16,
       {"coin in (coin_in)", "coin out (coin_out)", "", "", "5-pin line (data5pin)", "", "",
        "REG (reg), BIG (big)"},
       "Nothing has been read from the input yet."},
      {"nothing polled",
       "",
       nullptr,
       1,
       0,
       {},
       "The pin monitor shows the inputs of the port or of the source named in the [input] "
       "section of tallix.ini (source=port, auto, parport, serial, usbio or gpio); none is read "
       "now."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.run);
    frm.reset();
    writeIni(row.ini);
    machine = row.machine;
    port.startResult = row.portStart;
    start();
    child<QAction>("openPinMonitor")->trigger();
    auto* monitor = frm->findChild<window::PinMonitor*>("pinMonitor");
    auto* table = monitor->findChild<QTableWidget*>();
    auto* said = monitor->findChild<QLabel*>();
    if (row.lines.empty()) {
      EXPECT_FALSE(table->isVisible());
      EXPECT_EQ(said->text().toStdString(), row.said);
      continue;
    }
    ASSERT_EQ(table->rowCount(), row.rows);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(table->item(k, 4)->text().toStdString(), row.lines[k]) << k;
    }
    if (row.said != nullptr) {
      EXPECT_TRUE(said->text().startsWith(row.said));
      continue;
    }
    // The machine is read from the start, every line off: high, as the port reads it.
    QElapsedTimer waited;
    waited.start();
    while (table->item(0, 1)->text().isEmpty() && waited.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(said->isVisible());
    EXPECT_EQ(table->item(0, 1)->text(), "high");
  }
}

}  // namespace
}  // namespace tallix::testing
