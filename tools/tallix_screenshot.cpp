// tallix-screenshot: the window as it looks after a play, as a PNG. Replays a signal trace
// (tallix-replay's format) with the settings given into the window's counter, renders the
// panel and saves the window's picture; with HISTORY.png and a folder of past plays, the
// history window's picture too; with --estimate, the setting estimate's against the machine
// the settings name (else the typical one). The play starts at 10:00 in the morning. The windows
// speak the locale's language, as the program's do. Runs without a display (offscreen).
//
//   tallix-screenshot SETTINGS TRACE OUT.png [HISTORY.png PLAYS] [--estimate ESTIMATE.png]
#include <QApplication>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "base/files.h"
#include "base/settings.h"
#include "counting/tick_driver.h"
#include "machine/machine_description.h"
#include "port/port.h"
#include "port/trace.h"
#include "window/dialogs.h"
#include "window/frm_tallix.h"
#include "window/history_window.h"
#include "window/language.h"
#include "window/setting_estimate_window.h"

namespace {

// The window is not started: nothing reaches a port, a dialog or a message box.
class Unused : public tallix::FileDialog, public tallix::window::Messages {
 public:
  std::string showOpen(const std::string&) override { return {}; }
  std::string showSave(const std::string&) override { return {}; }
  void show(QWidget*, const QString&, const QString&) override {}
  tallix::SessionView::Answer ask(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return tallix::SessionView::Answer::none;
  }
};

constexpr std::int64_t kTenInTheMorningMs = 10 * 3600 * 1000;

void save(QWidget& widget, const char* path) {
  QApplication::processEvents();
  if (!widget.grab().save(QString::fromLocal8Bit(path))) {
    throw std::runtime_error(std::string(path) + ": cannot write");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* estimatePath = nullptr;
  if (argc >= 6 && std::string_view(argv[argc - 2]) == "--estimate") {
    estimatePath = argv[argc - 1];
    argc -= 2;
  }
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr,
                 "usage: tallix-screenshot SETTINGS TRACE OUT.png [HISTORY.png PLAYS] "
                 "[--estimate ESTIMATE.png]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tallix::window::installTranslations(app);
  try {
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) throw std::runtime_error(std::string(argv[2]) + ": cannot open");
    const std::vector<tallix::Change> trace = tallix::readTrace(in, argv[2]);

    Unused unused;
    tallix::window::FrmTallix window(
        {{nullptr, nullptr, tallix::Places::in(tallix::AppDir())}, unused, unused});
    const tallix::Settings settings = tallix::loadSettings(argv[1]).settings;
    window.counter().applySettings(settings);
    tallix::SettingModel model =
        (settings.estimate.machine.empty() ? tallix::MachineDescription{}
                                           : tallix::loadMachine(settings.estimate.machine))
            .model(settings.estimate.prior);
    model.machine = settings.estimate.machine;
    window.counter().setSettingModel(model);
    tallix::replayTrace(window.counter(), trace, 1, kTenInTheMorningMs);
    window.render();
    window.show();
    save(window, argv[3]);
    if (argc == 6) {
      tallix::window::HistoryWindow history(nullptr, window.counter(), argv[5], unused);
      history.show();
      save(history, argv[4]);
    }
    if (estimatePath != nullptr) {
      tallix::window::SettingEstimateWindow estimate(window.counter(), nullptr);
      estimate.show();
      save(estimate, estimatePath);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tallix-screenshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
