#include "tool_window.h"

#include <algorithm>

#include "make_window.h"

namespace tallix::win32 {

namespace {

constexpr COLORREF kText = RGB(0xE0, 0xE0, 0xE0);

}  // namespace

ToolWindow::ToolWindow(HWND owner, const std::wstring& title, SIZE size) {
  hwnd_ =
      makeWindow({L"TallixTool", static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}, title.c_str(),
                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, size, owner, this, windowProc);
  scale_ = Scale(static_cast<int>(GetDpiForWindow(hwnd_)));
  font_ = uiFont(scale_);
}

ToolWindow::~ToolWindow() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void ToolWindow::created() {
  RECT client;
  GetClientRect(hwnd_, &client);
  layout(client);
}

HWND ToolWindow::control(const wchar_t* kind, const std::wstring& text, DWORD style, int id) {
  HWND made =
      CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return made;
}

void ToolWindow::placeOver(HWND over, SIZE size) {
  MONITORINFO monitor{sizeof monitor, {}, {}, 0};
  GetMonitorInfoW(MonitorFromWindow(over, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = std::min<int>(scale_(size.cx), work.right - work.left);
  const int height = std::min<int>(scale_(size.cy), work.bottom - work.top);
  RECT panel;
  GetWindowRect(over, &panel);
  const int left =
      std::clamp<int>((panel.left + panel.right - width) / 2, work.left, work.right - width);
  const int top =
      std::clamp<int>((panel.top + panel.bottom - height) / 2, work.top, work.bottom - height);
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolWindow::rescale(int dpi) {
  scale_ = Scale(dpi);
  font_ = uiFont(scale_);
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
}

LRESULT CALLBACK ToolWindow::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* tool = reinterpret_cast<ToolWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return tool != nullptr ? tool->dispatch(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT ToolWindow::dispatch(UINT message, WPARAM w, LPARAM l) {
  // Escape, which the dialog keys of the window send as IDCANCEL, closes it.
  if (message == WM_COMMAND && LOWORD(w) == IDCANCEL) {
    ShowWindow(hwnd_, SW_HIDE);
    return 0;
  }
  if (const auto handled = handle(message, w, l)) return *handled;
  switch (message) {
    case WM_SIZE: {
      RECT client;
      GetClientRect(hwnd_, &client);
      layout(client);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {  // the texts on the window's black
      const auto dc = reinterpret_cast<HDC>(w);
      SetTextColor(dc, kText);
      SetBkColor(dc, RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    case WM_DPICHANGED: {
      rescale(HIWORD(w));
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:  // kept for the next time it is opened
      ShowWindow(hwnd_, SW_HIDE);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, w, l);
  }
}

}  // namespace tallix::win32
