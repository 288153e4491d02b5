#include "setting_estimate_window.h"

#include "design/setting_estimate_view.h"
#include "language.h"

namespace tallix::win32 {

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 250;
constexpr SIZE kSize{460, 340};
// A bar's frame and empty part, as in the Linux window; its filled part in the value boxes'
// yellow.
constexpr COLORREF kBarFrame = RGB(0x30, 0x30, 0x30);
constexpr COLORREF kBarEmpty = RGB(0x10, 0x10, 0x10);

}  // namespace

SettingEstimateWindow::SettingEstimateWindow(HWND owner, const Counter& counter)
    : ToolWindow(owner, translate("Window", "Setting estimate"), kSize), counter_(counter) {
  const design::SettingEstimateView view = design::settingEstimateView(counter_);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    captions_[s] = control(L"STATIC", translated(view.rows[s].caption), SS_LEFT | SS_NOPREFIX);
    percents_[s] = control(L"STATIC", L"", SS_RIGHT | SS_NOPREFIX);
  }
  payoutRate_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  basis_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  machine_ = control(L"STATIC", L"", SS_LEFT | SS_NOPREFIX);
  SetTimer(hwnd(), kRefreshTimer, kRefreshMs, nullptr);
  created();
}

void SettingEstimateWindow::show() {
  if (!IsWindowVisible(hwnd())) placeOver(GetWindow(hwnd(), GW_OWNER), kSize);
  refresh();
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void SettingEstimateWindow::layout(const RECT& client) {
  const int margin = scale()(8), row = scale()(26), caption = scale()(70), percent = scale()(60);
  const int width = client.right - 2 * margin;
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const int top = margin + static_cast<int>(s) * row;
    MoveWindow(captions_[s], margin, top + scale()(4), caption, row - scale()(8), TRUE);
    bars_[s] = {margin + caption, top + scale()(3), client.right - margin - percent,
                top + row - scale()(3)};
    MoveWindow(percents_[s], client.right - margin - percent, top + scale()(4), percent,
               row - scale()(8), TRUE);
  }
  int top = margin + static_cast<int>(kSettingCount) * row + margin;
  const int lines[] = {scale()(20), scale()(52), scale()(52)};  // the longer ones wrap
  const HWND texts[] = {payoutRate_, basis_, machine_};
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    MoveWindow(texts[i], margin, top, width, lines[i], TRUE);
    top += lines[i] + scale()(4);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void SettingEstimateWindow::refresh() {
  const design::SettingEstimateView view = design::settingEstimateView(counter_);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    SetWindowTextW(percents_[s], widen(view.rows[s].percent).c_str());
    if (tenths_[s] != view.rows[s].tenths) InvalidateRect(hwnd(), &bars_[s], FALSE);
    tenths_[s] = view.rows[s].tenths;
  }
  SetWindowTextW(payoutRate_, translated(view.payoutRate).c_str());
  SetWindowTextW(basis_, translated(view.basis).c_str());
  SetWindowTextW(machine_, translated(view.machine).c_str());
}

void SettingEstimateWindow::paintBars() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const Gdi<HBRUSH> frame(CreateSolidBrush(kBarFrame)), empty(CreateSolidBrush(kBarEmpty)),
      filled(CreateSolidBrush(colour(design::kLightYellow)));
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    RECT bar = bars_[s];
    FillRect(dc, &bar, frame.get());
    InflateRect(&bar, -1, -1);
    FillRect(dc, &bar, empty.get());
    const auto inside = static_cast<std::int64_t>(bar.right - bar.left);
    bar.right =
        bar.left + static_cast<LONG>(inside * tenths_[s] / design::SettingEstimateView::kWhole);
    FillRect(dc, &bar, filled.get());
  }
  EndPaint(hwnd(), &ps);
}

std::optional<LRESULT> SettingEstimateWindow::handle(UINT message, WPARAM w, LPARAM) {
  switch (message) {
    case WM_TIMER:
      if (w != kRefreshTimer) return std::nullopt;
      if (IsWindowVisible(hwnd())) refresh();
      return 0;
    case WM_PAINT:
      paintBars();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the whole client area is painted
    default:
      return std::nullopt;
  }
}

}  // namespace tallix::win32
