// The captions and value boxes of the panel: the fixed captions Label1(0..10), the rate captions,
// and the boxes of the figures, the small wins and the 5-pin count, each at its place, in its
// colour, style and alignment. A caption is drawn on the window's black and may run past its
// place rather than be cut. A box is a read-only edit control on its own black with a thin
// border, centred in its place: the program writes it, the player may select and copy.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "counting/panel.h"
#include "gdi.h"

namespace tallix::win32 {

class PanelTexts {
 public:
  // Makes the boxes, hidden until they are placed.
  void create(HWND window);
  // Places the boxes and makes the fonts at a scale.
  void layout(const Scale& scale);
  // Shows what the panel holds; a caption that changed is drawn again.
  void render(const Panel& panel, HWND window, const Scale& scale);
  // The captions and the boxes' borders.
  void paint(HDC dc, const Scale& scale) const;
  // The colours of a box (WM_CTLCOLORSTATIC); null when `control` is none of the boxes.
  HBRUSH colours(HWND control, HDC dc) const;

 private:
  RECT captionRect(HDC dc, std::size_t i, const std::string& text, const Scale& scale) const;

  std::array<HWND, kTextCount> boxes_{};  // null for a caption
  std::array<std::string, kTextCount> shown_;
  std::array<bool, kTextCount> visible_{};
  std::array<Gdi<HFONT>, design::kFonts.size()> fonts_;
  Gdi<HBRUSH> black_{CreateSolidBrush(RGB(0, 0, 0))};
};

}  // namespace tallix::win32
