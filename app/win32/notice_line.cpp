#include "notice_line.h"

// After windows.h:
#include <commctrl.h>

#include "language.h"

namespace tallix::win32 {

void NoticeLine::create(HWND window, int dismissId) {
  text_ = CreateWindowExW(0, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                          0, 0, window, nullptr, nullptr, nullptr);
  dismiss_ =
      CreateWindowExW(0, L"BUTTON", L"×", WS_CHILD | BS_OWNERDRAW, 0, 0, 0, 0, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(dismissId)), nullptr, nullptr);
  SetWindowTextW(dismiss_, translate("Window", "Dismiss").c_str());
  SetWindowSubclass(text_, textProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK NoticeLine::textProc(HWND text, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                      DWORD_PTR line) {
  // The box's background beneath its last line in the line's colour: Wine's edit control
  // leaves it as it was, a black band inside the notice.
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(text, &client);
    FillRect(reinterpret_cast<HDC>(w), &client,
             reinterpret_cast<const NoticeLine*>(line)->background());
    return 1;
  }
  return DefSubclassProc(text, message, w, l);
}

int NoticeLine::layout(const Scale& scale) {
  font_ = uiFont(scale);
  LOGFONTW bold{};
  GetObjectW(font_.get(), sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  bold_.reset(CreateFontIndirectW(&bold));
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font_.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SIZE count{};
  GetTextExtentPoint32W(screen, L"99/99", 5, &count);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  const int margin = scale(2), line = metrics.tmHeight + metrics.tmExternalLeading;
  const int top = scale(design::kClientHeight);
  const int width = scale(design::kClientWidth);
  area_ = {0, top, width, top + line * kLines + 2 * margin};
  const int button = line + margin;
  SetWindowPos(dismiss_, nullptr, width - scale(4) - button, top + margin, button, button,
               SWP_NOZORDER | SWP_NOACTIVATE);
  count_ = {width - scale(8) - button - count.cx, top + margin, width - scale(8) - button,
            top + margin + line};
  SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  SetWindowPos(text_, nullptr, scale(8), top + margin, count_.left - scale(12), line * kLines,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return area_.bottom - area_.top;
}

void NoticeLine::add(const Said& text, bool passing, Notices::Topic topic) {
  notices_.add(text, passing, static_cast<std::int64_t>(GetTickCount64()), topic);
}

void NoticeLine::dismiss() {
  notices_.dismiss();
}

void NoticeLine::render(HWND window) {
  notices_.expire(static_cast<std::int64_t>(GetTickCount64()));
  if (drawn_ == notices_.revision()) return;
  drawn_ = notices_.revision();
  const Notices::Notice* shown = notices_.shown();
  SetWindowTextW(text_, shown != nullptr ? translated(shown->text).c_str() : L"");
  InvalidateRect(text_, nullptr, TRUE);  // all of the box, in the background of now
  const std::size_t held = notices_.all().size();
  countText_ = held > 1 ? L"1/" + std::to_wstring(held) : std::wstring();
  ShowWindow(dismiss_, shown != nullptr ? SW_SHOWNA : SW_HIDE);
  InvalidateRect(window, &area_, FALSE);
}

HBRUSH NoticeLine::background() const {
  // The strip takes the notice's colour while it holds one, the panel's black while empty.
  return (notices_.shown() != nullptr ? background_ : black_).get();
}

void NoticeLine::paint(HDC dc) const {
  FillRect(dc, &area_, background());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour(design::kNoticeText));
  const HGDIOBJ old = SelectObject(dc, font_.get());
  RECT rect = count_;
  DrawTextW(dc, countText_.c_str(), static_cast<int>(countText_.size()), &rect,
            DT_RIGHT | DT_TOP | DT_SINGLELINE);
  SelectObject(dc, old);
}

HBRUSH NoticeLine::colours(HWND control, HDC dc) const {
  if (control != text_) return nullptr;
  SetTextColor(dc, colour(design::kNoticeText));
  SetBkColor(dc, colour(notices_.shown() != nullptr ? design::kNoticeBackground : design::kBlack));
  return background();
}

bool NoticeLine::draw(const DRAWITEMSTRUCT& item) const {
  if (item.hwndItem != dismiss_) return false;
  FillRect(item.hDC, &item.rcItem, background_.get());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, colour(design::kNoticeText));
  const HGDIOBJ old = SelectObject(item.hDC, bold_.get());
  RECT rect = item.rcItem;
  DrawTextW(item.hDC, L"×", 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace tallix::win32
