// A window under test: doubles of the port library, the message boxes and the file dialog, and
// a program directory of its own. The tests play the window's counter directly, in a time of
// their own, through a tick driver: the port double reads all lines off, so the window's own
// sampling hands on nothing but that.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "counting/tick_driver.h"
#include "support/fakes.h"
#include "support/play.h"
#include "support/temp_dir.h"
#include "window/dialogs.h"
#include "window/frm_tallix.h"
#include "window/notice_bar.h"

namespace tallix::testing {

struct Shown {
  std::string text, detail;
};
class FakeMessages : public window::Messages {
 public:
  std::vector<Shown> shown;
  void show(QWidget*, const QString& text, const QString& detail) override {
    shown.push_back({text.toStdString(), detail.toStdString()});
  }
  // Notes every question and lets the play go: "no", and "yes" to the discard's confirmation.
  SessionView::Answer ask(QWidget*, const QString& text, const QString&, const QString&) override {
    shown.push_back({text.toStdString(), {}});
    return text.startsWith("Discard the play?") ? SessionView::Answer::yes
                                                : SessionView::Answer::no;
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void writeIni(const std::string& text) { writeBytes(dir / "tallix.ini", text); }
  std::string appDir() const { return dir.path().string() + "/"; }

  window::FrmTallix& makeWindow() {
    window::Environment env{
        {machine != nullptr ? nullptr : &port, machine, Places::in(appDir())}, dialog, messages};
    env.startProgram = [this](const QStringList& arguments) {
      started.push_back(arguments);
      return startsProgram;
    };
    frm = std::make_unique<window::FrmTallix>(env);
    driver.emplace(frm->counter());
    return *frm;
  }
  window::FrmTallix& start() {
    makeWindow();
    EXPECT_TRUE(frm->Form_Load());
    return *frm;
  }
  // Ticks of the counter, 1 ms apart, with these port bytes.
  void ticks(std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) driver->tick(now++, signExtendByte(b));
  }
  void pulse(std::uint8_t lines, std::uint8_t held = 0) {
    ticks({static_cast<std::uint8_t>(~(lines | held)), static_cast<std::uint8_t>(~held)});
  }
  // The game guard runs out.
  void pause() { now += TickDriver::kTimer2Ms; }

  // Runs the event loop for a while, so that the window's own timers tick.
  static void runEvents(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }

  template <typename W>
  W* child(const std::string& name) {
    W* w = frm->findChild<W*>(QString::fromStdString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  std::string boxText(const std::string& name) {
    return child<QLineEdit>(name)->text().toStdString();
  }
  std::string labelText(const std::string& name) {
    return child<QLabel>(name)->text().toStdString();
  }
  bool shown(const std::string& name) { return child<QWidget>(name)->isVisibleTo(frm.get()); }

  TempDir dir;
  FakePort port;
  Source* machine = nullptr;  // the simulated machine, read instead of the port
  FakeMessages messages;
  FakeDialog dialog;
  // The programs the window started, by their arguments, and whether a start succeeds.
  std::vector<QStringList> started;
  bool startsProgram = true;
  std::unique_ptr<window::FrmTallix> frm;
  std::optional<TickDriver> driver;
  std::int64_t now = 0;
};

}  // namespace tallix::testing
