// What every area of tallix.exe draws with: owners of GDI objects, the design's places at the
// window's dots per inch, its text styles as fonts and its colours. The design is made for
// 96 dpi; a window on a screen of another scale is drawn at that scale, as Windows scales.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "counting/panel.h"
#include "design/design.h"

namespace tallix::win32 {

struct GdiDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
// Owns a font, brush, pen or bitmap.
template <typename Handle>
using Gdi = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

// Selects a font, brush, pen or bitmap into a device context and puts back what it held at the
// end of the scope, on every path: an object still selected cannot be deleted and leaks. Made
// after the object it selects, so it ends first.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The design's pixels (at 96 dpi) at a window's dpi.
class Scale {
 public:
  explicit Scale(int dpi = USER_DEFAULT_SCREEN_DPI) : dpi_(dpi) {}
  int dpi() const { return dpi_; }
  int operator()(int pixels) const { return MulDiv(pixels, dpi_, USER_DEFAULT_SCREEN_DPI); }
  // A place of the design: the pixels the Qt window gives it at 96 dpi, scaled.
  RECT rect(design::Twips place) const;
  RECT rect(int left, int top, int width, int height) const;

 private:
  int dpi_;
};

inline COLORREF colour(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

// A font of one of the design's text styles, at `pixels` (the style's own size for 0): the first
// of the style's faces that is installed, else the system's Japanese serif.
Gdi<HFONT> designFont(design::Style style, const Scale& scale, int pixels = 0);
// The font of the system's dialogs, for lists and the notice line.
Gdi<HFONT> uiFont(const Scale& scale);
// The font of the panel's buttons: the design's face for their Japanese captions, which draws
// them on a system whose dialog font has no Japanese and no font linking.
Gdi<HFONT> buttonFont(const Scale& scale);

// Draws into a bitmap of the area `dirty` of `target` and copies it there at the end, so that a
// window that draws in layers does not flicker.
class Buffered {
 public:
  Buffered(HDC target, const RECT& dirty);
  ~Buffered();
  Buffered(const Buffered&) = delete;
  Buffered& operator=(const Buffered&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC target_;
  RECT dirty_;
  HDC dc_;
  Gdi<HBITMAP> bitmap_;
  HGDIOBJ old_;
};

}  // namespace tallix::win32
