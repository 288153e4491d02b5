// A bar between two areas stacked in a window, which the player drags up or down to share the
// height between them, as the toolkits' splitters do: the cursor turns into the up-and-down
// arrows over it, and neither area gets less than its least height. The share is kept as a part
// of the height, so that a window made larger keeps it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace tallix::win32 {

class Splitter {
 public:
  // `share`: the first area's part of the height at first; `moved` lays the window out again
  // after a drag.
  Splitter(double share, std::function<void()> moved);

  // Places the bar between `top` and `bottom` of the window's client area, from `left` to
  // `right`, `bar` high, each area at least `least` high (as near as the height allows). Gives
  // the first area's height; the second starts beneath the bar.
  int place(int left, int right, int top, int bottom, int bar, int least);
  const RECT& bar() const { return bar_; }

  // For the window's messages: the cursor over the bar and the drag. Nullopt for the messages
  // it leaves to the window.
  std::optional<LRESULT> handle(HWND window, UINT message, WPARAM w, LPARAM l);

 private:
  int firstHeight(int height) const;

  double share_;
  std::function<void()> moved_;
  RECT bar_{};
  int top_ = 0, height_ = 0, least_ = 0;  // of the two areas and the bar together
  std::optional<int> grab_;               // where the bar was taken, from its top, while dragged
};

}  // namespace tallix::win32
