// Every window of tallix.exe is made one way: its class registered on first use, with the
// program's icon and the arrow cursor, and its messages routed to the object that owns it.
#pragma once

#include <windows.h>

namespace tallix::win32 {

struct WindowClass {
  const wchar_t* name;
  HBRUSH background;  // null where the window paints all of itself
};

// Makes a window of `windowClass` whose messages go to `proc`, with `owner` (the object that
// handles them) in its user data; the messages of its making go to DefWindowProcW.
HWND makeWindow(const WindowClass& windowClass, const wchar_t* title, DWORD style, SIZE size,
                HWND parent, void* owner, WNDPROC proc);

}  // namespace tallix::win32
