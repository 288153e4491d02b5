// The pin monitor of tallix.exe: a window that shows each raw input of the session's input live
// (the port's data lines, or those of the [input] source): its level, its edges, the width of its
// last pulse and the line it is mapped to, so that a player wiring a machine finds which pin
// fires. The panel opens it with Ctrl+M or from its context menu.
#pragma once

#include "list_view.h"
#include "tool_window.h"

namespace tallix {
class InputSource;
}

namespace tallix::win32 {

class PinMonitor : public ToolWindow {
 public:
  // `input` is null when the program reads no input of the table (the simulated machine, or
  // nothing polled).
  PinMonitor(HWND owner, const InputSource* input);
  void show();

 private:
  std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l) override;
  void layout(const RECT& client) override;
  void refresh();

  const InputSource* input_;
  HWND waiting_;  // what the monitor waits for, before the input is first read
  ListView table_;
};

}  // namespace tallix::win32
