// tallix-screenshot: the window as it looks after a play, as a PNG. Replays a signal trace
// (tallix-replay's format) with the settings given into the window's counter, renders the
// panel and saves the window's picture. Runs without a display (offscreen).
//
//   tallix-screenshot SETTINGS TRACE OUT.png
#include <QApplication>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "base/files.h"
#include "base/settings.h"
#include "counting/tick_driver.h"
#include "port/port.h"
#include "port/trace.h"
#include "window/dialogs.h"
#include "window/frm_tallix.h"

namespace {

// The window is not started: nothing reaches a port, a dialog or a message box.
class Unused : public tallix::FileDialog, public tallix::window::Messages {
 public:
  std::string showOpen(const std::string&) override { return {}; }
  std::string showSave(const std::string&) override { return {}; }
  void show(QWidget*, const QString&, const QString&) override {}
  bool ask(QWidget*, const QString&, const QString&, const QString&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tallix-screenshot SETTINGS TRACE OUT.png\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  try {
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) throw std::runtime_error(std::string(argv[2]) + ": cannot open");
    const std::vector<tallix::Change> trace = tallix::readTrace(in, argv[2]);

    Unused unused;
    tallix::window::FrmTallix window({nullptr, nullptr, unused, unused, tallix::AppDir()});
    window.counter().applySettings(tallix::loadSettings(argv[1]).settings);
    tallix::replayTrace(window.counter(), trace, 1);
    window.render();
    window.show();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[3]))) {
      throw std::runtime_error(std::string(argv[3]) + ": cannot write");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tallix-screenshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
