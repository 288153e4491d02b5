#include "bonus_chart.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "language.h"
#include "make_window.h"

namespace tallix::win32 {

namespace {

constexpr wchar_t kClass[] = L"TallixBonusChart";

void text(HDC dc, const std::wstring& s, RECT rect, UINT format) {
  DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &rect,
            format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

}  // namespace

void BonusChart::create(HWND parent) {
  hwnd_ =
      makeWindow({kClass, nullptr}, L"", WS_CHILD | WS_VISIBLE, {0, 0}, parent, this, windowProc);
}

void BonusChart::render(const std::vector<Bonus>& bonuses) {
  bonuses_ = bonuses;
  values_.update(bonuses_);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK BonusChart::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  const auto* chart = reinterpret_cast<const BonusChart*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (chart == nullptr) return DefWindowProcW(window, message, w, l);
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_SIZE) InvalidateRect(window, nullptr, FALSE);
  if (message != WM_PAINT) return DefWindowProcW(window, message, w, l);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  if (!IsRectEmpty(&client)) {
    const Buffered buffer(dc, client);
    chart->paint(buffer.dc(), client, Scale(static_cast<int>(GetDpiForWindow(window))));
  }
  EndPaint(window, &ps);
  return 0;
}

void BonusChart::paint(HDC dc, const RECT& client, const Scale& scale) const {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const Gdi<HFONT> font = uiFont(scale);
  const Selected selectedFont(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour(design::kChartLabels));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int line = metrics.tmHeight, gap = scale(6);

  // The legend above the plot: a square of each bar's colour before its name.
  int x = client.left + gap;
  const COLORREF runUp = colour(design::kChartRunUp), coins = colour(design::kChartCoins);
  for (const auto& [name, c] : {std::pair{translate("Window", "Run-up"), runUp},
                                std::pair{translate("Window", "Coins"), coins}}) {
    const RECT square{x, gap + line / 4, x + line / 2, gap + line * 3 / 4};
    Gdi<HBRUSH> brush(CreateSolidBrush(c));
    FillRect(dc, &square, brush.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
    text(dc, name, {x + line, gap, x + line + size.cx, gap + line}, DT_LEFT);
    x += line + size.cx + 2 * gap;
  }

  const design::Axis& values = values_.axis();
  int widest = 0;
  for (int i = 0; i < values.ticks; ++i) {
    SIZE size{};
    const std::wstring label = std::to_wstring(std::lround(values.tick(i)));
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  const RECT plot{client.left + gap + widest + gap, gap + 2 * line, client.right - gap,
                  client.bottom - gap - line - gap};
  if (plot.right <= plot.left || plot.bottom <= plot.top) return;
  Gdi<HBRUSH> background(CreateSolidBrush(colour(design::kChartPlot)));
  FillRect(dc, &plot, background.get());
  const int height = plot.bottom - plot.top;
  auto y = [&](double v) { return plot.bottom - values.at(v, height); };
  {
    const Gdi<HPEN> grid(CreatePen(PS_SOLID, 1, colour(design::kChartGrid)));
    const Selected selectedGrid(dc, grid.get());
    for (int i = 0; i < values.ticks; ++i) {
      const int at = y(values.tick(i));
      MoveToEx(dc, plot.left, at, nullptr);
      LineTo(dc, plot.right, at);
      text(dc, std::to_wstring(std::lround(values.tick(i))),
           {client.left + gap, at - line / 2, plot.left - gap, at + line / 2}, DT_RIGHT);
    }
  }
  if (bonuses_.empty()) {
    text(dc, translate("Window", "No bonus yet"), plot, DT_CENTER | DT_VCENTER);
    return;
  }
  // A slot per bonus, its two bars in the middle four fifths; numbers beneath as many as fit.
  const double slot = static_cast<double>(plot.right - plot.left) / bonuses_.size();
  const std::size_t every = std::max<std::size_t>(1, static_cast<std::size_t>(3 * line / slot));
  for (std::size_t i = 0; i < bonuses_.size(); ++i) {
    const int left = plot.left + static_cast<int>(slot * i + slot / 10);
    const int middle = plot.left + static_cast<int>(slot * i + slot / 2);
    const int right = plot.left + static_cast<int>(slot * (i + 1) - slot / 10);
    for (const auto& [value, c, from, to] : {std::tuple{bonuses_[i].run_up, runUp, left, middle},
                                             std::tuple{bonuses_[i].coins, coins, middle, right}}) {
      const RECT bar{from, std::min(y(value), y(0)), std::max(to, from + 1),
                     std::max(y(value), y(0))};
      Gdi<HBRUSH> brush(CreateSolidBrush(c));
      FillRect(dc, &bar, brush.get());
    }
    if (i % every == 0) {
      text(dc, std::to_wstring(i + 1),
           {left - line, plot.bottom + gap / 2, right + line, plot.bottom + gap / 2 + line},
           DT_CENTER);
    }
  }
}

}  // namespace tallix::win32
