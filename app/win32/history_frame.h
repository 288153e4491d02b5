// Frame1, the bonus history: the ten rirekiLabel bars, newest on top, with their row numbers, the
// scale captions 500, 1000 and 1500 and the four lines that mark the scale, drawn in the frame's
// place of the panel.
#pragma once

#include <windows.h>

#include <array>

#include "counting/panel.h"
#include "gdi.h"

namespace tallix::win32 {

class HistoryFrame {
 public:
  HistoryFrame();
  void layout(const Scale& scale);
  // Notes the bars the panel shows; the frame is drawn again when one changed.
  void render(const Panel& panel, HWND window, const Scale& scale);
  void paint(HDC dc, const Scale& scale) const;

 private:
  std::array<HistoryEntry, 10> shown_;  // rirekiLabel 0..9 (rireki: history)
  Gdi<HFONT> font_;
};

}  // namespace tallix::win32
