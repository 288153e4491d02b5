// The tables of the windows beside the panel (the history window, the pin monitor): a list view
// in report style on the panel's black, a colour for each row, whole rows selected one at a time.
#pragma once

#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace tallix::win32 {

class ListView {
 public:
  // Makes the list in `parent`, with its headings; its notifications come with `id`.
  void create(HWND parent, int id, const std::vector<std::wstring>& columns);
  HWND hwnd() const { return hwnd_; }

  void setRowCount(int rows);
  int rowCount() const;
  // Sets a cell unless it shows that text already.
  void setCell(int row, int column, const std::wstring& text);
  void setRow(int row, const std::vector<std::wstring>& cells, COLORREF colour);
  void setColour(int row, COLORREF colour);
  COLORREF colour(int row) const;
  // The row selected; -1 for none.
  int selected() const;
  void select(int row);
  // Gives the columns the list's width: the first as wide as its texts when `fitFirst`, the rest
  // alike, none narrower than its heading.
  void spread(bool fitFirst = false);
  // Gives every column but the last the width of its widest text or heading, and the last the
  // rest of the list's width, yet no less than its own widest text or heading.
  void fitToTexts();

  // For the parent's WM_NOTIFY: draws each row in its colour; nullopt for other notifications.
  std::optional<LRESULT> notify(const NMHDR& header) const;

 private:
  // How wide a column must be to show its heading whole.
  int headingWidth(int column) const;

  HWND hwnd_ = nullptr;
  std::vector<std::wstring> headings_;
};

}  // namespace tallix::win32
