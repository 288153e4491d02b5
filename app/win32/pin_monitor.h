// The pin monitor of tallix.exe: a window that shows each raw input of the session's input live
// (the port's data lines, those of the [input] source, or the simulated machine's lines): its
// level, its edges, the width of its last pulse and the line it is mapped to, so that a player
// wiring a machine finds which pin fires. The panel opens it with Ctrl+M or from its context menu.
#pragma once

#include "list_view.h"
#include "tool_window.h"

namespace tallix {
class WatchedInput;
}

namespace tallix::win32 {

class PinMonitor : public ToolWindow {
 public:
  // `input` is null when nothing is polled (the port could not be had, or its kind is missing).
  PinMonitor(HWND owner, const WatchedInput* input);
  void show();

 private:
  std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l) override;
  void layout(const RECT& client) override;
  void refresh();
  // Fills the cells with the rows' texts.
  void showRows();

  const WatchedInput* input_;
  HWND waiting_;  // what the monitor waits for, before the input is first read
  ListView table_;
};

}  // namespace tallix::win32
