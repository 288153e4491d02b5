#include "list_view.h"

#include <algorithm>

namespace tallix::win32 {

namespace {

constexpr int kHeadingMargins = 18;  // px: a header item's margins, with room to spare

}  // namespace

void ListView::create(HWND parent, int id, const std::vector<std::wstring>& columns) {
  hwnd_ = CreateWindowExW(0, WC_LISTVIEWW, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT |
                              LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                          0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          nullptr, nullptr);
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  ListView_SetBkColor(hwnd_, RGB(0, 0, 0));
  ListView_SetTextBkColor(hwnd_, RGB(0, 0, 0));
  ListView_SetTextColor(hwnd_, RGB(0xE0, 0xE0, 0xE0));
  headings_ = columns;
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_CENTER;
    column.cx = 80;
    column.pszText = const_cast<wchar_t*>(columns[static_cast<std::size_t>(c)].c_str());
    ListView_InsertColumn(hwnd_, c, &column);
  }
}

void ListView::setRowCount(int rows) {
  while (rowCount() > rows) ListView_DeleteItem(hwnd_, rowCount() - 1);
  while (rowCount() < rows) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = rowCount();
    item.pszText = const_cast<wchar_t*>(L"");
    item.lParam = static_cast<LPARAM>(RGB(0xE0, 0xE0, 0xE0));
    ListView_InsertItem(hwnd_, &item);
  }
}

int ListView::rowCount() const {
  return ListView_GetItemCount(hwnd_);
}

void ListView::setCell(int row, int column, const std::wstring& text) {
  wchar_t shown[256] = {};
  ListView_GetItemText(hwnd_, row, column, shown, 256);
  if (text == shown) return;
  ListView_SetItemText(hwnd_, row, column, const_cast<wchar_t*>(text.c_str()));
}

void ListView::setRow(int row, const std::vector<std::wstring>& cells, COLORREF colour) {
  for (std::size_t c = 0; c < cells.size(); ++c) setCell(row, static_cast<int>(c), cells[c]);
  setColour(row, colour);
}

void ListView::setColour(int row, COLORREF colour) {
  if (this->colour(row) == colour) return;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = static_cast<LPARAM>(colour);
  ListView_SetItem(hwnd_, &item);
  ListView_RedrawItems(hwnd_, row, row);
}

COLORREF ListView::colour(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(hwnd_, &item);
  return static_cast<COLORREF>(item.lParam);
}

int ListView::selected() const {
  return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
}

void ListView::select(int row) {
  ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(hwnd_, row, FALSE);
}

void ListView::spread(bool fitFirst) {
  RECT client;
  GetClientRect(hwnd_, &client);
  int width = client.right - client.left, first = 0;
  if (fitFirst) {
    ListView_SetColumnWidth(hwnd_, 0, LVSCW_AUTOSIZE_USEHEADER);
    first = ListView_GetColumnWidth(hwnd_, 0);
    width -= first;
  }
  const int columns = static_cast<int>(headings_.size());
  const int rest = columns - (fitFirst ? 1 : 0);
  for (int c = fitFirst ? 1 : 0; c < columns; ++c) {
    ListView_SetColumnWidth(hwnd_, c, std::max({width / std::max(rest, 1), headingWidth(c), 40}));
  }
}

void ListView::fitToTexts() {
  RECT client;
  GetClientRect(hwnd_, &client);
  int rest = client.right - client.left;
  const int last = static_cast<int>(headings_.size()) - 1;
  for (int c = 0; c <= last; ++c) {
    ListView_SetColumnWidth(hwnd_, c, LVSCW_AUTOSIZE);
    int width = std::max(ListView_GetColumnWidth(hwnd_, c), headingWidth(c));
    if (c == last) width = std::max(width, rest);
    ListView_SetColumnWidth(hwnd_, c, width);
    rest -= width;
  }
}

int ListView::headingWidth(int column) const {
  // The heading in the list's font, with the header's margins on either side.
  return ListView_GetStringWidth(hwnd_, headings_[static_cast<std::size_t>(column)].c_str()) +
         kHeadingMargins;
}

std::optional<LRESULT> ListView::notify(const NMHDR& header) const {
  if (header.hwndFrom != hwnd_ || header.code != NM_CUSTOMDRAW) return std::nullopt;
  auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header));
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const bool picked =
      ListView_GetItemState(hwnd_, static_cast<int>(draw.nmcd.dwItemSpec), LVIS_SELECTED) != 0;
  draw.clrText = static_cast<COLORREF>(draw.nmcd.lItemlParam);
  draw.clrTextBk = picked ? RGB(0x20, 0x30, 0x40) : RGB(0, 0, 0);
  // The selection in the list's own colours would hide the row's.
  draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
  return CDRF_NEWFONT;
}

}  // namespace tallix::win32
