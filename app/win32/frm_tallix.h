// frmTallix in tallix.exe: the main window, a view of the session's panel drawn with GDI and a
// router of the player's events. The session (tallix_core) runs start-up, sampling, counting,
// saving and the commands; this window shows its messages and notices, opens the dialogs and
// draws what changed.
//
//   Form_Load      session.start(); the panel drawn
//   display timer  session.pump(): what was sampled since is counted; then render(): the panel's
//                  revisions against those last drawn, and only the areas that changed (texts,
//                  digit cells, history, graph) are drawn again
//   commands       the buttons, keys and context menu (design/commands.h): the session's
//                  Command3/4/5_Click, then what follows them; the windows beside the panel
//                  (Ctrl+H, Ctrl+M, Ctrl+E: the history window, the pin monitor, the setting
//                  estimate); the menu also starts the simulated machine as a program of its own
//   close          Form_Unload: session.stop(), which saves the play; also when Windows ends the
//                  session (log-off, shut-down: WM_ENDSESSION), then without a question
//   live view      with --serve or [serve] port=, the figures served to browsers from start-up
//                  by a server on its own thread; every tenth of a second the window hands it
//                  what changed
//
// A window thread held up (a dialog, a slow redraw) delays the display, never the sampling.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "coin_chart.h"
#include "dialogs.h"
#include "digits.h"
#include "history_frame.h"
#include "notice_line.h"
#include "panel_texts.h"
#include "serve/live_view.h"
#include "session/launch.h"

namespace tallix::win32 {

class HistoryWindow;
class PinMonitor;
class SettingEstimateWindow;

class FrmTallix : private SessionView {
 public:
  explicit FrmTallix(const WindowStart& start);
  ~FrmTallix() override;
  FrmTallix(const FrmTallix&) = delete;
  FrmTallix& operator=(const FrmTallix&) = delete;

  // Start-up, before the window is first shown. Returns false when the program cannot run (the
  // port library is missing): the message has been shown and exitStatus() is 1.
  bool Form_Load();
  // Shutdown; closing the window runs it, once.
  // Shutdown, once. Ended by Windows (log-off, shut-down), it asks nothing: the process ends as
  // soon as it returns.
  void Form_Unload(Session::Ending ending = Session::Ending::closed);

  // Counts what was sampled and draws the areas of the panel that changed since the last render.
  void render();
  // Shows the window and, once it is up, the settings that could not be used.
  void show();
  // The keys of the program's windows: the shortcuts, and Tab between controls. True when it
  // took `message`, which is then not dispatched.
  bool takeKeys(MSG& message);

  Session& session() { return session_; }
  const LiveServer* liveServer() const { return live_.server(); }
  int exitStatus() const { return session_.exitStatus(); }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  // Gives a command of the panel (design::CommandId): a button's, a key's or the context menu's.
  void command(int id);
  // What follows a command of the session: the panel drawn, and the past plays listed afresh
  // when they changed.
  void follow(const CommandOutcome& outcome);
  void applyScale(int dpi);
  void paint();
  void contextMenu(POINT at);
  void openHistory();
  void openPinMonitor();
  void openSettingEstimate();
  void startSimulatedMachine();
  void showSettingsMessages();

  void message(const Said& text, const Said& detail) override;
  Answer ask(const Said& text, const Said& yes, const Said& no) override;
  void notice(const Said& text, Notice kind, Notices::Topic topic) override;

  FileDialogs dialogs_;
  std::optional<std::uint16_t> serve_;
  Session session_;
  LiveView live_{*this};
  std::string record_;  // the record's path, by which a later start finds this window
  HWND hwnd_ = nullptr;
  Scale scale_;

  DigitPictures pictures_;
  PanelTexts texts_;
  DigitCells digits_{pictures_};
  HistoryFrame history_;
  CoinChart chart_;
  NoticeLine notices_;
  struct Button {
    HWND hwnd;
    const design::Button* design;
  };
  std::vector<Button> buttons_;  // the panel's, as the table of commands gives them
  Gdi<HFONT> buttonFont_;
  HWND tips_ = nullptr;  // the buttons' tooltips
  std::vector<std::string> simulatedMachine_;
  HACCEL shortcuts_ = nullptr;

  std::unique_ptr<HistoryWindow> historyWindow_;
  std::unique_ptr<PinMonitor> pinMonitor_;
  std::unique_ptr<SettingEstimateWindow> settingEstimate_;

  std::optional<Panel::Revisions> shown_;
  bool unloaded_ = false;
};

}  // namespace tallix::win32
