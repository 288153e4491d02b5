#include "make_window.h"

namespace tallix::win32 {

HWND makeWindow(const WindowClass& windowClass, const wchar_t* title, DWORD style, SIZE size,
                HWND parent, void* owner, WNDPROC proc) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = DefWindowProcW;  // until the window is made and its owner noted
  c.hInstance = instance;
  c.hIcon = LoadIconW(instance, L"TALLIX");
  c.hIconSm = c.hIcon;
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.hbrBackground = windowClass.background;
  c.lpszClassName = windowClass.name;
  RegisterClassExW(&c);  // after the first window of the class, refused as already there
  const bool child = (style & WS_CHILD) != 0;
  const HWND hwnd = CreateWindowExW(0, windowClass.name, title, style, child ? 0 : CW_USEDEFAULT,
                                    child ? 0 : CW_USEDEFAULT, size.cx, size.cy, parent, nullptr,
                                    instance, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return hwnd;
}

}  // namespace tallix::win32
