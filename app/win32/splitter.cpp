#include "splitter.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace tallix::win32 {

Splitter::Splitter(double share, std::function<void()> moved)
    : share_(share), moved_(std::move(moved)) {}

int Splitter::firstHeight(int height) const {
  const int least = std::min(least_, height / 2);
  return std::clamp(static_cast<int>(share_ * height + 0.5), least, height - least);
}

int Splitter::place(int left, int right, int top, int bottom, int bar, int least) {
  top_ = top;
  least_ = least;
  height_ = std::max(bottom - top - bar, 0);
  const int first = firstHeight(height_);
  bar_ = {left, top + first, right, top + first + bar};
  return first;
}

std::optional<LRESULT> Splitter::handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  switch (message) {
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(w) != window || LOWORD(l) != HTCLIENT) return std::nullopt;
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(window, &cursor);
      if (!grab_ && !PtInRect(&bar_, cursor)) return std::nullopt;
      SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      if (!PtInRect(&bar_, at)) return std::nullopt;
      grab_ = at.y - bar_.top;
      SetCapture(window);
      return 0;
    case WM_MOUSEMOVE:
      if (!grab_ || height_ <= 0) return std::nullopt;
      share_ = static_cast<double>(at.y - *grab_ - top_) / height_;
      // Held within what the areas' least heights allow, so that a drag past an end and back
      // moves the bar from where it stopped.
      share_ = static_cast<double>(firstHeight(height_)) / height_;
      moved_();
      return 0;
    case WM_LBUTTONUP:
      if (!grab_) return std::nullopt;
      ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      grab_.reset();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace tallix::win32
