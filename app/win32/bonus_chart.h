// The chart of the history window: for every bonus of a play, in order, its run-up and its coins
// as two bars side by side, on the dark plot of the coin graph, drawn with GDI in a child window
// of its own.
#pragma once

#include <windows.h>

#include <vector>

#include "counting/bonuses.h"
#include "design/chart_axes.h"
#include "gdi.h"

namespace tallix::win32 {

class BonusChart {
 public:
  void create(HWND parent);
  HWND hwnd() const { return hwnd_; }
  void render(const std::vector<Bonus>& bonuses);
  // Draws the chart into the area `client` of `dc` at `scale`, as the window paints itself.
  void paint(HDC dc, const RECT& client, const Scale& scale) const;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND hwnd_ = nullptr;
  std::vector<Bonus> bonuses_;
  design::BonusAxis values_;
};

}  // namespace tallix::win32
