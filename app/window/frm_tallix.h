// frmTallix, the main window: a view of the counter's panel and a router of its events. The
// counter (tallix_core, no Qt) holds every figure and every display's state; this window runs
// the timers, reaches the port and the dialogs, and draws what changed.
//
//   Form_Load     program dir made current; port start (KIRVO_Start); settings -> control
//                 byte 0xEC to portAddr + 2, counter.applySettings; LoadRecord(hist.log,
//                 or sim.log for the simulated machine);
//                 Timer1 on
//   Timer1 (1 ms) port.inpB(portAddr) -> counter.Timer1_Timer; then Timer2 follows the
//                 counter's timer2Enabled()
//   Timer2 (2 s)  counter.Timer2_Timer: the game guard ends
//   buttons       Command3/4/5_Click of the records on the counter, then render()
//   repaint (60/s) render(): the panel's revisions against those last drawn; only changed
//                 areas (texts, digit groups, history, chart) touch their widgets, so a tick
//                 without an edge costs no widget work
//   close         Form_Unload: Timer1 off, port stop (KIRVO_Stop), SaveRecord(hist.log)
//
// Everything runs on the window's thread, one event at a time.
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "counting/counter.h"
#include "digits.h"
#include "texts.h"

class QLabel;
class QPushButton;

namespace tallix {
class FileDialog;
class Port;
}  // namespace tallix

namespace tallix::window {

class CoinChart;
class HistoryFrame;
class Messages;

// What the window reaches outside itself.
struct Environment {
  Port& port;
  FileDialog& dialog;
  Messages& messages;
  std::string appDir;  // the program directory, with a trailing separator
  // The port is the simulated machine: it is polled whatever the port address, and the play
  // is kept in its own automatic record, sim.log, so that a real play is never overwritten.
  bool simulated = false;
};

class FrmTallix : public QWidget {
 public:
  explicit FrmTallix(const Environment& env);
  ~FrmTallix() override;

  // Start-up, before the window is first shown. Returns false when the program cannot run
  // (the port library is missing): the message has been shown and exitStatus() is 1.
  bool Form_Load();
  // Shutdown; closing the window runs it, once.
  void Form_Unload();

  void Timer1_Timer();    // one polling tick
  void Timer2_Timer();    // the end of the game guard
  void Command3_Click();  // クリア
  void Command4_Click();  // 読込み
  void Command5_Click();  // 保存
  // Saves the play to its record when it changed since the last save, so that a power cut
  // loses at most a minute of play; a timer calls it every minute while counting.
  void Autosave();

  // Draws the areas of the panel that changed since the last render.
  void render();

  bool polling() const { return timer1_.isActive(); }
  bool gameGuardRunning() const { return timer2_.isActive(); }
  int exitStatus() const { return exitStatus_; }
  Counter& counter() { return counter_; }
  const DigitPictures& pictures() const { return pictures_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void restorePlay();
  void syncTimer2();
  void addNotice(const QString& text);
  void fail(const QString& message);
  std::optional<QString> saveRecord();  // the failure, if any
  std::string recordName() const { return env_.simulated ? "sim.log" : "hist.log"; }
  std::string recordPath() const { return env_.appDir + recordName(); }

  Environment env_;
  Counter counter_;
  DigitPictures pictures_;

  Texts texts_;
  DigitGroups digits_;
  HistoryFrame* history_;
  CoinChart* chart_;
  QLabel* notice_;

  QTimer timer1_;
  QTimer timer2_;
  QTimer repaint_;
  QTimer autosave_;
  std::optional<Panel::Revisions> shown_;
  std::optional<std::uint64_t> shownChart_;
  // The displays and the chart as they stood at the last save: any change of the play shows.
  std::optional<std::pair<Panel::Revisions, std::uint64_t>> saved_;

  std::uint16_t portNumber_ = 0;  // portAddr's bit pattern
  bool portStarted_ = false;
  bool saveOnClose_ = true;
  bool closed_ = false;
  int exitStatus_ = 0;
  QStringList settingsMessages_;  // shown once the window is up
};

}  // namespace tallix::window
