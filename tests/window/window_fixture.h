// A window under test: doubles of the port library, the message boxes and the file dialog, and
// a program directory of its own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <cstdint>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "port/port.h"
#include "support/play.h"
#include "support/temp_dir.h"
#include "window/dialogs.h"
#include "window/frm_tallix.h"

namespace tallix::testing {

class FakePort : public Port {
 public:
  std::int32_t startResult = 14;
  std::string error;
  bool missing = false;  // the library cannot be loaded
  std::vector<std::pair<std::uint16_t, std::int16_t>> writes;
  std::vector<std::uint16_t> reads;
  int stops = 0;
  std::deque<std::uint8_t> bytes;  // what the next reads return
  std::uint8_t idle = 0xFF;        // what reads return after them (all lines off)

  std::int32_t start() override {
    if (missing) throw std::runtime_error("cannot load libkirvoport.so");
    return startResult;
  }
  std::string lastError() override { return error; }
  std::int32_t stop() override { return ++stops, 0; }
  std::int16_t inpB(std::uint16_t port) override {
    reads.push_back(port);
    std::uint8_t byte = idle;
    if (!bytes.empty()) {
      byte = bytes.front();
      bytes.pop_front();
    }
    return signExtendByte(byte);
  }
  void outB(std::uint16_t port, std::int16_t value) override { writes.emplace_back(port, value); }
};

struct Shown {
  std::string text, detail;
};
class FakeMessages : public window::Messages {
 public:
  std::vector<Shown> shown;
  void show(QWidget*, const QString& text, const QString& detail) override {
    shown.push_back({text.toStdString(), detail.toStdString()});
  }
};

class FakeDialog : public FileDialog {
 public:
  std::string answer;  // the path the player picks, "" to cancel
  std::vector<std::string> directories;
  std::string showOpen(const std::string& directory) override {
    directories.push_back(directory);
    return answer;
  }
  std::string showSave(const std::string& directory) override {
    directories.push_back(directory);
    return answer;
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void writeIni(const std::string& text) { writeBytes(dir / "tallix.ini", text); }
  std::string appDir() const { return dir.path().string() + "/"; }

  window::FrmTallix& makeWindow() {
    frm =
        std::make_unique<window::FrmTallix>(window::Environment{port, dialog, messages, appDir()});
    return *frm;
  }
  window::FrmTallix& start() {
    makeWindow();
    EXPECT_TRUE(frm->Form_Load());
    return *frm;
  }
  // Ticks of Timer1 with these port bytes.
  void ticks(std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) {
      port.bytes.push_back(b);
      frm->Timer1_Timer();
    }
  }
  void pulse(std::uint8_t lines, std::uint8_t held = 0) {
    ticks({static_cast<std::uint8_t>(~(lines | held)), static_cast<std::uint8_t>(~held)});
  }

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
  FakeMessages messages;
  FakeDialog dialog;
  std::unique_ptr<window::FrmTallix> frm;
};

}  // namespace tallix::testing
