// The notice line (session/notices.h) of tallix.exe: a strip of fixed height beneath the panel,
// outside it so that it never covers a figure or the graph's labels, and the window's height
// never changes with it. It shows one notice at a time, whole (wrapped over up to kLines lines,
// in a read-only box the player may select and copy), in the player's language, with "1/3" when
// more are held and a × that dismisses it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "gdi.h"
#include "session/notices.h"

namespace tallix::win32 {

class NoticeLine {
 public:
  static constexpr int kLines = 3;

  // Makes the text box and the ×, whose clicks come to `window` as WM_COMMAND `dismissId`.
  void create(HWND window, int dismissId);
  // Places the line beneath the panel, at a scale; its height.
  int layout(const Scale& scale);

  void add(const Said& text, bool passing, Notices::Topic topic = Notices::Topic::none);
  void dismiss();
  // Lets passing notices go when their time is up, and shows what changed.
  void render(HWND window);
  // The line's background and count.
  void paint(HDC dc) const;
  // The colours of the text box (WM_CTLCOLORSTATIC); null for another control.
  HBRUSH colours(HWND control, HDC dc) const;
  // Draws the × (WM_DRAWITEM); false for another control.
  bool draw(const DRAWITEMSTRUCT& item) const;

 private:
  HBRUSH background() const;
  static LRESULT CALLBACK textProc(HWND text, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                   DWORD_PTR line);

  Notices notices_;
  HWND text_ = nullptr;
  HWND dismiss_ = nullptr;
  RECT area_{}, count_{};
  std::wstring countText_;
  Gdi<HFONT> font_, bold_;
  Gdi<HBRUSH> background_{CreateSolidBrush(colour(design::kNoticeBackground))};
  Gdi<HBRUSH> black_{CreateSolidBrush(colour(design::kBlack))};
  std::optional<std::uint64_t> drawn_;  // the notices' revision last shown
};

}  // namespace tallix::win32
