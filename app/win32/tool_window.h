// What the windows beside the panel (the history window, the pin monitor) have in common: a
// top-level window owned by the panel, on the panel's black with light text in the font of the
// system's dialogs at the window's scale, hidden rather than closed (by its close box or Escape)
// so that it opens again as the player left it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "gdi.h"

namespace tallix::win32 {

class ToolWindow {
 public:
  ToolWindow(const ToolWindow&) = delete;
  ToolWindow& operator=(const ToolWindow&) = delete;
  virtual ~ToolWindow();

  HWND hwnd() const { return hwnd_; }

 protected:
  // Makes the window, hidden; `size` in the design's pixels (at 96 dpi).
  ToolWindow(HWND owner, const std::wstring& title, SIZE size);
  // Makes the window's areas; call at the end of the derived constructor.
  void created();

  // The window's own messages; nullopt for those it leaves to the default handling.
  virtual std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l) = 0;
  // Places the controls in the client area, at the window's scale.
  virtual void layout(const RECT& client) = 0;

  const Scale& scale() const { return scale_; }
  HFONT font() const { return font_.get(); }
  // A control of the window, in its font.
  HWND control(const wchar_t* kind, const std::wstring& text, DWORD style, int id = 0);
  // The window's size at its scale, within the work area of its monitor, centred over `over`.
  void placeOver(HWND over, SIZE size);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT dispatch(UINT message, WPARAM w, LPARAM l);
  void rescale(int dpi);

  HWND hwnd_ = nullptr;
  Scale scale_;
  Gdi<HFONT> font_;
};

}  // namespace tallix::win32
