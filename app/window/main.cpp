// tallix, the data counter: one window, frmTallix. Its start-up is the program's start and its
// closing the program's end.
//
//   tallix [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]] [--record-trace FILE]
//          [--serve[=PORT]] [--data-dir DIR] [--fullscreen] | --help | --version
//
// The window counts from the input tallix.ini names ([input] source=: the parallel port
// through the port library, the serial bridge, the USB I/O board, GPIO), or with --simulate the
// built-in simulated machine (no port library, no port access); --record-trace appends every
// change of the port byte that is counted to a trace file; --fullscreen (or [window]
// fullscreen=1) shows the panel scaled to the whole screen. --help and --version answer without
// a display.
#include <QApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#endif

#include "base/files.h"
#include "base/places.h"
#include "base/say.h"
#include "dialogs.h"
#include "frm_tallix.h"
#include "full_screen.h"
#include "language.h"
#include "one_window.h"
#include "session/command_line.h"
#include "session/launch.h"

namespace {

int refuse(const tallix::Said& why, bool usage = false) {
  std::cerr << "tallix: " << tallix::window::translated(why).toStdString() << '\n'
            << (usage ? tallix::window::translated(tallix::usageText()).toStdString() : "");
  return 2;
}

tallix::Places places(const tallix::CommandLine& options) {
  return tallix::findPlaces(tallix::AppDir(), options.dataDir, std::getenv);
}

#ifndef _WIN32
int stopSignalFd = -1;  // the write end of the pipe from the signal handler to the window
volatile std::sig_atomic_t startingUp = 1;

// Logging out, shutting the PC down or a kill ask the program to stop with SIGTERM, SIGHUP or
// SIGINT. They are held back from the start of the program until the window can take them
// (every thread started meanwhile inherits that). During the window's start-up they end the
// program at once: nothing has been counted, so there is nothing to save, and a message box
// waiting for the player must not hold the end back. Afterwards they end the window without a
// question: the play is saved, or kept aside where it cannot be. A signal while the player's own
// close is waiting for an answer leaves that question open: it comes only when the play could
// be kept nowhere, and ending then would lose it.
sigset_t stopSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaddset(&set, signal);
  return set;
}

void endOnStopSignals(tallix::window::FrmTallix& window) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
  stopSignalFd = fds[0];
  const int readEnd = fds[1];
  auto* notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, readEnd] {
    char taken[64];  // the signals so far, so that the notifier rests until the next
    [[maybe_unused]] const auto n = read(readEnd, taken, sizeof taken);
    if (window.unloading()) return;
    window.Form_Unload(tallix::Session::Ending::fromOutside);
    QApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = [](int signal) {
    if (startingUp) _exit(128 + signal);
    const char byte = 1;
    [[maybe_unused]] const auto written = write(stopSignalFd, &byte, 1);
  };
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
  const sigset_t held = stopSignals();
  pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  const sigset_t held = stopSignals();
  pthread_sigmask(SIG_BLOCK, &held, nullptr);
#endif
  tallix::CommandLine options;
  tallix::Said refused;
  try {
    options = tallix::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const tallix::CommandLineError& e) {
    refused = e.said();
  }
  // Answered on the console, without the window system.
  if (!refused.empty() || options.help || options.version) {
    QCoreApplication console(argc, argv);
    tallix::window::installTranslations(console);
    if (!refused.empty()) return refuse(refused, true);
    std::cout << (options.help
                      ? tallix::window::translated(tallix::helpText(places(options))).toStdString()
                      : std::string("tallix " TALLIX_VERSION "\n"));
    return 0;
  }

  QApplication app(argc, argv);
  tallix::window::installTranslations(app);

  std::optional<tallix::Launch> launch;
  try {
    launch.emplace(options);
  } catch (const std::exception& e) {
    return refuse(tallix::saidOf(e));
  }

  tallix::window::MessageBoxes messages;
  tallix::window::QtFileDialog dialog;
  tallix::window::FrmTallix frmTallix(
      {launch->windowStart(places(options), tallix::window::settingsSample()), dialog, messages});
#ifndef _WIN32
  endOnStopSignals(frmTallix);
#endif
  const std::string record = frmTallix.session().recordPath().string();
  if (tallix::window::bringForward(record)) {
    std::cerr << "tallix: "
              << tallix::window::translated(
                     Say::tr("%1 is in use by another Tallix, which was brought forward.",
                             {record}))
                     .toStdString()
              << '\n';
    return 0;
  }
  if (!frmTallix.Form_Load()) return frmTallix.exitStatus();
  std::optional<tallix::window::FullScreen> fullScreen;
  if (options.fullscreen || frmTallix.counter().settings().window.fullscreen) {
    fullScreen.emplace(frmTallix);
  }
  QWidget& shown = fullScreen ? static_cast<QWidget&>(*fullScreen) : frmTallix;
  dialog.attachTo(&shown);
  tallix::window::comeForwardWhenAsked(shown, record);
#ifndef _WIN32
  startingUp = 0;
#endif
  if (fullScreen) {
    fullScreen->cover();
  } else {
    frmTallix.show();
  }
  const int status = app.exec();
  return status != 0 ? status : frmTallix.exitStatus();
}
