// frmTallix, the main window: a view of the session's panel and a router of the player's
// events. The session (tallix_core, no Qt) runs start-up, sampling, counting, saving and the
// commands; this window shows its messages and notices, opens the dialogs and draws what
// changed.
//
//   Form_Load      session.start(); the panel drawn
//   display (60/s) session.pump(): what was sampled since is counted; then render(): the
//                  panel's revisions against those last drawn, and only changed areas (texts,
//                  digit groups, history, chart) touch their widgets
//   commands       the buttons, the context menu and its keys (design/commands.h): the
//                  session's Command3/4/5_Click, then what follows them; the windows beside
//                  the panel opened
//   close          Form_Unload: session.stop(), which saves the play (a stop signal ends it
//                  the same way, without a question)
//   live view      with --serve or [serve] port=, the figures served to browsers from start-up
//                  by a server on its own thread; every tenth of a second the window hands it
//                  what changed (LiveServer::publish), and shows the notice of a server that
//                  stopped (it starts again by itself a minute later)
//
// A window thread held up (a dialog, a slow redraw) delays the display, never the sampling.
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "design/commands.h"
#include "digits.h"
#include "serve/live_view.h"
#include "session/launch.h"
#include "texts.h"

class QPushButton;

namespace tallix::window {

class CoinChart;
class HistoryFrame;
class Messages;
class NoticeBar;

// What the window reaches outside itself: the run's start, and the toolkit's dialogs and
// processes.
struct Environment {
  WindowStart start;
  FileDialog& dialog;
  Messages& messages;
  // What starts the program again on the simulated machine (start.simulatedMachine) as a
  // process of its own: false when it could not be started. Without one, the program's own
  // file is started.
  std::function<bool(const QStringList& arguments)> startProgram{};
};

class FrmTallix : public QWidget, private SessionView {
 public:
  explicit FrmTallix(const Environment& env);
  ~FrmTallix() override;

  // Start-up, before the window is first shown. Returns false when the program cannot run
  // (the port library is missing): the message has been shown and exitStatus() is 1.
  bool Form_Load();
  // Shutdown; closing the window runs it, once. Ended from outside (a stop signal), it asks
  // nothing.
  void Form_Unload(Session::Ending ending = Session::Ending::closed);
  // Shutdown has begun (and may be waiting for the player's answer).
  bool unloading() const { return unloading_; }

  // Gives a command of the panel: a button's or the context menu's.
  void command(design::CommandId id);

  // Counts what was sampled and draws the areas of the panel that changed since the last
  // render.
  void render();

  bool polling() const { return session_.sampling(); }
  int exitStatus() const { return session_.exitStatus(); }
  Session& session() { return session_; }
  Counter& counter() { return session_.counter(); }
  const DigitPictures& pictures() const { return pictures_; }
  const NoticeBar& notices() const { return *notices_; }
  const LiveServer* liveServer() const { return live_.server(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void message(const Said& text, const Said& detail) override;
  Answer ask(const Said& text, const Said& yes, const Said& no) override;
  void notice(const Said& text, Notice kind, Notices::Topic topic) override;
  // The buttons, the context menu and the keys, from the table of commands.
  void addCommands();
  // What follows a command of the session: the panel drawn, and the past plays listed afresh
  // when they changed.
  void follow(const CommandOutcome& outcome);

  Messages& messages_;
  std::optional<std::uint16_t> serve_;
  QStringList simulatedMachine_;  // the arguments that start the simulated machine
  std::function<bool(const QStringList& arguments)> startProgram_;
  Session session_;
  DigitPictures pictures_;

  Texts texts_;
  DigitGroups digits_;
  HistoryFrame* history_;
  CoinChart* chart_;
  NoticeBar* notices_;

  LiveView live_{*this};
  QTimer publisher_;  // hands the figures to live_

  QTimer display_;
  std::optional<Panel::Revisions> shown_;
  bool settingsShown_ = false;
  bool unloading_ = false;
};

}  // namespace tallix::window
